#pragma once
// The report grid: a table of text cells that grows to whatever a report or
// query needs, with leading fixed rows and columns (the view draws them in
// the heading style).

#include "reports/cells.h"

#include <QAbstractTableModel>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

namespace reports {

// A cell text that is wholly a number ("12", "-2.5", "1e3") or a percentage
// ("85.5%"): its value (85.5 for "85.5%"). No value for any other text.
struct CellNumber {
    double value = 0;
    bool percent = false;
};
std::optional<CellNumber> cellNumber(const QString& text);

class GridModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit GridModel(QObject* parent = nullptr);

    // Size in use: never below the initial 2 rows and 50 columns shown
    // empty, and growing with the highest cell written.
    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    QString cell(int row, int col) const;
    // Writes a cell, growing the grid when needed.
    void setCell(int row, int col, const QString& text);
    // Empties every cell; fixed counts, widths and alignment stay.
    void clearTexts();
    // Replaces every cell at once (a whole report); fixed counts, widths and
    // alignment stay.
    void setCells(const Cells& cells);

    int fixedRows() const { return fixedRows_; }
    int fixedCols() const { return fixedCols_; }
    void setFixed(int rows, int cols);

    // Column widths as counts of "Z" in the window's font (0: default).
    int widthZ(int col) const;
    void setWidthZ(int col, int zCount);

    // Alignment string: entries separated by "|", each an alignment mark
    // ("^" centred, "<" left, ">" right) followed by the header text of row 0.
    void setFormatString(const QString& format);
    const QString& formatString() const { return format_; }
    Qt::Alignment columnAlignment(int col) const;
    // True when an alignment string has set the column's alignment; other
    // columns follow the general rule: numbers right, texts left.
    bool hasColumnAlignment(int col) const;
    // Alignment a cell is shown with.
    Qt::Alignment cellAlignment(int row, int col) const;

    // Rows that hold a text (last non-empty row plus one).
    int lastUsedRow() const;

    // Many cells written at once: while a Batch lives, writes send no
    // signal per cell or row, and the views take the grid anew (one model
    // reset) when it ends. A query's tens of thousands of rows so cost what
    // writing them costs, not a view update each.
    class Batch {
    public:
        explicit Batch(GridModel& model) : model_(model)
        {
            if (model_.batch_++ == 0)
                model_.beginResetModel();
        }
        ~Batch()
        {
            if (--model_.batch_ == 0)
                model_.endResetModel();
        }
        Batch(const Batch&) = delete;
        Batch& operator=(const Batch&) = delete;

    private:
        GridModel& model_;
    };

signals:
    void widthsChanged();
    void fixedChanged();

private:
    void ensureSize(int rows, int cols);

    Cells cells_;
    int rows_ = 2;
    int cols_ = 50;
    int fixedRows_ = 2;
    int fixedCols_ = 3;
    QList<int> widthsZ_;
    QList<Qt::Alignment> align_;
    QList<bool> alignSet_;
    QString format_;
    int batch_ = 0;
};

} // namespace reports
