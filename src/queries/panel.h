#pragma once
// The query panel's texts: option captions, the search-field list, the
// title and count lines of a chosen query, the help text.

#include "queries/queries.h"

#include <QDate>
#include <QString>
#include <QStringList>

namespace queries {

// Captions of the query options, in index order.
QStringList optionCaptions();
// Caption option 6 takes when it is chosen.
QString superannuatedCaption(const QDate& today);
// The search-field list, in order; the last entry searches every field.
QStringList searchFieldNames();
inline constexpr int kEntireRecord = 7;

// What the search text and job number boxes hold at start.
inline constexpr const char* kSampleSearch = "Engineer";
inline constexpr const char* kJobHint = "6 digit no.";

// Count line shown while a query is chosen but not yet run.
inline constexpr const char* kCountUnknown = "Items found = ?";

// Title line of query `index` as its option click sets it. `captions` are
// the options' captions as shown.
QString queryTitle(int index, const QueryInputs& in, const QStringList& captions);
// "Period From: 21 October,2008 TO 20 November,2008".
QString periodLine(const QDate& from, const QDate& to, int startDay);

// The help box text (lines joined by "\r\n").
QString helpText();
// The box of a double click on the employee ID.
QString employeeIdText(const QString& employee);

} // namespace queries
