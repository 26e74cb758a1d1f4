#include "queries/headers.h"

#include "reports/builders.h"
#include "reports/gridmodel.h"

#include <QLocale>

namespace queries {

QStringList jobHeader3()
{
    return reports::headerTexts(reports::HeaderSet::Job3);
}

QStringList jobHeader5()
{
    return reports::headerTexts(reports::HeaderSet::Job5);
}

QStringList jobHeader6()
{
    return reports::headerTexts(reports::HeaderSet::Job6);
}

QStringList empHeader7()
{
    return reports::headerTexts(reports::HeaderSet::Emp7);
}

void writeHeaderRows(reports::GridModel& grid, const QStringList& headers)
{
    for (int c = 0; c < headers.size(); ++c) {
        grid.setCell(0, c, headers[c]);
        grid.setCell(1, c, QString::number(c + 1));
    }
}

QString alignmentString(const QStringList& headers, const QStringList& marks)
{
    QStringList entries;
    for (int c = 0; c < marks.size(); ++c)
        entries << marks[c] + headers.value(c);
    return entries.join(QLatin1Char('|'));
}

void formatColStrg(reports::GridModel& grid)
{
    grid.setWidthZ(0, 5);
    grid.setWidthZ(1, 10);
    grid.setWidthZ(2, 29);
}

QString shortDateText(const QDate& d)
{
    if (!d.isValid())
        return {};
    const QLocale loc;
    QString format = loc.dateFormat(QLocale::ShortFormat);
    // A two-digit year cannot tell 1950 from 2050 in a list of birth dates.
    if (!format.contains(QLatin1String("yyyy")))
        format.replace(QLatin1String("yy"), QLatin1String("yyyy"));
    return loc.toString(d, format);
}

QString dmyText(const QDate& d)
{
    return d.isValid() ? d.toString(QStringLiteral("dd/MM/yyyy")) : QString();
}

QString footerLine(const QDate& today)
{
    return reports::footerText(today, false);
}

int finishListing(reports::GridModel& grid, int n, const QDate& today)
{
    if (n > 0) {
        grid.setCell(n + 3, 2, footerLine(today));
        return n + 4;
    }
    grid.setCell(2, 2, QStringLiteral("NONE FOUND"));
    grid.setCell(4, 2, footerLine(today));
    return 5;
}

} // namespace queries
