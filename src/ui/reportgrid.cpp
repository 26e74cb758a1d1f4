#include "ui/reportgrid.h"

#include "reports/gridmodel.h"

#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QHeaderView>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStyledItemDelegate>

namespace ui {

namespace {

// Draws the fixed rows and columns in the heading style.
class HeadingDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override
    {
        QStyledItemDelegate::initStyleOption(option, index);
        const auto* grid = qobject_cast<const reports::GridModel*>(index.model());
        if (grid && (index.row() < grid->fixedRows() || index.column() < grid->fixedCols())) {
            option->backgroundBrush = QColor(0xd8, 0xdc, 0xe3);
        }
    }
};

constexpr int kPadding = 8;

} // namespace

ReportGrid::ReportGrid(QWidget* parent) : QTableView(parent)
{
    horizontalHeader()->hide();
    verticalHeader()->hide();
    setHorizontalScrollMode(ScrollPerPixel);
    setVerticalScrollMode(ScrollPerPixel);
    setItemDelegate(new HeadingDelegate(this));
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

    connect(horizontalScrollBar(), &QScrollBar::valueChanged, top_->horizontalScrollBar(), &QScrollBar::setValue);
    connect(verticalScrollBar(), &QScrollBar::valueChanged, left_->verticalScrollBar(), &QScrollBar::setValue);
    connect(top_->horizontalScrollBar(), &QScrollBar::valueChanged, horizontalScrollBar(), &QScrollBar::setValue);
    connect(left_->verticalScrollBar(), &QScrollBar::valueChanged, verticalScrollBar(), &QScrollBar::setValue);
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
    auto* v = new QTableView(this);
    v->setObjectName(name);
    v->setFocusPolicy(Qt::NoFocus);
    v->horizontalHeader()->hide();
    v->verticalHeader()->hide();
    v->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    v->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    v->setHorizontalScrollMode(ScrollPerPixel);
    v->setVerticalScrollMode(ScrollPerPixel);
    v->setFrameStyle(QFrame::NoFrame);
    v->setWordWrap(false);
    v->setItemDelegate(new HeadingDelegate(v));
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
    top_->horizontalScrollBar()->setValue(horizontalScrollBar()->value());
    left_->verticalScrollBar()->setValue(verticalScrollBar()->value());
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

void ReportGrid::scrollTo(const QModelIndex& index, ScrollHint hint)
{
    QTableView::scrollTo(index, hint);
    if (!grid_ || !index.isValid())
        return;
    // A cell scrolled into view must not end up behind the fixed rows or
    // columns.
    const QRect r = visualRect(index);
    if (index.column() >= grid_->fixedCols() && r.left() < fixedWidth())
        horizontalScrollBar()->setValue(horizontalScrollBar()->value() - (fixedWidth() - r.left()));
    if (index.row() >= grid_->fixedRows() && r.top() < fixedHeight())
        verticalScrollBar()->setValue(verticalScrollBar()->value() - (fixedHeight() - r.top()));
}

} // namespace ui
