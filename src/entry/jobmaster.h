#pragma once
// The job master (adding and editing jobs), the job status change of the
// lead department, and the job search.

#include "app/records.h"

#include <QDate>
#include <QString>
#include <QStringList>

#include <optional>

namespace entry {

// A text a number can be read from as a whole (blanks around it allowed).
bool isNumericText(const QString& text);
// The job number typed in the job-number box, when it is a whole number in
// the range of a job number.
std::optional<qint64> jobNumberOf(const QString& text);

// The message for the first box of the job panel whose value cannot be
// stored: a job name or client longer than its column or with a NUL
// character, a balance that is not finite, a status outside the 16-bit
// range it is read as. No value when every box can be stored.
std::optional<QString> jobPanelProblem(const QString& name, const QString& client, const QString& balance,
                                       const QString& status);
// The allotted ED typed in the job panel, when it is a number not below 0.
std::optional<double> allottedDaysOf(const QString& text);

bool jobExists(qint64 jobNo);
std::optional<app::Job> readJob(qint64 jobNo);
// Adds a job with balance 0; false (nothing stored) when the job number's
// unique key refuses it, as when another desktop added the number first.
bool addJob(const app::Job& job);
// Stores name, client, allotted ED and status of a job and moves its stored
// balance by job.balance - openedBalance (the balance shown when the job was
// opened), so bookings stored meanwhile are kept; false when there is no such
// job.
bool updateJob(const app::Job& job, double openedBalance);
// Allotted ED of a job, when it exists.
std::optional<double> allottedOf(qint64 jobNo);

QString editJobQuestion(const QString& jobNo);
QString creditQuestion(const QString& jobNo, double allotted);
inline constexpr const char* kDuplicateJob =
    "You are already having a job with this number, you\r\ncan't use same job number more than once.";
inline constexpr const char* kBadJobNo = "Check Job No., it should be a long numeric.";
inline constexpr const char* kBadAllotted = "Check Allotted Engg. Days (ED), it must be a positive numeric.";
inline constexpr const char* kAddJobQuestion =
    "You are going to Add a new job number to your Database.\r\nWould you like to proceed or cancel the operation.";
inline constexpr const char* kJobAppended = "Current job details appended to the Database Successfully.";
inline constexpr const char* kJobUpdated = "Selected Job updated successfully.";
inline constexpr const char* kJobMissing = "No record found in the Database";

// Job status.
// Nearest whole number, halves to the even neighbour.
double roundHalfEven(double value);
// The department named by the department picker's text: its first word.
QString currentDepartment(const QString& pickerText);
QString notAuthorizedMessage(const QString& lead, const QString& department);
inline constexpr const char* kStatusQuestion =
    "Want to change job status, i.e. the percentage of job completed so far?\r\n"
    "Changed job status will be displayed on next session only.";
inline constexpr const char* kStatusTooHigh = "You can not fill Job Completion Status more than 100 Percent";
// The message for a status box that cannot be stored: above 100 its own
// message, below -32768 (the 16-bit value a status is read as) or not
// finite the range box. No value when it can be stored.
std::optional<QString> statusUpdateProblem(const QString& text);
// Stores a job's completion percentage; false when there is no such job.
bool storeJobStatus(qint64 jobNo, int percent, const QDate& toDate);

// Job search.
// Pattern matching of the name search: "*" any run of characters, "?" any
// one character, "#" any one digit, "[...]" any one character of the list
// (ranges "A-C", "!" in front negates); everything else literally.
bool likeMatch(const QString& text, const QString& pattern);
// The name contains the search text, ignoring case, with the pattern rules.
bool jobNameMatches(const QString& name, const QString& searchText);
// First entry equal to the text, character by character; -1 when none.
int indexOfExact(const QStringList& entries, const QString& text);
QString foundQuestion(int count);
inline constexpr const char* kAddJobOffer = "Job number not found. Want to ADD a job no.?";
inline constexpr const char* kNoMoreMatch = "NO MORE MATCH FOUND.";
inline constexpr const char* kNameNotFound = "Job name string not found. You may add a new job no.";

} // namespace entry
