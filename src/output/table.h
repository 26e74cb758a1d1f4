#pragma once
// A report or query as it leaves the screen: the title and period lines and
// the grid's rows in use, without the empty columns after the last one that
// holds a text, with the grid's fixed rows and columns, widths and
// alignments.

#include <QList>
#include <QString>
#include <QStringList>

namespace reports {
class GridModel;
struct Sheet;
}

namespace output {

struct Table {
    QString title;
    QString period;
    QList<QStringList> rows; // every row has columns() cells
    int fixedRows = 0;
    int fixedCols = 0;
    QList<int> widthsZ;      // per column, as counts of "Z"
    QList<Qt::Alignment> align; // per column: Qt::AlignLeft/HCenter/Right, or 0 for the general rule

    int columns() const { return widthsZ.size(); }
    QString cell(int row, int col) const { return rows.value(row).value(col); }
    // Alignment of a cell: its column's, or numbers right and texts left.
    Qt::Alignment cellAlignment(int row, int col) const;
};

// Width of a column the grid keeps at its default width, in "Z".
inline constexpr int kDefaultWidthZ = 11;

// Rows 0 to usedRows - 1 of the grid.
Table tableOf(const reports::GridModel& grid, const QString& title, const QString& period, int usedRows);
// A built report as the grid shows it for report option `option`.
Table tableOf(const reports::Sheet& sheet, int option, const QString& title, const QString& period);

} // namespace output
