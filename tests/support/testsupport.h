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

// First thing in initTestCase(); false (skip) when PostgreSQL is asked for but
// no test server is given. With KARVELA_TEST_ODBC_EMPTY set, the private DSN
// file knows no "Tessara" (read once per process: run such a case as a child).
bool initProcess();
bool usingPostgres();
QString odbcIniPath(); // the private ODBC ini file

// (Re)connects the shared connection and leaves empty tables behind.
void freshDatabase();

// An empty database `name` of its own on the PostgreSQL test server, made
// afresh; its connection string. Empty when no test server is given.
QString scratchPostgresDatabase(const QString& name);
// Another session ends the PostgreSQL session `pid`, as a server restart or
// an administrator would. `via` is the connection string of any database on
// that server (default: the test database of the shared connection).
void endPostgresSession(int pid, const QString& via = QString());

void addEmployee(qint64 empId, const QString& name, const QString& deptt, const QString& designation = "Engineer",
                 const QString& grade = "E3", const QDate& dob = QDate(1980, 1, 1), const QString& addr = "Staff Colony");
void addJob(int jobNo, const QString& name, double limitEd, double balEd, double status, const QString& lead,
            const QString& client = "Client Co", const QString& dateUpdate = QString());
// The stored cards and job balances in one line, for comparing: each booking
// row "JobNo DaysBooked Bal_ED Emp_Tot_ED", then each leaves row "ED_Booked
// CL", then each job "JobNo:Bal_ED".
QString storedCards();
// One value of a one-row, one-column query.
QVariant scalar(const QString& sql, const QList<QVariant>& values = {});
// Rows of a table; the stored balance of a job.
inline int rows(const QString& table) { return scalar("SELECT COUNT(*) FROM " + table).toInt(); }
inline double balance(qint64 jobNo) { return store::num(scalar("SELECT Bal_ED FROM jobs WHERE JobNo = ?", {jobNo})); }

// The cells of column `col`, rows `top` to `bottom`.
QStringList gridColumn(const reports::GridModel& grid, int col, int top, int bottom);

// The lower-case column names of a table, in order.
QStringList columnsOf(const QString& table);

// The kind of the store::DbError that `run` throws; when it throws none,
// the test fails and the kind is Other.
store::ErrorKind errorKindOf(const std::function<void()>& run);

// A headless command run in this process: its exit code and what it printed.
struct CommandRun { int code = 0; QString out, err; };
CommandRun runCommand(const QStringList& args);

// Compares a command's output with tests/data/<file>.tsv, line by line;
// with KARVELA_WRITE_REFERENCE set, writes the file instead.
void compareWithReference(const QString& file, const QString& output);

// `program` run as a child process; `env` entries "NAME=value" are added to
// this process's environment, bare "NAME"s removed. Code -1: it crashed or hung.
CommandRun runProgram(const QString& program, const QStringList& args, const QStringList& env = {});
// The pages of a PDF file as text (pdftotext -layout).
QStringList pdfPages(const QString& path);

// Another session runs `statements` in a transaction and keeps it open for a
// moment, as a second desktop in the middle of its save would; `whileHeld`
// runs here meanwhile. Fails the test when the statements did not run.
void whileAnotherDesktopHolds(const QStringList& statements, const std::function<void()>& whileHeld);

struct Shown { // a box the program showed
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

    // Each box's text; `styled`: as "style text" ("? text" for an input box).
    QStringList texts(bool styled = false) const;
    void clear() { shown.clear(); }
};

// Installs a fresh ScriptedDialogs as the program's dialogs and counts
// endProgram() calls (from zero) instead of ending the test.
ScriptedDialogs& scriptDialogs();
int programEnds();
// What `run` writes on standard error (file descriptor 2).
QString standardErrorOf(const std::function<void()>& run);

} // namespace testsupport
