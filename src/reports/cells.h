#pragma once
// The texts of a report or query grid, row by row. A row keeps only the
// cells that hold a text, in column order, and the width it was written to:
// a wide report whose rows are mostly empty (one column per employee of a
// department, one row per job) costs memory for what it shows, not for its
// area.
#include <QList>
#include <QtNumeric>
#include <QString>

namespace reports {

class Cells {
public:
    int size() const { return int(rows_.size()); }
    void clear() { rows_.clear(); }

    QString at(int row, int col) const;
    // Writes a cell, widening its row to col + 1 when narrower, even for an
    // empty text. `number`: the value the cell's text stands for, kept
    // beside it so that sums need not read the text back (NaN: none).
    void set(int row, int col, const QString& text, double number = qQNaN());
    // The value written with a cell's text; NaN when none was (or the cell
    // is empty), and `text` gets the cell's text.
    double number(int row, int col, QString* text = nullptr) const;
    // Columns written in a row: its last column plus one.
    int width(int row) const { return row >= 0 && row < rows_.size() ? rows_[row].width : 0; }
    bool hasText(int row) const { return row >= 0 && row < rows_.size() && !rows_[row].texts.isEmpty(); }
    // Calls f(col, number, text) for each cell of a row that holds a text,
    // in column order.
    template <typename F>
    void forEachInRow(int row, F&& f) const
    {
        if (row >= 0 && row < rows_.size())
            for (const Entry& e : rows_[row].texts)
                f(e.col, e.number, e.text);
    }

private:
    struct Entry {
        int col;
        double number;
        QString text;
    };
    struct Row {
        QList<Entry> texts; // by column, ascending
        int width = 0;
    };
    QList<Row> rows_;
    // The entry of a cell that holds a text; null for an empty one.
    const Entry* find(int row, int col) const;
};

} // namespace reports
