#include "reports/gridmodel.h"

#include <algorithm>

namespace reports {

GridModel::GridModel(QObject* parent) : QAbstractTableModel(parent) {}

int GridModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : rows_;
}

int GridModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : cols_;
}

QVariant GridModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid())
        return {};
    const int r = index.row();
    const int c = index.column();
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
        return cell(r, c);
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(cellAlignment(r, c) | Qt::AlignVCenter);
    default:
        return {};
    }
}

Qt::ItemFlags GridModel::flags(const QModelIndex& index) const
{
    return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags;
}

QString GridModel::cell(int row, int col) const
{
    return cells_.at(row, col);
}

void GridModel::ensureSize(int rows, int cols)
{
    if (batch_) {
        rows_ = std::max(rows_, rows);
        cols_ = std::max(cols_, cols);
        return;
    }
    if (rows > rows_) {
        beginInsertRows(QModelIndex(), rows_, rows - 1);
        rows_ = rows;
        endInsertRows();
    }
    if (cols > cols_) {
        beginInsertColumns(QModelIndex(), cols_, cols - 1);
        cols_ = cols;
        endInsertColumns();
    }
}

void GridModel::setCell(int row, int col, const QString& text)
{
    if (row < 0 || col < 0)
        return;
    ensureSize(row + 1, col + 1);
    const bool changed = !batch_ && cells_.at(row, col) != text;
    cells_.set(row, col, text);
    if (!changed)
        return;
    const QModelIndex i = index(row, col);
    emit dataChanged(i, i);
}

void GridModel::clearTexts()
{
    Batch b(*this);
    cells_.clear();
    rows_ = 2;
    cols_ = 50;
}

void GridModel::setCells(const Cells& cells)
{
    Batch b(*this);
    cells_ = cells;
    rows_ = std::max<int>(2, cells_.size());
    cols_ = 50;
    for (int r = 0; r < cells_.size(); ++r)
        cols_ = std::max(cols_, cells_.width(r));
    rows_ = std::max(rows_, fixedRows_);
    cols_ = std::max(cols_, fixedCols_);
}

void GridModel::setFixed(int rows, int cols)
{
    fixedRows_ = rows;
    fixedCols_ = cols;
    ensureSize(rows, cols);
    emit fixedChanged();
    if (rows_ > 0 && cols_ > 0 && !batch_)
        emit dataChanged(index(0, 0), index(rows_ - 1, cols_ - 1));
}

int GridModel::widthZ(int col) const
{
    return col >= 0 && col < widthsZ_.size() ? widthsZ_[col] : 0;
}

void GridModel::setWidthZ(int col, int zCount)
{
    if (col < 0)
        return;
    if (widthsZ_.size() <= col)
        widthsZ_.resize(col + 1);
    widthsZ_[col] = zCount;
    emit widthsChanged();
}

void GridModel::setFormatString(const QString& format)
{
    format_ = format;
    const QStringList entries = format.split(QLatin1Char('|'));
    for (int c = 0; c < entries.size(); ++c) {
        QString e = entries[c];
        Qt::Alignment a = Qt::AlignLeft;
        if (e.startsWith(QLatin1Char('^'))) {
            a = Qt::AlignHCenter;
            e.remove(0, 1);
        } else if (e.startsWith(QLatin1Char('<'))) {
            e.remove(0, 1);
        } else if (e.startsWith(QLatin1Char('>'))) {
            a = Qt::AlignRight;
            e.remove(0, 1);
        }
        if (align_.size() <= c) {
            align_.resize(c + 1, Qt::AlignLeft);
            alignSet_.resize(c + 1, false);
        }
        align_[c] = a;
        alignSet_[c] = true;
        setCell(0, c, e);
    }
    if (rows_ > 0 && cols_ > 0 && !batch_)
        emit dataChanged(index(0, 0), index(rows_ - 1, cols_ - 1));
}

Qt::Alignment GridModel::columnAlignment(int col) const
{
    return col >= 0 && col < align_.size() ? align_[col] : Qt::AlignLeft;
}

bool GridModel::hasColumnAlignment(int col) const
{
    return col >= 0 && col < alignSet_.size() && alignSet_[col];
}

Qt::Alignment GridModel::cellAlignment(int row, int col) const
{
    if (hasColumnAlignment(col))
        return align_[col];
    return cellNumber(cell(row, col)) ? Qt::AlignRight : Qt::AlignLeft;
}

std::optional<CellNumber> cellNumber(const QString& text)
{
    // Blanks around, an optional sign, digits with at most one point (at
    // least one digit), an optional exponent, an optional "%".
    const qsizetype n = text.size();
    qsizetype i = 0;
    const auto blank = [&](qsizetype k) { return k < n && text[k].isSpace(); };
    const auto digit = [&](qsizetype k) { return k < n && text[k] >= QLatin1Char('0') && text[k] <= QLatin1Char('9'); };
    while (blank(i))
        ++i;
    const qsizetype start = i;
    if (i < n && (text[i] == QLatin1Char('-') || text[i] == QLatin1Char('+')))
        ++i;
    int digits = 0;
    while (digit(i)) {
        ++i;
        ++digits;
    }
    if (i < n && text[i] == QLatin1Char('.')) {
        ++i;
        while (digit(i)) {
            ++i;
            ++digits;
        }
    }
    if (digits == 0)
        return std::nullopt;
    if (i < n && (text[i] == QLatin1Char('e') || text[i] == QLatin1Char('E'))) {
        qsizetype k = i + 1;
        if (k < n && (text[k] == QLatin1Char('-') || text[k] == QLatin1Char('+')))
            ++k;
        if (!digit(k))
            return std::nullopt;
        while (digit(k))
            ++k;
        i = k;
    }
    const qsizetype end = i;
    while (blank(i))
        ++i;
    bool percent = false;
    if (i < n && text[i] == QLatin1Char('%')) {
        percent = true;
        ++i;
        while (blank(i))
            ++i;
    }
    if (i != n)
        return std::nullopt;
    bool ok = false;
    const double v = QStringView(text).mid(start, end - start).toDouble(&ok);
    if (!ok)
        return std::nullopt;
    return CellNumber{v, percent};
}

int GridModel::lastUsedRow() const
{
    for (int r = cells_.size() - 1; r >= 0; --r)
        if (cells_.hasText(r))
            return r + 1;
    return 0;
}

} // namespace reports
