#pragma once
// Test set-up shared by every test program: a private data source "Tessara"
// (a temporary SQLite file, or a PostgreSQL database when
// KARVELA_TEST_BACKEND=pg), private settings, fixed locale, scripted boxes.

#include "app/dialogs.h"
#include "store/database.h"

#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <functional>
#include <optional>

namespace reports {
class GridModel;
}

namespace testsupport {

// Call once per process, first thing in initTestCase(). Returns false (and
// the caller skips) when the PostgreSQL backend is asked for but no test
// server is given. With KARVELA_TEST_ODBC_EMPTY set, the private DSN file
// knows no "Tessara" (the driver manager reads it once per process, so such
// a case runs in a child process of its own).
bool initProcess();
bool usingPostgres();
// The connection string of the test database for a second connection, or
// the name of the private ODBC ini file.
QString odbcIniPath();

// (Re)connects the shared connection and leaves empty tables behind.
void freshDatabase();

// An empty database `name` of its own on the PostgreSQL test server, made
// afresh; its connection string. Empty when no test server is given.
QString scratchPostgresDatabase(const QString& name);
// Another session ends the PostgreSQL session `pid`, as a server restart or
// an administrator would. `via` is the connection string of any database on
// that server (default: the test database of the shared connection).
void endPostgresSession(int pid, const QString& via = QString());

// Fixture rows.
void addEmployee(qint64 empId, const QString& name, const QString& deptt, const QString& designation = "Engineer",
                 const QString& grade = "E3", const QDate& dob = QDate(1980, 1, 1), const QString& addr = "Staff Colony");
void addJob(int jobNo, const QString& name, double limitEd, double balEd, double status, const QString& lead,
            const QString& client = "Client Co", const QString& dateUpdate = QString());
// Rows of a table; the stored balance of a job.
int rows(const QString& table);
double balance(qint64 jobNo);
// The stored cards and job balances in one line, for comparing: each booking
// row "JobNo DaysBooked Bal_ED Emp_Tot_ED", then each leaves row "ED_Booked
// CL", then each job "JobNo:Bal_ED".
QString storedCards();
// One value of a one-row, one-column query.
QVariant scalar(const QString& sql, const QList<QVariant>& values = {});

// The cells of column `col`, rows `top` to `bottom`.
QStringList gridColumn(const reports::GridModel& grid, int col, int top, int bottom);

// The lower-case column names of a table, in order.
QStringList columnsOf(const QString& table);

// The kind of the store::DbError that `run` throws; when it throws none,
// the test fails and the kind is Other.
store::ErrorKind errorKindOf(const std::function<void()>& run);

// A headless command run in this process: its exit code and what it printed.
struct CommandRun {
    int code = 0;
    QString out, err;
};
CommandRun runCommand(const QStringList& args);

// Compares a command's output with tests/data/<file>.tsv, line by line;
// with KARVELA_WRITE_REFERENCE set, writes the file instead.
void compareWithReference(const QString& file, const QString& output);

// What `program` prints on standard output; the pages of a PDF file as
// text (pdftotext -layout).
QString toolOutput(const QString& program, const QStringList& args);
QStringList pdfPages(const QString& path);

// Another session runs `statements` in a transaction and keeps it open for a
// moment, as a second desktop in the middle of its save would; `whileHeld`
// runs here meanwhile. Fails the test when the statements did not run.
void whileAnotherDesktopHolds(const QStringList& statements, const std::function<void()>& whileHeld);
inline void whileAnotherDesktopHolds(const QString& statement, const std::function<void()>& whileHeld)
{
    whileAnotherDesktopHolds(QStringList{statement}, whileHeld);
}

// A box the program showed.
struct Shown {
    QString text;
    int style = 0;
    QString title;
    bool input = false;
    QString reason; // the box's informative text
};

// Records every box and answers from queues: messages with the next queued
// button (default: Yes for Yes/No boxes, else OK), input boxes with the next
// queued text (default: cancelled).
class ScriptedDialogs : public app::Dialogs {
public:
    int message(const QString& text, int style, const QString& title) override;
    int messageWithReason(const QString& text, int style, const QString& reason) override;
    std::optional<QString> input(const QString& prompt, const QString& title, const QString& defaultText) override;

    QList<Shown> shown;
    QList<int> answers;
    QList<std::optional<QString>> inputs;

    QStringList texts() const;
    void clear() { shown.clear(); }
};

// Installs a fresh ScriptedDialogs as the program's dialogs and records
// endProgram() calls instead of ending the test.
ScriptedDialogs& scriptDialogs();
// What `run` writes on standard error (file descriptor 2).
QString standardErrorOf(const std::function<void()>& run);
int programEnds();
void resetProgramEnds();

} // namespace testsupport
