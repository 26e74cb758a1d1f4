#pragma once
// The critical box of a command that failed on the data source: the error
// number, "\r\n", the routine's name and " SubRoutine", "\r\n" and the
// description. A lost connection is described plainly, with what the
// command did not save, instead of the driver's wording.

#include "store/database.h"

#include <QString>

namespace app {

// What each writing command leaves unsaved when the connection is lost.
namespace notsaved {
inline constexpr const char* Card = "This card was not saved.";
inline constexpr const char* CardChange = "The changes to this card were not saved.";
inline constexpr const char* CardDelete = "This card was not deleted.";
inline constexpr const char* NewJob = "The new job was not added.";
inline constexpr const char* JobChange = "The changes to this job were not saved.";
inline constexpr const char* JobStatus = "The job status was not saved.";
inline constexpr const char* NewEmployee = "The new employee was not added.";
inline constexpr const char* EmployeeChange = "The changes to this employee were not saved.";
} // namespace notsaved

// The description shown for a lost connection.
QString lostConnectionText(const QString& notSaved = QString());
// The description of `e` as the box shows it.
QString failureDescription(const store::DbError& e, const QString& notSaved = QString());
// The whole box text.
QString failureBoxText(const QString& routine, const store::DbError& e, const QString& notSaved = QString());

} // namespace app
