#pragma once
// Loading the employee or job master from a CSV file:
//   karvela import employees|jobs FILE.csv [--dry-run] [--update-existing]
// The file is UTF-8 with a header row naming the table's fields (any order,
// letter case ignored). Every row passes the checks of the administrator
// window or the job master, or nothing is written; the rows land in one
// transaction.

#include <QList>
#include <QString>
#include <QStringList>
#include <QTextStream>

namespace cli {

// One record of a CSV text and the line it starts on.
struct CsvRow {
    int line = 0;
    QStringList fields;
};

// Splits CSV text into records: fields separated by commas, a field in
// double quotes may hold commas, line breaks and doubled quotes. Blank
// lines are left out. On an unclosed quote, `problem` says where and the
// result is empty.
QList<CsvRow> parseCsv(const QString& text, QString* problem);

int importCommand(const QStringList& args, QTextStream& out, QTextStream& err);

} // namespace cli
