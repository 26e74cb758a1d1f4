#include "output/cards.h"

#include "app/numtext.h"
#include "output/pages.h"
#include "output/targetfile.h"

#include <QFontMetricsF>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>

namespace output {

namespace {

const QString kDate = QStringLiteral("dd/MM/yyyy");

void paintCard(QPainter& p, const QSizeF& page, const entry::PrintedCard& c)
{
    const double w = page.width();
    double y = 0;
    const auto line = [&](const QString& text, const QFont& f, Qt::Alignment a = Qt::AlignLeft, double x = 0,
                          double width = -1) {
        p.setFont(f);
        const double h = QFontMetricsF(f).height();
        p.drawText(QRectF(x, y, width < 0 ? w - x : width, h), int(a | Qt::AlignVCenter), text);
        return h;
    };
    p.setPen(Qt::black);
    y += line(QString::fromLatin1(kCardOrganisation), pageFont(13, true), Qt::AlignHCenter) + 14;

    const QFont label = pageFont(9, true);
    const QFont body = pageFont(9);
    const double rowH = QFontMetricsF(body).height() + 5;
    const QList<QPair<QString, QString>> facts = {
        {QStringLiteral("Employee"), c.name},
        {QStringLiteral("Employee ID"), QString::number(c.empId)},
        {QStringLiteral("Designation"), c.designation},
        {QStringLiteral("Department"), c.department},
        {QStringLiteral("Card period"), c.from.toString(kDate) + QStringLiteral(" to ") + c.to.toString(kDate)
                                            + QStringLiteral("  (%1 days)").arg(c.periodDays)},
    };
    for (const auto& f : facts) {
        line(f.first, label, Qt::AlignLeft, 0, 110);
        line(f.second, body, Qt::AlignLeft, 110);
        y += rowH;
    }
    y += 12;

    // Job rows: number, name, ED, balance after the card.
    const QList<double> xs = {0, 80, w - 150, w - 75, w};
    const auto tableRow = [&](const QStringList& cells, bool heading) {
        const QRectF band(0, y, w, rowH);
        if (heading)
            p.fillRect(band, QColor(0xe4, 0xe7, 0xec));
        p.setPen(QPen(QColor(0x9a, 0xa0, 0xa8), 0.4));
        p.drawRect(band);
        p.setPen(Qt::black);
        p.setFont(heading ? label : body);
        for (int i = 0; i < cells.size(); ++i) {
            const Qt::Alignment a = i >= 2 ? Qt::AlignRight : Qt::AlignLeft;
            p.drawText(QRectF(xs[i] + 4, y, xs[i + 1] - xs[i] - 8, rowH), int(a | Qt::AlignVCenter), cells[i]);
        }
        y += rowH;
    };
    tableRow({QStringLiteral("JOB NUMBER"), QStringLiteral("JOB DESCRIPTION"), QStringLiteral("ED"),
              QStringLiteral("BALANCE ED")},
             true);
    double jobDays = 0;
    for (const entry::PrintedJob& j : c.jobs) {
        tableRow({QString::number(j.jobNo), j.name, app::generalNumber(j.days), app::generalNumber(j.balance)},
                 false);
        jobDays += j.days;
    }
    tableRow({QString(), QStringLiteral("Engineering days"), app::generalNumber(jobDays), QString()}, true);
    y += 12;

    tableRow({QStringLiteral("LEAVE"), QString(), QStringLiteral("DAYS"), QString()}, true);
    for (int i = 0; i < 9; ++i) {
        const QString name = QString::fromLatin1(entry::leaveNames()[i]);
        const int split = name.indexOf(QLatin1Char(' '));
        tableRow({name.left(split), name.mid(split).trimmed(), app::generalNumber(c.leaves[i]), QString()}, false);
    }
    y += 12;
    const double total = c.total();
    line(QStringLiteral("Total: %1 of %2 days in the period").arg(app::generalNumber(total)).arg(c.periodDays)
             + (total == c.periodDays ? QString() : QStringLiteral("  (does not match the period)")),
         label);

    // Signature lines at the foot of the page.
    const double sy = page.height() - 40;
    const double lw = w * 0.38;
    p.setPen(QPen(Qt::black, 0.6));
    p.drawLine(QPointF(0, sy), QPointF(lw, sy));
    p.drawLine(QPointF(w - lw, sy), QPointF(w, sy));
    p.setFont(body);
    p.drawText(QRectF(0, sy + 4, lw, 14), Qt::AlignLeft | Qt::AlignTop, QString::fromLatin1(kEmployeeSignature));
    p.drawText(QRectF(w - lw, sy + 4, lw, 14), Qt::AlignLeft | Qt::AlignTop, QString::fromLatin1(kHeadSignature));
}

} // namespace

int paintCards(QPagedPaintDevice& device, const QList<entry::PrintedCard>& cards)
{
    const QSizeF page = device.pageLayout().paintRect(QPageLayout::Point).size();
    QPainter p(&device);
    if (!p.isActive())
        return 0;
    p.scale(device.logicalDpiX() / 72.0, device.logicalDpiY() / 72.0);
    for (int i = 0; i < cards.size(); ++i) {
        if (i > 0)
            device.newPage();
        paintCard(p, page, cards[i]);
    }
    p.end();
    return cards.size();
}

QString writeCardsPdf(const QList<entry::PrintedCard>& cards, const QString& path)
{
    TargetFile target(path);
    if (!target.open())
        return target.error();
    {
        QPdfWriter pdf(target.tempPath());
        pdf.setCreator(QStringLiteral("Karvela"));
        pdf.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(18, 15, 18, 15),
                                      QPageLayout::Millimeter));
        if (paintCards(pdf, cards) == 0) {
            target.fail(QStringLiteral("the PDF could not be drawn"));
            return target.error();
        }
    }
    return target.commit() ? QString() : target.error();
}

} // namespace output
