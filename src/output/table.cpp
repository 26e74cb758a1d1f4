#include "output/table.h"

#include "reports/builders.h"
#include "reports/gridmodel.h"

namespace output {

Qt::Alignment Table::cellAlignment(int row, int col) const
{
    const Qt::Alignment a = align.value(col);
    if (a)
        return a;
    return reports::cellNumber(cell(row, col)) ? Qt::AlignRight : Qt::AlignLeft;
}

Table tableOf(const reports::GridModel& grid, const QString& title, const QString& period, int usedRows)
{
    Table t;
    t.title = title;
    t.period = period;
    usedRows = std::min(usedRows, grid.rowCount());
    int lastCol = -1;
    for (int r = 0; r < usedRows; ++r)
        for (int c = grid.columnCount() - 1; c > lastCol; --c)
            if (!grid.cell(r, c).isEmpty()) {
                lastCol = c;
                break;
            }
    const int cols = std::max(lastCol + 1, std::min(grid.fixedCols(), grid.columnCount()));
    for (int r = 0; r < usedRows; ++r) {
        QStringList row;
        row.reserve(cols);
        for (int c = 0; c < cols; ++c)
            row << grid.cell(r, c);
        t.rows << row;
    }
    t.fixedRows = std::min(grid.fixedRows(), usedRows);
    t.fixedCols = std::min(grid.fixedCols(), cols);
    for (int c = 0; c < cols; ++c) {
        const int z = grid.widthZ(c);
        t.widthsZ << (z > 0 ? z : kDefaultWidthZ);
        t.align << (grid.hasColumnAlignment(c) ? grid.columnAlignment(c) : Qt::Alignment());
    }
    return t;
}

Table tableOf(const reports::Sheet& sheet, int option, const QString& title, const QString& period)
{
    // The same steps as the window takes to show a report.
    reports::GridModel grid;
    grid.setFixed(reports::fixedRowsOf(option), reports::fixedColsOf(option));
    grid.setCells(sheet.cells);
    if (!sheet.format.isEmpty())
        grid.setFormatString(sheet.format);
    for (const auto& w : sheet.widths)
        grid.setWidthZ(w.first, w.second);
    return tableOf(grid, title, period, sheet.usedRows);
}

} // namespace output
