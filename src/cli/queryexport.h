#pragma once
// The grid as text for the headless export: the title line, the count or
// period line, then the rows in use.

#include <QString>

#include "output/export.h"

namespace reports {
class GridModel;
}

namespace cli {

// Rows 0 to usedRows - 1, each from column 0 to the last column holding a
// text in those rows; cells joined by tab, or as RFC 4180 CSV. Every line
// ends with a line feed.
QString exportText(const QString& title, const QString& countLine, const reports::GridModel& grid, int usedRows,
                   output::ExportFormat format);

} // namespace cli
