#include "queries/export.h"

#include "reports/gridmodel.h"

#include <QStringList>

namespace queries {

namespace {

QString csvField(const QString& s)
{
    if (!s.contains(QLatin1Char(',')) && !s.contains(QLatin1Char('"')) && !s.contains(QLatin1Char('\n')) &&
        !s.contains(QLatin1Char('\r')))
        return s;
    QString q = s;
    q.replace(QLatin1String("\""), QLatin1String("\"\""));
    return QLatin1Char('"') + q + QLatin1Char('"');
}

QString line(const QStringList& cells, ExportFormat format)
{
    if (format == ExportFormat::Tsv)
        return cells.join(QLatin1Char('\t')) + QLatin1Char('\n');
    QStringList quoted;
    for (const QString& c : cells)
        quoted << csvField(c);
    return quoted.join(QLatin1Char(',')) + QLatin1Char('\n');
}

} // namespace

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
    QString out = line({title}, format) + line({countLine}, format);
    for (int r = 0; r < usedRows; ++r) {
        QStringList cells;
        for (int c = 0; c <= lastCol; ++c)
            cells << grid.cell(r, c);
        out += line(cells, format);
    }
    return out;
}

} // namespace queries
