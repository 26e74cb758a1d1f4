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
// True when any of the four tables exists on the shared connection.
bool anyTableExists();
// Creates the four tables (inside the caller's transaction, if any).
void createSchema();
// Drops the four tables where they exist (tests).
void dropSchema();

} // namespace store
