#include "output/pages.h"

#include <QFontMetricsF>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPainterPath>
#include <QTextLayout>

#include <algorithm>
#include <cmath>

#ifdef __GLIBC__
#include <malloc.h>
#endif

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
    fonts_[Body] = pageFont(kBody);
    fonts_[Bold] = pageFont(kBody, true);
    fonts_[Title] = pageFont(kTitle, true);
    fonts_[Period] = pageFont(kPeriod);
    for (int f = Body; f <= Period; ++f)
        raw_[f] = QRawFont::fromFont(fonts_[f]);
    textH_ = fm.height();
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

int PageLayout::fontId(const QRawFont& font) const
{
    const auto it = std::find(fontsUsed_.cbegin(), fontsUsed_.cend(), font);
    if (it != fontsUsed_.cend())
        return int(it - fontsUsed_.cbegin());
    fontsUsed_.append(font);
    return int(fontsUsed_.size()) - 1;
}

namespace {
// Texts of scripts that need no shaping (Latin, Greek, Cyrillic, the common
// punctuation) are laid out from the font's own glyphs and advances, much
// faster than a full text layout and the same on the page.
bool plainScript(const QString& s)
{
    return std::all_of(s.cbegin(), s.cend(), [](QChar c) {
        const char16_t u = c.unicode();
        return (u >= 0x20 && u < 0x0300) || (u >= 0x0370 && u < 0x0530); // no combining marks
    });
}
} // namespace

const PageLayout::Text& PageLayout::text(const QString& s, Face face) const
{
    QHash<QString, Text>& cache = texts_[face];
    auto it = cache.find(s);
    if (it != cache.end())
        return *it;
    Text t;
    const QRawFont& raw = raw_[face];
    QList<quint32> indexes = raw.isValid() && plainScript(s) ? raw.glyphIndexesForString(s) : QList<quint32>();
    if (indexes.size() == s.size() && !indexes.contains(0)) {
        const QList<QPointF> advances = raw.advancesForGlyphIndexes(indexes, QRawFont::KernedAdvances);
        Glyphs g{fontId(raw), std::move(indexes), {}};
        g.positions.reserve(advances.size());
        QPointF pen(0, raw.ascent());
        for (const QPointF& a : advances) {
            g.positions.append(pen);
            pen += a;
        }
        t.width = pen.x();
        t.glyphs.append(std::move(g));
    } else {
        QTextLayout layout(s, fonts_[face]);
        layout.beginLayout();
        QTextLine line = layout.createLine();
        layout.endLayout();
        // Kept apart from the runs: a run gives its glyphs as copies.
        for (const QGlyphRun& run : layout.glyphRuns())
            t.glyphs.append({fontId(run.rawFont()), run.glyphIndexes(), run.positions()});
        t.width = line.isValid() ? line.naturalTextWidth() : 0;
    }
    return *cache.insert(s, t);
}

void PageLayout::addText(QList<Glyphs>& page, const Text& t, const QPointF& topLeft) const
{
    for (const Glyphs& run : t.glyphs) {
        if (run.font >= page.size())
            page.resize(run.font + 1);
        Glyphs& to = page[run.font];
        to.indexes += run.indexes;
        for (const QPointF& pos : run.positions)
            to.positions.append(pos + topLeft);
    }
}

void PageLayout::paintRow(QPainter& p, int row, const QList<int>& cols, const QList<double>& xs, double y,
                          QList<bool>& covered, QList<Glyphs>& glyphs) const
{
    const bool headingRow = row < t_.fixedRows;
    covered.fill(false, cols.size());
    for (int i = 0; i < cols.size(); ++i) {
        const QString& s = t_.rows[row][cols[i]];
        if (s.isEmpty())
            continue;
        const Text& t = text(s, headingRow ? Bold : Body);
        const Qt::Alignment a = t_.cellAlignment(row, cols[i]);
        // A left-aligned text too wide for its column runs over the empty
        // cells to its right.
        int end = i + 1;
        double room = colWidth(cols[i]) - 2 * kPad;
        if (a == Qt::AlignLeft)
            while (t.width > room && end < cols.size() && t_.rows[row][cols[end]].isEmpty()) {
                room += colWidth(cols[end]);
                covered[end++] = true;
            }
        const double top = y + (rowH_ - textH_) / 2;
        if (t.width <= room + 0.5) {
            double x = xs[i] + kPad;
            if (a == Qt::AlignRight)
                x = xs[i] + colWidth(cols[i]) - kPad - t.width;
            else if (a == Qt::AlignHCenter)
                x = xs[i] + (colWidth(cols[i]) - t.width) / 2;
            addText(glyphs, t, QPointF(x, top));
        } else {
            const QFontMetricsF fm(fonts_[headingRow ? Bold : Body]);
            p.setFont(fonts_[headingRow ? Bold : Body]);
            p.drawText(QPointF(xs[i] + kPad, top + fm.ascent()), fm.elidedText(s, Qt::ElideRight, room));
        }
        i = end - 1;
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
    p.setPen(Qt::black);
    // The page's glyphs by font; the lists keep their room from page to page.
    QList<Glyphs>& glyphs = pageGlyphs_;
    for (Glyphs& g : glyphs) {
        g.indexes.clear();
        g.positions.clear();
    }
    addText(glyphs, text(t_.title, Title), QPointF(0, 0));
    addText(glyphs, text(t_.period, Period), QPointF(0, QFontMetricsF(fonts_[Title]).height() + 2));

    QList<int> cols;
    for (int c = 0; c < t_.fixedCols; ++c)
        cols << c;
    for (int c = cut.firstCol; c < cut.endCol; ++c)
        cols << c;
    QList<double> xs;
    double x = 0;
    for (int c : cols) {
        xs << x;
        x += colWidth(c);
    }
    xs << x;
    QList<int> rows;
    for (int r = 0; r < t_.fixedRows; ++r)
        rows << r;
    for (int r = cut.firstRow; r < cut.endRow; ++r)
        rows << r;

    // Heading fills in one go: the heading rows, and the fixed columns
    // below them.
    {
        const int headRows = std::min<int>(t_.fixedRows, rows.size());
        const double fixedW = xs.value(std::min<int>(t_.fixedCols, cols.size()));
        QPainterPath fill;
        fill.addRect(QRectF(0, headH_, x, headRows * rowH_));
        if (fixedW > 0)
            fill.addRect(QRectF(0, headH_ + headRows * rowH_, fixedW, (rows.size() - headRows) * rowH_));
        p.fillPath(fill, kHeadingFill);
    }
    // Texts row by row; which cells a text runs over.
    QList<QList<bool>> covered(rows.size());
    for (int k = 0; k < rows.size(); ++k)
        paintRow(p, rows[k], cols, xs, headH_ + k * rowH_, covered[k], glyphs);
    for (int f = 0; f < glyphs.size(); ++f) {
        const Glyphs& g = glyphs[f];
        if (g.indexes.isEmpty())
            continue;
        QGlyphRun run;
        run.setRawFont(fontsUsed_[f]);
        run.setGlyphIndexes(g.indexes);
        run.setPositions(g.positions);
        p.drawGlyphRun(QPointF(0, 0), run);
    }

    // Rules: one line a row, and each column's left edge in runs of rows
    // that no text crosses.
    p.setPen(QPen(kRule, 0.4));
    const double top = headH_;
    QList<QLineF> rules;
    for (int k = 0; k <= rows.size(); ++k)
        rules << QLineF(0, top + k * rowH_, x, top + k * rowH_);
    for (int i = 0; i <= cols.size(); ++i) {
        int from = 0;
        for (int k = 0; k <= rows.size(); ++k) {
            const bool crossed = k < rows.size() && i < cols.size() && covered[k].value(i);
            if (k == rows.size() || crossed) {
                if (k > from)
                    rules << QLineF(xs[i], top + from * rowH_, xs[i], top + k * rowH_);
                from = k + 1;
            }
        }
    }
    p.drawLines(rules);
    p.setPen(Qt::black);
    p.setFont(fonts_[Body]);
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

namespace {
// The PDF writer compresses every page with buffers of its own, a few
// hundred kilobytes each. With the allocator's starting thresholds they are
// mapped and unmapped, or trimmed off the heap, page after page, and every
// page faults them in afresh (a quarter of the time of a long report).
// These are the thresholds the allocator itself grows to after its first
// large blocks; set once, before the first page.
void settleAllocator()
{
#ifdef __GLIBC__
    static const bool settled = [] {
        mallopt(M_MMAP_THRESHOLD, 32 << 20);
        mallopt(M_TRIM_THRESHOLD, 64 << 20);
        return true;
    }();
    (void)settled;
#endif
}
} // namespace

int paintReport(QPagedPaintDevice& device, const Table& table, const PageOptions& options)
{
    settleAllocator();
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
