#include "output/export.h"

namespace output {

namespace {
QString csvField(const QString& s)
{
    if (!s.contains(QLatin1Char(',')) && !s.contains(QLatin1Char('"')) && !s.contains(QLatin1Char('\n'))
        && !s.contains(QLatin1Char('\r')))
        return s;
    QString q = s;
    q.replace(QLatin1String("\""), QLatin1String("\"\""));
    return QLatin1Char('"') + q + QLatin1Char('"');
}
} // namespace

QString exportLine(const QStringList& cells, ExportFormat format)
{
    if (format == ExportFormat::Tsv)
        return cells.join(QLatin1Char('\t')) + QLatin1Char('\n');
    QStringList quoted;
    for (const QString& c : cells)
        quoted << csvField(c);
    return quoted.join(QLatin1Char(',')) + QLatin1Char('\n');
}

} // namespace output
