#pragma once
// The report grid's view: one scrolling table and three frozen views over
// the same model and selection (the fixed rows along the top, the fixed
// columns along the left, and their corner), so that the heading rows and
// columns stay in view while the rest scrolls.

#include <QTableView>

namespace reports {
class GridModel;
}

namespace ui {

class ReportGrid : public QTableView {
    Q_OBJECT
public:
    explicit ReportGrid(QWidget* parent = nullptr);

    void setGridModel(reports::GridModel* model);
    reports::GridModel* gridModel() const { return grid_; }

    // Scrolls so that `row` and `col` are the first scrollable row and
    // column in view (row = fixed rows, col = fixed columns: the top left).
    void showFirst(int row, int col);
    // Pixel width of a column kept as a count of "Z" in the window's font.
    int widthOfZ(int zCount) const;

    QTableView* frozenTop() const { return top_; }
    QTableView* frozenLeft() const { return left_; }
    QTableView* frozenCorner() const { return corner_; }

    // Scrolls only the scrolling part: a cell of a fixed row or column never
    // moves that axis, and a scrolled cell never ends up behind the fixed
    // rows or columns.
    void scrollTo(const QModelIndex& index, ScrollHint hint = EnsureVisible) override;

    // The column after the last one a cell's text covers: a left-aligned text
    // wider than its column spills over the empty cells to its right.
    int textEnd(const QModelIndex& index) const;

protected:
    QModelIndex moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) override;
    void resizeEvent(QResizeEvent* e) override;
    // Right-button presses and context-menu events on the fixed rows and
    // columns are passed on to this view's viewport, so that the grid
    // behaves as one control for its pop-up menu.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QTableView* makeFrozen(const QString& name);
    void applyWidths();
    void layoutFrozen();
    // The fixed views show the main view's offset on their scrolling axis
    // and zero on their fixed one.
    void syncFrozen();
    int fixedHeight() const;
    int fixedWidth() const;

    reports::GridModel* grid_ = nullptr;
    QTableView* top_ = nullptr;
    QTableView* left_ = nullptr;
    QTableView* corner_ = nullptr;
};

} // namespace ui
