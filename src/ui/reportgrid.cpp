#include "ui/reportgrid.h"

#include "reports/gridmodel.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QHeaderView>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStyledItemDelegate>
#include <QWheelEvent>

namespace ui {

namespace {

constexpr int kPadding = 8;
// How far to the left a covered cell looks for the text that spills over it.
constexpr int kSpillReach = 64;

bool isHeading(const reports::GridModel* grid, const QModelIndex& index)
{
    return grid && (index.row() < grid->fixedRows() || index.column() < grid->fixedCols());
}

// The column after the last one the text of (row, col) covers.
int spillEnd(const QTableView* view, const reports::GridModel* grid, const QFontMetrics& fm, int row, int col)
{
    const QString text = grid->cell(row, col);
    if (text.isEmpty() || grid->cellAlignment(row, col) != Qt::AlignLeft)
        return col + 1;
    const int need = fm.horizontalAdvance(text) + kPadding;
    int room = view->columnWidth(col);
    int end = col + 1;
    const int cols = grid->columnCount();
    while (room < need && end < cols && grid->cell(row, end).isEmpty())
        room += view->columnWidth(end++);
    return end;
}

// The cell whose text covers (row, col), or -1.
int spillOrigin(const QTableView* view, const reports::GridModel* grid, const QFontMetrics& fm, int row, int col)
{
    if (!grid->cell(row, col).isEmpty())
        return col;
    for (int c = col - 1; c >= 0 && c >= col - kSpillReach; --c) {
        if (grid->cell(row, c).isEmpty())
            continue;
        return spillEnd(view, grid, fm, row, c) > col ? c : -1;
    }
    return -1;
}

// Draws the fixed rows and columns in the heading style of the palette, long
// texts over the empty cells to their right, and the grid lines (the views'
// own lines would cross a spilled text).
class GridDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        const auto* grid = qobject_cast<const reports::GridModel*>(index.model());
        const auto* view = qobject_cast<const QTableView*>(option.widget);
        QStyleOptionViewItem opt = option;
        initStyleOption(&opt, index);
        const QFontMetrics fm(opt.font);
        const int origin = grid && view ? spillOrigin(view, grid, fm, index.row(), index.column()) : index.column();
        const int end = origin >= 0 && grid && view ? spillEnd(view, grid, fm, index.row(), origin) : index.column() + 1;
        const QStyle* style = view ? view->style() : QApplication::style();
        if (origin < 0 || end == origin + 1) {
            style->drawControl(QStyle::CE_ItemViewItem, &opt, painter, option.widget);
        } else {
            // Background of this cell, then the spilled text clipped to it.
            const QString text = opt.text;
            opt.text.clear();
            style->drawControl(QStyle::CE_ItemViewItem, &opt, painter, option.widget);
            const QModelIndex from = index.sibling(index.row(), origin);
            QRect area = view->visualRect(from);
            area.setRight(view->visualRect(index.sibling(index.row(), end - 1)).right());
            QStyleOptionViewItem textOpt = opt;
            initStyleOption(&textOpt, from);
            textOpt.rect = area;
            const QRect textRect =
                style->subElementRect(QStyle::SE_ItemViewItemText, &textOpt, option.widget);
            painter->save();
            painter->setClipRect(option.rect);
            const bool selected = opt.state & QStyle::State_Selected;
            painter->setPen(opt.palette.color(selected ? QPalette::HighlightedText : QPalette::Text));
            painter->setFont(opt.font);
            const QString shown = origin == index.column() ? text : grid->cell(index.row(), origin);
            painter->drawText(textRect, int(Qt::AlignLeft | Qt::AlignVCenter), shown);
            painter->restore();
        }
        // Grid lines: the bottom of every cell, the right unless the text
        // runs on.
        painter->save();
        painter->setPen(QColor::fromRgba(
            QRgb(style->styleHint(QStyle::SH_Table_GridLineColor, &option, option.widget))));
        const QRect r = option.rect;
        painter->drawLine(r.bottomLeft(), r.bottomRight());
        if (origin < 0 || end <= index.column() + 1)
            painter->drawLine(r.topRight(), r.bottomRight());
        painter->restore();
    }

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override
    {
        QStyledItemDelegate::initStyleOption(option, index);
        if (isHeading(qobject_cast<const reports::GridModel*>(index.model()), index)) {
            // The style's button colour, tinted towards its highlight so that
            // the headings stand out in light and dark styles alike.
            const QColor b = option->palette.color(QPalette::Button);
            const QColor h = option->palette.color(QPalette::Highlight);
            option->backgroundBrush = QColor::fromRgbF(b.redF() * 0.85 + h.redF() * 0.15,
                                                       b.greenF() * 0.85 + h.greenF() * 0.15,
                                                       b.blueF() * 0.85 + h.blueF() * 0.15);
            option->palette.setColor(QPalette::Text, option->palette.color(QPalette::ButtonText));
        }
    }
};

// A fixed part of the grid: it never scrolls by itself; the grid sets its
// offsets. Wheel turns go to the grid.
class FrozenView : public QTableView {
public:
    FrozenView(QTableView* owner) : QTableView(owner), owner_(owner) {}
    void scrollTo(const QModelIndex&, ScrollHint) override {}

protected:
    void wheelEvent(QWheelEvent* e) override { QCoreApplication::sendEvent(owner_->viewport(), e); }

private:
    QTableView* owner_;
};

} // namespace

ReportGrid::ReportGrid(QWidget* parent) : QTableView(parent)
{
    horizontalHeader()->hide();
    verticalHeader()->hide();
    setHorizontalScrollMode(ScrollPerPixel);
    setVerticalScrollMode(ScrollPerPixel);
    setItemDelegate(new GridDelegate(this));
    setShowGrid(false);
    setWordWrap(false);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    verticalHeader()->setMinimumSectionSize(fontMetrics().height() + 2);
    top_ = makeFrozen(QStringLiteral("FlxFixedRows"));
    left_ = makeFrozen(QStringLiteral("FlxFixedCols"));
    corner_ = makeFrozen(QStringLiteral("FlxFixedCorner"));
    // Stacking: the scrolling cells, then the fixed rows and columns, then
    // their corner on top.
    viewport()->stackUnder(top_);
    top_->stackUnder(corner_);
    left_->stackUnder(corner_);

    // The grid's scroll bars lead; the fixed views follow.
    connect(horizontalScrollBar(), &QScrollBar::valueChanged, this, &ReportGrid::syncFrozen);
    connect(verticalScrollBar(), &QScrollBar::valueChanged, this, &ReportGrid::syncFrozen);
    connect(horizontalScrollBar(), &QScrollBar::rangeChanged, this, &ReportGrid::syncFrozen);
    connect(verticalScrollBar(), &QScrollBar::rangeChanged, this, &ReportGrid::syncFrozen);
    for (QTableView* v : {top_, left_, corner_}) {
        connect(v->horizontalScrollBar(), &QScrollBar::valueChanged, this, &ReportGrid::syncFrozen);
        connect(v->verticalScrollBar(), &QScrollBar::valueChanged, this, &ReportGrid::syncFrozen);
        connect(v->horizontalScrollBar(), &QScrollBar::rangeChanged, this, &ReportGrid::syncFrozen);
        connect(v->verticalScrollBar(), &QScrollBar::rangeChanged, this, &ReportGrid::syncFrozen);
    }
    connect(horizontalHeader(), &QHeaderView::sectionResized, this, [this](int c, int, int w) {
        for (QTableView* v : {top_, left_, corner_})
            v->setColumnWidth(c, w);
        layoutFrozen();
    });
    connect(verticalHeader(), &QHeaderView::sectionResized, this, [this](int r, int, int h) {
        for (QTableView* v : {top_, left_, corner_})
            v->setRowHeight(r, h);
        layoutFrozen();
    });
}

QTableView* ReportGrid::makeFrozen(const QString& name)
{
    auto* v = new FrozenView(this);
    v->setObjectName(name);
    v->setFocusPolicy(Qt::NoFocus);
    v->setAutoScroll(false);
    v->horizontalHeader()->hide();
    v->verticalHeader()->hide();
    v->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    v->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    v->setHorizontalScrollMode(ScrollPerPixel);
    v->setVerticalScrollMode(ScrollPerPixel);
    v->setFrameStyle(QFrame::NoFrame);
    v->setShowGrid(false);
    v->setWordWrap(false);
    v->setItemDelegate(new GridDelegate(v));
    v->verticalHeader()->setDefaultSectionSize(verticalHeader()->defaultSectionSize());
    v->verticalHeader()->setMinimumSectionSize(verticalHeader()->minimumSectionSize());
    v->viewport()->installEventFilter(this);
    v->hide();
    return v;
}

void ReportGrid::setGridModel(reports::GridModel* model)
{
    grid_ = model;
    setModel(model);
    for (QTableView* v : {top_, left_, corner_}) {
        v->setModel(model);
        v->setSelectionModel(selectionModel());
    }
    connect(model, &reports::GridModel::widthsChanged, this, &ReportGrid::applyWidths);
    connect(model, &reports::GridModel::fixedChanged, this, &ReportGrid::layoutFrozen);
    connect(model, &QAbstractItemModel::modelReset, this, &ReportGrid::applyWidths);
    connect(model, &QAbstractItemModel::rowsInserted, this, &ReportGrid::layoutFrozen);
    connect(model, &QAbstractItemModel::columnsInserted, this, &ReportGrid::applyWidths);
    applyWidths();
}

int ReportGrid::widthOfZ(int zCount) const
{
    return fontMetrics().horizontalAdvance(QString(zCount, QLatin1Char('Z'))) + kPadding;
}

void ReportGrid::applyWidths()
{
    if (!grid_)
        return;
    const int n = grid_->columnCount();
    for (int c = 0; c < n; ++c) {
        const int z = grid_->widthZ(c);
        const int w = z > 0 ? widthOfZ(z) : horizontalHeader()->defaultSectionSize();
        if (columnWidth(c) != w)
            setColumnWidth(c, w);
        for (QTableView* v : {top_, left_, corner_})
            if (v->columnWidth(c) != w)
                v->setColumnWidth(c, w);
    }
    layoutFrozen();
}

int ReportGrid::fixedHeight() const
{
    int h = 0;
    if (grid_)
        for (int r = 0; r < grid_->fixedRows() && r < grid_->rowCount(); ++r)
            h += rowHeight(r);
    return h;
}

int ReportGrid::fixedWidth() const
{
    int w = 0;
    if (grid_)
        for (int c = 0; c < grid_->fixedCols() && c < grid_->columnCount(); ++c)
            w += columnWidth(c);
    return w;
}

void ReportGrid::layoutFrozen()
{
    if (!grid_)
        return;
    const QRect vp = viewport()->geometry();
    const int h = std::min(fixedHeight(), vp.height());
    const int w = std::min(fixedWidth(), vp.width());
    top_->setGeometry(vp.x(), vp.y(), vp.width(), h);
    left_->setGeometry(vp.x(), vp.y(), w, vp.height());
    corner_->setGeometry(vp.x(), vp.y(), w, h);
    top_->setVisible(h > 0);
    left_->setVisible(w > 0);
    corner_->setVisible(h > 0 && w > 0);
    syncFrozen();
}

void ReportGrid::syncFrozen()
{
    if (!top_ || !left_ || !corner_)
        return;
    const auto set = [](QScrollBar* bar, int value) {
        if (bar->maximum() < value)
            bar->setMaximum(value);
        if (bar->value() != value)
            bar->setValue(value);
    };
    set(top_->horizontalScrollBar(), horizontalScrollBar()->value());
    set(top_->verticalScrollBar(), 0);
    set(left_->horizontalScrollBar(), 0);
    set(left_->verticalScrollBar(), verticalScrollBar()->value());
    set(corner_->horizontalScrollBar(), 0);
    set(corner_->verticalScrollBar(), 0);
}

bool ReportGrid::eventFilter(QObject* watched, QEvent* event)
{
    auto* source = qobject_cast<QWidget*>(watched);
    if (!source || source == viewport())
        return QTableView::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick: {
        auto* m = static_cast<QMouseEvent*>(event);
        if (m->button() != Qt::RightButton)
            break;
        const QPointF pos = viewport()->mapFromGlobal(m->globalPosition());
        QMouseEvent copy(m->type(), pos, m->globalPosition(), m->button(), m->buttons(), m->modifiers());
        QCoreApplication::sendEvent(viewport(), &copy);
        return true;
    }
    case QEvent::ContextMenu: {
        auto* c = static_cast<QContextMenuEvent*>(event);
        QContextMenuEvent copy(c->reason(), viewport()->mapFromGlobal(c->globalPos()), c->globalPos(),
                               c->modifiers());
        QCoreApplication::sendEvent(viewport(), &copy);
        return true;
    }
    default:
        break;
    }
    return QTableView::eventFilter(watched, event);
}

void ReportGrid::resizeEvent(QResizeEvent* e)
{
    QTableView::resizeEvent(e);
    layoutFrozen();
}

void ReportGrid::showFirst(int row, int col)
{
    if (!grid_)
        return;
    int y = 0;
    for (int r = grid_->fixedRows(); r < row && r < grid_->rowCount(); ++r)
        y += rowHeight(r);
    int x = 0;
    for (int c = grid_->fixedCols(); c < col && c < grid_->columnCount(); ++c)
        x += columnWidth(c);
    verticalScrollBar()->setValue(y);
    horizontalScrollBar()->setValue(x);
}

void ReportGrid::scrollTo(const QModelIndex& index, ScrollHint)
{
    if (!grid_ || !index.isValid())
        return;
    // Offsets in the content: the cell's start and end, and the part of the
    // viewport the fixed rows or columns leave free.
    const auto ensure = [](QScrollBar* bar, int start, int size, int fixed, int page) {
        const int offset = bar->value();
        if (start - fixed < offset)
            bar->setValue(start - fixed);
        else if (start + size > offset + page)
            bar->setValue(std::min(start - fixed, start + size - page));
    };
    if (index.column() >= grid_->fixedCols())
        ensure(horizontalScrollBar(), columnViewportPosition(index.column()) + horizontalOffset(),
               columnWidth(index.column()), fixedWidth(), viewport()->width());
    if (index.row() >= grid_->fixedRows())
        ensure(verticalScrollBar(), rowViewportPosition(index.row()) + verticalOffset(), rowHeight(index.row()),
               fixedHeight(), viewport()->height());
}

QModelIndex ReportGrid::moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers)
{
    // Ctrl+Home goes to the first scrolling cell, as in a spreadsheet with
    // frozen panes.
    if (grid_ && action == MoveHome && (modifiers & Qt::ControlModifier)) {
        const QModelIndex first = grid_->index(std::min(grid_->fixedRows(), grid_->rowCount() - 1),
                                               std::min(grid_->fixedCols(), grid_->columnCount() - 1));
        horizontalScrollBar()->setValue(0);
        verticalScrollBar()->setValue(0);
        return first;
    }
    return QTableView::moveCursor(action, modifiers);
}

int ReportGrid::textEnd(const QModelIndex& index) const
{
    if (!grid_ || !index.isValid())
        return index.column() + 1;
    return spillEnd(this, grid_, fontMetrics(), index.row(), index.column());
}

} // namespace ui
