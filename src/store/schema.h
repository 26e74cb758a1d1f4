#pragma once
// The four tables, in the column order the program relies on.

#include "store/database.h"

#include <QStringList>

namespace store {

inline const QStringList kTables = {QStringLiteral("employees"), QStringLiteral("jobs"),
                                    QStringLiteral("edbooked"), QStringLiteral("leaves")};

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
