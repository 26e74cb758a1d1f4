#pragma once
// Grid rows as text for the headless export of reports and queries.

#include <QString>
#include <QStringList>

namespace output {

enum class ExportFormat { Tsv, Csv };

// One line of the export: the cells joined by tabs, or as an RFC 4180 CSV
// record (fields with a comma, quote or line break quoted); ends with a
// line feed. The title and period lines are records of one field.
QString exportLine(const QStringList& cells, ExportFormat format);

} // namespace output
