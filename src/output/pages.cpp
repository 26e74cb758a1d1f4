#include "output/pages.h"

#include <QFontMetricsF>
#include <QPagedPaintDevice>
#include <QPainter>

#include <cmath>

namespace output {

namespace {

constexpr double kBody = 8;     // cell text
constexpr double kTitle = 11;   // title line
constexpr double kPeriod = 9;   // period line
constexpr double kPad = 3;      // inside a cell, left and right

const QColor kHeadingFill(0xe4, 0xe7, 0xec);
const QColor kRule(0x9a, 0xa0, 0xa8);

} // namespace

QFont pageFont(double points, bool bold)
{
    QFont f(QStringLiteral("DejaVu Sans"));
    f.setStyleHint(QFont::SansSerif);
    // Pixel sizes: the painter works in points, whatever the device.
    f.setPixelSize(std::max(1, int(std::lround(points))));
    f.setBold(bold);
    f.setHintingPreference(QFont::PreferNoHinting);
    return f;
}

PageLayout::PageLayout(const Table& table, const QSizeF& page, const PageOptions& options) : t_(table), page_(page)
{
    const QFontMetricsF fm(pageFont(kBody));
    // Measured in the bold face of the heading rows, so that headings fit.
    const double z = QFontMetricsF(pageFont(kBody, true)).horizontalAdvance(QLatin1Char('Z'));
    for (int c = 0; c < t_.columns(); ++c)
        widths_ << t_.widthsZ[c] * z + 2 * kPad;
    rowH_ = fm.height() + 4;
    headH_ = QFontMetricsF(pageFont(kTitle, true)).height() + QFontMetricsF(pageFont(kPeriod)).height() + 8;
    footH_ = fm.height() + 6;

    const double total = naturalWidth();
    if (options.fitToWidth && total > page_.width())
        scale_ = page_.width() / total;
    const double width = page_.width() / scale_;
    const double height = page_.height() / scale_;

    // Column bands beside the fixed columns.
    double fixedW = 0;
    for (int c = 0; c < t_.fixedCols; ++c)
        fixedW += colWidth(c);
    QList<QPair<int, int>> bands;
    int c = t_.fixedCols;
    if (c >= t_.columns())
        bands.append({c, c});
    while (c < t_.columns()) {
        double w = fixedW + colWidth(c);
        int end = c + 1;
        while (end < t_.columns() && w + colWidth(end) <= width + 0.01)
            w += colWidth(end++);
        bands.append({c, end});
        c = end;
    }
    // Row chunks below the fixed rows.
    const int perPage = std::max(1, int((height - headH_ - footH_ - t_.fixedRows * rowH_) / rowH_));
    QList<QPair<int, int>> chunks;
    int r = t_.fixedRows;
    if (r >= t_.rows.size())
        chunks.append({r, r});
    for (; r < t_.rows.size(); r += perPage)
        chunks.append({r, std::min<int>(r + perPage, t_.rows.size())});
    // Down, then across.
    for (const auto& b : bands)
        for (const auto& ch : chunks)
            pages_.append({ch.first, ch.second, b.first, b.second});
}

double PageLayout::naturalWidth() const
{
    double w = 0;
    for (double c : widths_)
        w += c;
    return w;
}

void PageLayout::paintRow(QPainter& p, int row, const QList<int>& cols, double y) const
{
    const bool headingRow = row < t_.fixedRows;
    const QFont font = pageFont(kBody, headingRow);
    const QFontMetricsF fm(font);
    p.setFont(font);
    QList<double> xs;
    double x = 0;
    for (int c : cols) {
        xs << x;
        x += colWidth(c);
    }
    // How far each cell's text reaches: over empty neighbours when too wide.
    QList<int> spanEnd(cols.size());
    for (int i = 0; i < cols.size(); ++i)
        spanEnd[i] = i + 1;
    for (int i = 0; i < cols.size(); ++i) {
        const QString text = t_.cell(row, cols[i]);
        if (text.isEmpty() || t_.cellAlignment(row, cols[i]) != Qt::AlignLeft)
            continue;
        double room = colWidth(cols[i]) - 2 * kPad;
        const double need = fm.horizontalAdvance(text);
        int j = i + 1;
        while (need > room && j < cols.size() && t_.cell(row, cols[j]).isEmpty())
            room += colWidth(cols[j++]);
        spanEnd[i] = j;
        i = j - 1;
    }
    // Cells: heading fill and rules; no rule inside a spilled text.
    QList<bool> covered(cols.size(), false);
    for (int i = 0; i < cols.size(); ++i)
        for (int j = i + 1; j < spanEnd[i]; ++j)
            covered[j] = true;
    for (int i = 0; i < cols.size(); ++i) {
        const QRectF cell(xs[i], y, colWidth(cols[i]), rowH_);
        if (headingRow || cols[i] < t_.fixedCols)
            p.fillRect(cell, kHeadingFill);
    }
    p.setPen(QPen(kRule, 0.4));
    for (int i = 0; i < cols.size(); ++i) {
        const QRectF cell(xs[i], y, colWidth(cols[i]), rowH_);
        p.drawLine(cell.bottomLeft(), cell.bottomRight());
        if (i == 0 || !covered[i])
            p.drawLine(cell.topLeft(), cell.bottomLeft());
    }
    if (!cols.isEmpty())
        p.drawLine(QPointF(x, y), QPointF(x, y + rowH_));
    p.setPen(Qt::black);
    for (int i = 0; i < cols.size(); ++i) {
        const QString text = t_.cell(row, cols[i]);
        if (text.isEmpty())
            continue;
        const double right = spanEnd[i] < cols.size() ? xs[spanEnd[i]] : x;
        const QRectF area(xs[i] + kPad, y, right - xs[i] - 2 * kPad, rowH_);
        const Qt::Alignment a = t_.cellAlignment(row, cols[i]);
        p.drawText(area, int(a | Qt::AlignVCenter), fm.elidedText(text, Qt::ElideRight, area.width() + 0.5));
    }
}

void PageLayout::paint(QPainter& p, int index) const
{
    const PageCut& cut = pages_.at(index);
    p.save();
    p.scale(scale_, scale_);
    const double width = page_.width() / scale_;
    const double height = page_.height() / scale_;
    // Title and period lines.
    const QFont title = pageFont(kTitle, true);
    const QFont period = pageFont(kPeriod);
    const double titleH = QFontMetricsF(title).height();
    p.setPen(Qt::black);
    p.setFont(title);
    p.drawText(QRectF(0, 0, width, titleH), Qt::AlignLeft | Qt::AlignVCenter, t_.title);
    p.setFont(period);
    p.drawText(QRectF(0, titleH + 2, width, QFontMetricsF(period).height()), Qt::AlignLeft | Qt::AlignVCenter,
               t_.period);

    QList<int> cols;
    for (int c = 0; c < t_.fixedCols; ++c)
        cols << c;
    for (int c = cut.firstCol; c < cut.endCol; ++c)
        cols << c;
    double y = headH_;
    for (int r = 0; r < t_.fixedRows; ++r, y += rowH_)
        paintRow(p, r, cols, y);
    for (int r = cut.firstRow; r < cut.endRow; ++r, y += rowH_)
        paintRow(p, r, cols, y);

    p.setFont(pageFont(kBody));
    p.setPen(Qt::black);
    p.drawText(QRectF(0, height - footH_, width, footH_), Qt::AlignHCenter | Qt::AlignBottom,
               QStringLiteral("Page %1 of %2").arg(index + 1).arg(pages_.size()));
    p.restore();
}

QPageLayout::Orientation preferredOrientation(const Table& table, const QPageLayout& layout)
{
    QPageLayout portrait = layout;
    portrait.setOrientation(QPageLayout::Portrait);
    const QSizeF page = portrait.paintRect(QPageLayout::Point).size();
    const PageLayout natural(table, page, {});
    return natural.naturalWidth() > page.width() ? QPageLayout::Landscape : QPageLayout::Portrait;
}

int paintReport(QPagedPaintDevice& device, const Table& table, const PageOptions& options)
{
    const QSizeF page = device.pageLayout().paintRect(QPageLayout::Point).size();
    const PageLayout layout(table, page, options);
    QPainter p(&device);
    if (!p.isActive())
        return 0;
    p.setRenderHint(QPainter::TextAntialiasing);
    p.scale(device.logicalDpiX() / 72.0, device.logicalDpiY() / 72.0);
    for (int i = 0; i < layout.pages().size(); ++i) {
        if (i > 0)
            device.newPage();
        layout.paint(p, i);
    }
    p.end();
    return layout.pages().size();
}

} // namespace output
