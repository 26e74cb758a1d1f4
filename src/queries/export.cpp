#include "queries/export.h"

#include "reports/export.h"
#include "reports/gridmodel.h"

#include <QStringList>

namespace queries {

QString exportText(const QString& title, const QString& countLine, const reports::GridModel& grid, int usedRows,
                   ExportFormat format)
{
    int lastCol = 0;
    for (int r = 0; r < usedRows; ++r)
        for (int c = grid.columnCount() - 1; c > lastCol; --c)
            if (!grid.cell(r, c).isEmpty()) {
                lastCol = c;
                break;
            }
    QString out = reports::exportLine({title}, format) + reports::exportLine({countLine}, format);
    for (int r = 0; r < usedRows; ++r) {
        QStringList cells;
        for (int c = 0; c <= lastCol; ++c)
            cells << grid.cell(r, c);
        out += reports::exportLine(cells, format);
    }
    return out;
}

} // namespace queries
