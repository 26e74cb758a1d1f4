#include "queries/gridtools.h"

#include "app/numtext.h"
#include "queries/headers.h"
#include "reports/gridmodel.h"

#include <QLocale>
#include <QStringList>

#include <algorithm>
#include <numeric>
#include <vector>

namespace queries {

namespace {

using reports::GridModel;

constexpr int kDateSortColumns = 11; // columns 0 to 10 move with a date sort

QStringList rowTexts(const GridModel& grid, int row, int columns)
{
    QStringList r;
    r.reserve(columns);
    for (int c = 0; c < columns; ++c)
        r << grid.cell(row, c);
    return r;
}

// Writes rows back in the given order of original rows.
void reorder(GridModel& grid, int top, const std::vector<int>& order, const QList<QStringList>& rows, int columns)
{
    for (int k = 0; k < static_cast<int>(order.size()); ++k)
        for (int c = 0; c < columns; ++c)
            grid.setCell(top + k, c, rows[order[k]].value(c));
}

} // namespace

void sortBlock(GridModel& grid, const Block& block, SortMode mode)
{
    const int top = std::max(0, block.top());
    const int bottom = block.bottom();
    if (bottom <= top)
        return;
    const int columns = grid.columnCount();
    const int left = std::max(0, block.left());
    const int right = std::min(block.right(), columns - 1);
    QList<QStringList> rows;
    for (int r = top; r <= bottom; ++r)
        rows << rowTexts(grid, r, columns);
    std::vector<int> order(rows.size());
    std::iota(order.begin(), order.end(), 0);
    const bool numeric = mode == SortMode::NumericAscending || mode == SortMode::NumericDescending;
    const bool descending = mode == SortMode::NumericDescending || mode == SortMode::TextDescending;
    // Numbers are read once per cell.
    QList<QList<double>> numbers;
    if (numeric)
        for (const QStringList& row : rows) {
            QList<double> n;
            for (int c = left; c <= right; ++c)
                n << app::leadingNumber(row.value(c));
            numbers << n;
        }
    const auto compare = [&](int a, int b) {
        for (int c = left; c <= right; ++c) {
            int d;
            if (numeric) {
                const double x = numbers[a][c - left], y = numbers[b][c - left];
                d = x < y ? -1 : (x > y ? 1 : 0);
            } else {
                d = QString::compare(rows[a].value(c), rows[b].value(c), Qt::CaseInsensitive);
            }
            if (d != 0)
                return d;
        }
        return 0;
    };
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
        const int d = compare(a, b);
        return descending ? d > 0 : d < 0;
    });
    reorder(grid, top, order, rows, columns);
}

std::optional<QDate> readDate(const QString& text)
{
    const QString t = text.trimmed();
    if (t.isEmpty())
        return std::nullopt;
    const QLocale loc;
    QStringList formats;
    QString shortFormat = loc.dateFormat(QLocale::ShortFormat);
    if (!shortFormat.contains(QLatin1String("yyyy")))
        formats << QString(shortFormat).replace(QLatin1String("yy"), QLatin1String("yyyy"));
    formats << shortFormat << QStringLiteral("dd/MM/yyyy") << QStringLiteral("d/M/yyyy")
            << QStringLiteral("yyyy-MM-dd");
    for (const QString& f : formats) {
        const QDate d = loc.toDate(t, f);
        if (d.isValid())
            return d;
    }
    return std::nullopt;
}

QString datesOnlyMessage()
{
    return QStringLiteral("Sorting is valid for Dates only. Your selection contains values\r\n"
                          "other than Dates also. Try again for new selection.");
}

bool sortBlockByDate(GridModel& grid, const Block& block, bool latestFirst)
{
    const int top = std::max(0, block.top());
    const int bottom = block.bottom();
    QList<QDate> dates;
    for (int r = top; r <= bottom; ++r) {
        const auto d = readDate(grid.cell(r, block.c1));
        if (!d)
            return false;
        dates << *d;
    }
    if (dates.size() < 2)
        return true;
    // A row is taken when its date lies strictly beyond the running best,
    // which starts at 30 December 1899 (latest first) or 31 December 9999
    // (earliest first); dates at or beyond those never win and end up last.
    const QDate floor(1899, 12, 30), ceiling(9999, 12, 31);
    const auto eligible = [&](const QDate& d) { return latestFirst ? d > floor : d < ceiling; };
    QList<QStringList> rows;
    for (int r = top; r <= bottom; ++r)
        rows << rowTexts(grid, r, kDateSortColumns);
    std::vector<int> order(rows.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
        const bool ea = eligible(dates[a]), eb = eligible(dates[b]);
        if (ea != eb)
            return ea;
        if (!ea)
            return false;
        return latestFirst ? dates[a] > dates[b] : dates[a] < dates[b];
    });
    reorder(grid, top, order, rows, kDateSortColumns);
    return true;
}

QString blockText(const GridModel& grid, const Block& block)
{
    QStringList lines;
    for (int r = block.top(); r <= block.bottom(); ++r) {
        QStringList cells;
        for (int c = block.left(); c <= block.right(); ++c)
            cells << grid.cell(r, c);
        lines << cells.join(QLatin1Char('\t'));
    }
    return lines.join(QLatin1Char('\r'));
}

void clearBlock(GridModel& grid, const Block& block)
{
    for (int r = std::max(0, block.top()); r <= block.bottom(); ++r)
        for (int c = std::max(0, block.left()); c <= block.right(); ++c)
            if (!grid.cell(r, c).isEmpty())
                grid.setCell(r, c, QString());
}

void layText(GridModel& grid, const QString& text, const Block& block)
{
    if (text.isEmpty())
        return;
    QString t = text;
    // One line break at the very end closes the last row; it opens no new one.
    if (t.endsWith(QLatin1String("\r\n")))
        t.chop(2);
    else if (t.endsWith(QLatin1Char('\r')) || t.endsWith(QLatin1Char('\n')))
        t.chop(1);
    int row = block.top(), col = block.left();
    QString cell;
    const auto put = [&] {
        if (row >= 0 && row <= block.bottom() && col >= 0 && col <= block.right())
            grid.setCell(row, col, cell);
        cell.clear();
    };
    for (int i = 0; i < t.size(); ++i) {
        const QChar ch = t[i];
        if (ch == QLatin1Char('\t')) {
            put();
            ++col;
        } else if (ch == QLatin1Char('\r') || ch == QLatin1Char('\n')) {
            put();
            if (ch == QLatin1Char('\r') && i + 1 < t.size() && t[i + 1] == QLatin1Char('\n'))
                ++i;
            ++row;
            col = block.left();
            if (row > block.bottom())
                return;
        } else {
            cell += ch;
        }
    }
    put();
}

QString ClipState::copy(const GridModel& grid, const Block& block, const QString& title, const QString& count)
{
    ClipRows = block.r2 - block.r1;
    ClipCols = block.c2 - block.c1;
    pasteEnabled = true;
    return title + QStringLiteral("\r\n") + count + QStringLiteral("\r\n") + blockText(grid, block);
}

QString ClipState::cut(GridModel& grid, const Block& block)
{
    const QString text = blockText(grid, block);
    clearBlock(grid, block);
    ClipRows = block.r2 - block.r1;
    ClipCols = block.c2 - block.c1;
    pasteEnabled = true;
    CutMark = 313;
    return text;
}

Block ClipState::paste(GridModel& grid, const QString& clipText, int row, int col, bool& clearClipboard)
{
    Block target{row, col, row + ClipRows, col + ClipCols};
    // A corner before the first row or column cannot be selected: the
    // selection stays on the cursor cell.
    if (target.r2 < 0 || target.c2 < 0)
        target = Block{row, col, row, col};
    layText(grid, clipText, target);
    clearClipboard = false;
    if (CutMark == 313) {
        ClipRows = 0;
        ClipCols = 0;
        CutMark = 0;
        clearClipboard = true;
        pasteEnabled = false;
    }
    return target;
}

Block selectAllBlock(int usedRows, int lastColumn)
{
    return Block{0, 0, usedRows, lastColumn};
}

} // namespace queries
