#pragma once
// The six booking reports: each one reads the tables set-wise (a fixed,
// small number of statements however many jobs and employees it shows) and
// lays its cells out in memory. The report window and the headless export
// call the same builders.

#include "app/records.h"
#include "reports/cells.h"

#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

namespace reports {

// Report options in the order of the window's option buttons.
enum Option {
    DeptMonth = 0,
    DeptPeriod = 1,
    AllDeptMonth = 2,
    AllDeptPeriod = 3,
    LeaveMonth = 4,
    LeavePeriod = 5,
};
inline constexpr int kOptionCount = 6;

// Captions of the option buttons, in index order.
QStringList optionCaptions();

// A built report: the cell texts and what the grid needs to show them.
struct Sheet {
    Cells cells;

    void set(int row, int col, const QString& text);
    // Writes a number as its general text; value() then reads it back
    // without parsing the text again.
    void setNumber(int row, int col, double v);
    QString at(int row, int col) const;
    // A cell read back as a number by the leading-number rule.
    double value(int row, int col) const;
    // The sums of value() over rows first .. last of `count` columns from
    // `firstCol`, each added up from the top row down; empty cells are
    // skipped rather than looked up.
    QList<double> columnSums(int first, int last, int firstCol, int count) const;

    int usedRows = 0;     // last used row plus one
    int lastColumn = -1;  // last column the report lays out
    int firstRow = 0;     // first scrollable row and column in view at the end
    int firstCol = 0;
    QString format;       // alignment string given to the grid; empty: unchanged
    QList<QPair<int, int>> widths; // (column, count of "Z") set by the report

    // Set when the report ends with a box instead of a grid.
    QString message;
    // False when the elapsed-time label is left as it was.
    bool elapsedShown = true;

    // What the window keeps of the report: the jobs listed in rows 2 on
    // (column 1) for the job list, and the row after the last department
    // block (-1: the report has no blocks).
    int jobCount = 0;
    int blockRow = -1;
};

// What a report is built from: the window's pickers and period values.
struct Request {
    int option = DeptMonth;
    QString department;          // the department picker's text
    QList<app::Employee> employees;   // the employee picker's entries
    QDate fromDate;              // FromDate and ToDate of the window
    QDate toDate;
    int fromDay = 0;             // the From and To day pickers' numbers
    int toDay = 0;
    QStringList departments;     // the department picker's entries
    struct Block {
        bool changed = true;
        QList<app::Employee> employees;
        QDate fromDate;
        QDate toDate;
    };
    // All-departments monthly report: selects department `position` of the
    // picker, handing over that department's employees (every one, in record
    // order, read once for all departments by the builder), and answers the
    // employees the picker then lists and the period then in force.
    // `changed` is false when the picker already showed that department, so
    // that nothing was recomputed.
    std::function<Block(int position, const QList<app::Employee>& employees)> chooseDepartment;
    // Leave reports: the ID label's caption, the picker's name and the
    // designation at its position.
    QString employeeIdText;
    QString employeeName;
    QString designation;
    QDate today;                 // date of the footer line
};

Sheet build(const Request& request);

// The standard header sets: row 0 texts from column 0 on (row 1 holds the
// column numbers "1", "2", ...). Job3 opens the department reports (the
// employees follow it), JobBooked5 is the job period report's, Leave3 the
// leave reports'.
enum class HeaderSet { Job3, Job5, Job6, Emp7, JobBooked5, Leave3 };
QStringList headerTexts(HeaderSet set);
// Writes a header set into rows `row` (texts) and `row`+1 (column numbers).
void writeHeader(Sheet& sheet, HeaderSet set, int row = 0);

// Texts of the window around the grid.
QString titleText(int option, const QString& department, const QString& employeeName);
QString periodText(int option, int startDay, const QDate& from, const QDate& to);
QString footerText(const QDate& today, bool fullStop);
QString elapsedText(double ms);
// What each report option is: one row of a table, in option order.
struct OptionFacts {
    const char* caption;   // the option button's caption
    const char* title;     // "{dept}": the department in capitals; "{emp}": the employee's name
    int fixedRows;         // fixed rows and columns of the grid
    int fixedCols;
    bool clearsGrid;       // choosing the option empties the grid
    bool employeePicker;   // the employee picker is enabled
    bool fromDate;         // the From date pickers are enabled
    bool monthly;          // the period label names the month's end
    HeaderSet header;      // the header set the report opens with
    Sheet (*build)(const Request&);
};
// The facts of an option; null outside the six.
const OptionFacts* optionFacts(int option);

// Fixed rows and columns each option gives the grid.
int fixedRowsOf(int option);
int fixedColsOf(int option);
bool clearsGridOnChoice(int option);
bool usesEmployee(int option);
bool usesFromDate(int option);

// Messages.
inline constexpr const char* kNoEntry = "NO ENTRY FOUND FOR THIS SETTING";
inline constexpr const char* kNoDepartmentList = "NO DEPARTMENT LIST FOUND TO DISPLAY";
inline constexpr const char* kNoJobBooking = "NO JOB ED BOOKING FOUND FOR THE SPECIFIED PERIOD.";


} // namespace reports
