#include "reports/cells.h"

#include <algorithm>

namespace reports {

namespace {
template <typename Texts>
auto findColumn(Texts& texts, int col)
{
    return std::lower_bound(texts.begin(), texts.end(), col, [](const auto& t, int c) { return t.col < c; });
}
} // namespace

const Cells::Entry* Cells::find(int row, int col) const
{
    if (row < 0 || row >= rows_.size())
        return nullptr;
    const auto& texts = rows_[row].texts;
    const auto it = findColumn(texts, col);
    return it != texts.end() && it->col == col ? &*it : nullptr;
}

QString Cells::at(int row, int col) const
{
    const Entry* e = find(row, col);
    return e ? e->text : QString();
}

double Cells::number(int row, int col, QString* text) const
{
    const Entry* e = find(row, col);
    if (!e)
        return qQNaN();
    if (text)
        *text = e->text;
    return e->number;
}

void Cells::set(int row, int col, const QString& text, double number)
{
    if (row < 0 || col < 0)
        return;
    if (rows_.size() <= row)
        rows_.resize(row + 1);
    Row& r = rows_[row];
    r.width = std::max(r.width, col + 1);
    // Most rows are written from left to right.
    if (r.texts.isEmpty() || r.texts.constLast().col < col) {
        if (!text.isEmpty())
            r.texts.append({col, number, text});
        return;
    }
    const auto it = findColumn(r.texts, col);
    if (it != r.texts.end() && it->col == col) {
        if (text.isEmpty()) {
            r.texts.erase(it);
        } else {
            it->text = text;
            it->number = number;
        }
    } else if (!text.isEmpty()) {
        r.texts.insert(it, {col, number, text});
    }
}

} // namespace reports
