#pragma once
// The grid tools: sorting a selected block of rows, and the block text that
// Copy, Cut and Paste move through the clipboard.

#include <QDate>
#include <QString>

#include <optional>

namespace reports {
class GridModel;
}

namespace queries {

// A selected block: the cursor cell (r1, c1) and the other corner (r2, c2),
// which may lie above or left of the cursor.
struct Block {
    int r1 = 0, c1 = 0, r2 = 0, c2 = 0;
    int top() const { return std::min(r1, r2); }
    int bottom() const { return std::max(r1, r2); }
    int left() const { return std::min(c1, c2); }
    int right() const { return std::max(c1, c2); }
    bool operator==(const Block&) const = default;
};

// --- Sorting -------------------------------------------------------------

enum class SortMode { NumericAscending, NumericDescending, TextAscending, TextDescending };

// Sorts the block's rows by the cells of its columns, the left-most column
// first; whole rows move, equal rows keep their order. Numbers are read by
// the leading-number rule (a cell without one counts as 0); texts compare
// without regard to letter case.
void sortBlock(reports::GridModel& grid, const Block& block, SortMode mode);

// Sorts the block's rows by the dates in the cursor's column, the latest
// (latestFirst) or the earliest first; rows of equal dates keep their order.
// Only columns 0 to 10 move. A cell that is not a date leaves the grid
// unchanged and gives false.
bool sortBlockByDate(reports::GridModel& grid, const Block& block, bool latestFirst);
// The refusal of a date sort, two lines joined by "\r\n".
QString datesOnlyMessage();

// A date as the grid shows one: the short date, "dd/MM/yyyy" or
// "yyyy-MM-dd".
std::optional<QDate> readDate(const QString& text);

// --- Clipboard -----------------------------------------------------------

// The block's cells from its top-left cell: tab between cells, carriage
// return between rows, nothing after the last cell.
QString blockText(const reports::GridModel& grid, const Block& block);
// Empties every cell of the block.
void clearBlock(reports::GridModel& grid, const Block& block);
// Lays a text into the block from its top-left cell: a tab moves to the next
// cell, a line break (carriage return, line feed, or the pair) to the first
// cell of the next row. Text outside the block is dropped; cells the text
// does not reach keep their texts.
void layText(reports::GridModel& grid, const QString& text, const Block& block);

// What Copy, Cut and Paste remember between commands.
class ClipState {
public:
    int ClipRows = 0;
    int ClipCols = 0;
    int CutMark = 0;
    bool pasteEnabled = true;

    // Copy: the text for the clipboard (title and count lines first).
    QString copy(const reports::GridModel& grid, const Block& block, const QString& title, const QString& count);
    // Cut: the text for the clipboard; the block is emptied.
    QString cut(reports::GridModel& grid, const Block& block);
    // Paste of `clipText` at the cursor cell: lays it into the block the last
    // Copy or Cut had, and returns that block (the new selection). After a
    // Cut, `clearClipboard` is set: the clipboard is emptied and Paste
    // disabled.
    Block paste(reports::GridModel& grid, const QString& clipText, int row, int col, bool& clearClipboard);
    // ClearClip.
    void clearClip() { pasteEnabled = false; }
};

// Select All: from (0, 0) to row usedRows and the last column.
Block selectAllBlock(int usedRows, int lastColumn);

} // namespace queries
