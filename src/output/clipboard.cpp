#include "output/clipboard.h"

#include "output/export.h"
#include "reports/gridmodel.h"

namespace output {

QList<QStringList> copiedRows(const reports::GridModel& grid, const queries::Block& block, const QString& title,
                              const QString& count)
{
    int last = block.left() - 1;
    for (int r = block.top(); r <= block.bottom(); ++r)
        for (int c = block.right(); c > last; --c)
            if (!grid.cell(r, c).isEmpty()) {
                last = c;
                break;
            }
    QList<QStringList> rows = {{title}, {count}};
    for (int r = block.top(); r <= block.bottom(); ++r) {
        QStringList row;
        for (int c = block.left(); c <= std::max(last, block.left()); ++c)
            row << grid.cell(r, c);
        rows << row;
    }
    return rows;
}

QString htmlTable(const QList<QStringList>& rows)
{
    QString html = QStringLiteral("<html><head><meta charset=\"utf-8\"></head><body><table>\n");
    for (const QStringList& row : rows) {
        html += QStringLiteral("<tr>");
        for (const QString& cell : row) {
            const auto n = reports::cellNumber(cell);
            html += n ? QStringLiteral("<td align=\"right\">") : QStringLiteral("<td>");
            html += cell.toHtmlEscaped() + QStringLiteral("</td>");
        }
        html += QStringLiteral("</tr>\n");
    }
    return html + QStringLiteral("</table></body></html>\n");
}

QString csvText(const QList<QStringList>& rows)
{
    QString out;
    for (const QStringList& row : rows)
        out += exportLine(row, ExportFormat::Csv);
    return out;
}

} // namespace output
