#pragma once
// The queries of the report window's query panel: each reads the
// data source and lays its rows into the grid.

#include <QDate>
#include <QString>
#include <QStringList>

#include <optional>

namespace reports {
class GridModel;
}

namespace queries {

enum QueryIndex {
    LeadJobs = 0,
    OtherLeadJobs = 1,
    OverBooked = 2,
    UnderBooked = 3,
    GradeEmps = 4,
    AgeGroup = 5,
    Superannuated = 6,
    SearchEmp = 7,
    JobBooking = 8,
    ClosedJobs = 9,
    Transferred = 10,
    CardHistory = 11,
    MissingCards = 12,
};
inline constexpr int kQueryCount = 13;

// What the panel's inputs hold when "&Show" is pressed.
struct QueryInputs {
    QString leadDepartment;           // Combo7
    int gradePos = 0;                 // Combo5 index 0: 0 is "ALL"
    QString grade;
    int departmentPos = 0;            // Combo5 index 1: 0 is "All Departments"
    QString department;
    QString ageRange = QStringLiteral("25-35"); // Text1
    QString searchText;               // Text2
    int searchField = 0;              // Combo6 position (7: the entire record)
    QString jobText;                  // Text3
    QDate from;                       // FromDate
    QDate to;                         // ToDate
    int startDay = 21;
    QDate today;
    QString employeeId;               // the employee picker's ID (card history)
    QString employeeName;             // and its entry
};

// What a query leaves for the window besides the grid.
struct QueryResult {
    // Text of a critical box (style 16) when the input was refused; the
    // grid is untouched then.
    std::optional<QString> refusal;
    std::optional<QString> title;     // new title line, when the query sets one
    std::optional<QString> countLine; // new count line, when the query sets one
    int usedRows = 0;
    std::optional<QString> gridFormat; // alignment string given to the grid
    std::optional<QDate> from;         // new FromDate and ToDate (age group)
    std::optional<QDate> to;
};

// Runs query `index` into a grid that has been cleared. Database errors
// come out as store::DbError.
QueryResult runQuery(int index, const QueryInputs& in, reports::GridModel& grid);

// The refusal of an age range, three lines joined by "\r\n".
QString ageRangeMessage();
// The two ages of a range "LL-UU"; no value when the text is refused.
std::optional<std::pair<int, int>> ageRange(const QString& text);

// Last day of the month of the 60th birthday; for one born on the first of
// a month, the last day of the month before.
QDate superannuationDate(const QDate& dob);

// Field of each search-field position 0-6.
QStringList searchColumns();
// LIKE pattern that finds `text` anywhere, with "\", "%" and "_" escaped.
QString containsPattern(const QString& text);

} // namespace queries
