#pragma once
// Where the data source "Tessara" is defined and, for an SQLite one, which
// file it names: read from the ODBC ini files the driver manager reads, so
// that a missing database file is found before connecting (opening it would
// create an empty one).

#include <QString>

namespace store {

struct DataSourceFacts {
    QString name;       // "Tessara"
    QString userIni;    // the user DSN file ($ODBCINI, or ~/.odbc.ini of the account)
    QString systemIni;  // the system DSN file ($ODBCSYSINI/odbc.ini, or /etc/odbc.ini)
    QString definedIn;  // the file that defines it; empty when neither does
    QString driver;
    QString database;   // the Database entry
    bool sqlite = false; // the driver is SQLite's
};

DataSourceFacts dataSourceFacts();

// Throws DbError (kind Unavailable) when the data source is an SQLite one
// whose database file does not exist.
void checkDataSourceFile();
// Where the data source is an SQLite one whose file does not exist yet,
// creates it empty, owner-only (and its folder, owner-only). Returns false
// when it cannot.
bool createDataSourceFile();

} // namespace store
