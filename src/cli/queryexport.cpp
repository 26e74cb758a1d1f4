#include "cli/queryexport.h"

#include "reports/gridmodel.h"

#include <QStringList>

namespace cli {

QString exportText(const QString& title, const QString& countLine, const reports::GridModel& grid, int usedRows,
                   output::ExportFormat format)
{
    int lastCol = 0;
    for (int r = 0; r < usedRows; ++r)
        for (int c = grid.columnCount() - 1; c > lastCol; --c)
            if (!grid.cell(r, c).isEmpty()) {
                lastCol = c;
                break;
            }
    QString out = output::exportLine({title}, format) + output::exportLine({countLine}, format);
    for (int r = 0; r < usedRows; ++r) {
        QStringList cells;
        for (int c = 0; c <= lastCol; ++c)
            cells << grid.cell(r, c);
        out += output::exportLine(cells, format);
    }
    return out;
}

} // namespace cli
