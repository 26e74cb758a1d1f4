#pragma once
// The grid conventions the queries share with the reports: header sets with
// their column-number row, alignment strings, the standard column widths,
// date texts and the footer line.

#include <QDate>
#include <QString>
#include <QStringList>

namespace reports {
class GridModel;
}

namespace queries {

// Header texts of the standard sets (as the reports write them).
QStringList jobHeader3(); // S.N., JOB NUMBER, JOB DESCRIPTION
QStringList jobHeader5(); // ... CONSUMED ED, STATUS %
QStringList jobHeader6(); // ... CONSUMED ED, ALLOTTED ED, STATUS %
QStringList empHeader7(); // S.N., EMPL. ID, ... DATE OF BIRTH

// Writes the header texts into grid row 0 and the column numbers "1", "2",
// ... into row 1, from column 0.
void writeHeaderRows(reports::GridModel& grid, const QStringList& headers);

// The alignment string of the first marks.size() columns: each mark ("^"
// or "<") followed by the header text, entries joined by "|".
QString alignmentString(const QStringList& headers, const QStringList& marks);

// Widths of columns 0, 1 and 2: 5, 10 and 29 "Z" (FormatColStrg).
void formatColStrg(reports::GridModel& grid);

// A date as the system's short date, always with a four-digit year.
QString shortDateText(const QDate& d);
// A date as "dd/MM/yyyy".
QString dmyText(const QDate& d);
// The footer line of the queries (no closing ".").
QString footerLine(const QDate& today);
// The lines under a listing of n rows that starts at grid row 2: the footer
// two rows below the last, or "NONE FOUND" and the footer when there is
// none. Returns the rows used.
int finishListing(reports::GridModel& grid, int n, const QDate& today);

} // namespace queries
