#pragma once
// Reports on pages, the same for paper and PDF: the title and period lines
// on top of every page, the fixed heading rows repeated on every page, the
// fixed columns repeated on every page when the report is wider than one,
// "Page N of M" at the foot. Long texts spill over the empty cells to their
// right, as on screen.

#include "output/table.h"

#include <QFont>
#include <QHash>
#include <QPageLayout>
#include <QGlyphRun>
#include <QRawFont>
#include <QRectF>

class QPagedPaintDevice;
class QPainter;

namespace output {

struct PageOptions {
    // Scales the report down so that all its columns fit the page width.
    bool fitToWidth = false;
};

// One page of a report: rows [firstRow, endRow) below the fixed rows, and
// the scrolling columns [firstCol, endCol) beside the fixed columns.
struct PageCut {
    int firstRow = 0, endRow = 0;
    int firstCol = 0, endCol = 0;
};

class PageLayout {
public:
    // `page`: the printable area in points.
    PageLayout(const Table& table, const QSizeF& page, const PageOptions& options);

    const QList<PageCut>& pages() const { return pages_; }
    double scale() const { return scale_; }
    // Width in points of the whole report at its natural size.
    double naturalWidth() const;
    // Paints page `index` with the painter's origin at the printable area's
    // top left, one unit a point.
    void paint(QPainter& painter, int index) const;

private:
    double colWidth(int c) const { return widths_.value(c); }
    // Texts are laid out once each and measured once each.
    // Glyphs of one font: a text's, or a page's gathered by font and drawn
    // in one run each.
    struct Glyphs {
        int font = 0; // into fontsUsed_
        QList<quint32> indexes;
        QList<QPointF> positions;
    };
    struct Text {
        QList<Glyphs> glyphs; // laid out at (0, 0): the top left of the text
        double width = 0;
    };
    enum Face { Body, Bold, Title, Period };
    const Text& text(const QString& s, Face face) const;
    void addText(QList<Glyphs>& page, const Text& t, const QPointF& topLeft) const;
    // Lays out a row's texts (into `glyphs`); `covered` gets, per column of
    // `cols`, whether a text from its left runs over it.
    void paintRow(QPainter& p, int row, const QList<int>& cols, const QList<double>& xs, double y,
                  QList<bool>& covered, QList<Glyphs>& glyphs) const;

    const Table& t_;
    QSizeF page_;
    double scale_ = 1;
    QList<double> widths_;
    double rowH_ = 0;
    double headH_ = 0;
    double footH_ = 0;
    QList<PageCut> pages_;
    QFont fonts_[4];
    QRawFont raw_[4];
    double textH_ = 0;
    mutable QHash<QString, Text> texts_[4];
    mutable QList<QRawFont> fontsUsed_;
    mutable QList<Glyphs> pageGlyphs_;
    int fontId(const QRawFont& font) const;
};

// Landscape when the report is wider than a portrait page.
QPageLayout::Orientation preferredOrientation(const Table& table, const QPageLayout& layout);
// Paints every page of the report on the device with the page layout it
// has; returns the number of pages.
int paintReport(QPagedPaintDevice& device, const Table& table, const PageOptions& options);

// Fonts of the printed pages (sizes in points).
QFont pageFont(double points, bool bold = false);

} // namespace output
