#pragma once
// The four tables, in the column order the program relies on.

#include "store/database.h"

#include <QStringList>

namespace store {

inline const QStringList kTables = {QStringLiteral("employees"), QStringLiteral("jobs"),
                                    QStringLiteral("edbooked"), QStringLiteral("leaves")};

// The length of every text column, the same on every back end: declared
// here once, used by the tables' DDL and by every check of a text before it
// is stored.
struct TextColumn {
    const char* table;
    const char* column;
    int length;
};
inline constexpr int kTextLength = 255;
inline constexpr TextColumn kTextColumns[] = {
    {"employees", "EmpName", kTextLength},   {"employees", "Designation", kTextLength},
    {"employees", "Deptt", kTextLength},     {"employees", "Emp_Addr", kTextLength},
    {"employees", "Grade", kTextLength},     {"jobs", "DateUpdate", 10},
    {"jobs", "JobName", kTextLength},        {"jobs", "ClientCo", kTextLength},
    {"jobs", "LeadDeptt", kTextLength},      {"edbooked", "Deptt", kTextLength},
    {"edbooked", "EmpName", kTextLength},    {"leaves", "Deptt", kTextLength},
    {"leaves", "EmpName", kTextLength},
};
// Characters the column stores (field names compared without case); 0 for
// a column that holds no text.
int textLength(const QString& table, const QString& column);

// CREATE statements for a dialect, in creation order.
QStringList schemaStatements(Dialect d);
// Asks once for every table and field the program reads, so that a data
// source without them is refused before anything else runs: throws DbError
// (kind MissingObject for a missing table or field).
void checkTables();
// The two tables of closed months and of the audit trail. A database made
// before they existed holds only the four tables above and keeps working
// without them (no close check, no audit rows) until it is upgraded.
inline const QStringList kCloseTables = {QStringLiteral("monthcloses"), QStringLiteral("auditlog")};
// Said once at start-up, and by what needs them, on a database without them.
inline constexpr const char* kNeedsUpgrade =
    "Closing months and the audit trail need the tables monthcloses and auditlog: run karvela upgrade-database.";

// CREATE statements for a dialect, in creation order.
QStringList schemaStatements(Dialect d);
// CREATE statements of the two close and audit tables.
QStringList closeTableStatements(Dialect d);
// True when both close and audit tables exist on the shared connection
// (looked up once per connection and after each schema change).
bool closeTablesExist();
// Adds the close and audit tables where they are missing; the four tables
// are left as they are. Returns the tables it created.
QStringList upgradeSchema();
// True when any of the four tables exists on the shared connection.
bool anyTableExists();
// Creates the four tables and the close and audit tables (inside the
// caller's transaction, if any).
void createSchema();
// Drops the four tables and the close and audit tables where they exist
// (tests).
void dropSchema();

} // namespace store
