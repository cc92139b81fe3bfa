#include "platform/widgets/FlexGridModel.h"

#include "platform/vb/VbError.h"

namespace vb {

FlexGridModel::FlexGridModel(QObject* parent) : QAbstractTableModel(parent) {}

int FlexGridModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : rows_; }

int FlexGridModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : cols_; }

QVariant FlexGridModel::data(const QModelIndex& index, int role) const
{
    const int r = index.row(), c = index.column();
    const bool fixed = r < fixedRows_ || c < fixedCols_;
    switch (role) {
    case Qt::DisplayRole: return text(r, c);
    case Qt::BackgroundRole: return fixed ? fixed_ : back_;
    case Qt::TextAlignmentRole:
        if (r < fixedRows_) return int(Qt::AlignCenter);
        return c < static_cast<int>(alignments_.size()) ? int(alignments_[c]) : int(Qt::AlignRight | Qt::AlignVCenter);
    default: return QVariant();
    }
}

void FlexGridModel::resize(int rows, int cols)
{
    if (rows < 0 || cols < 0) raise(errInvalidProperty);
    beginResetModel();
    std::vector<QString> cells(static_cast<size_t>(rows) * cols);
    for (int r = 0; r < std::min(rows, rows_); ++r)
        for (int c = 0; c < std::min(cols, cols_); ++c) cells[static_cast<size_t>(r) * cols + c] = std::move(cells_[static_cast<size_t>(r) * cols_ + c]);
    cells_ = std::move(cells);
    rows_ = rows;
    cols_ = cols;
    alignments_.resize(cols, Qt::AlignRight | Qt::AlignVCenter);
    fixedRows_ = std::min(fixedRows_, rows);
    fixedCols_ = std::min(fixedCols_, cols);
    endResetModel();
}

void FlexGridModel::insertRowAt(int row)
{
    if (row < 0 || row > rows_) raise(errSubscript);
    beginInsertRows(QModelIndex(), row, row);
    cells_.insert(cells_.begin() + static_cast<ptrdiff_t>(row) * cols_, cols_, QString());
    ++rows_;
    endInsertRows();
}

void FlexGridModel::removeRowAt(int row)
{
    if (row < 0 || row >= rows_) raise(errSubscript);
    beginRemoveRows(QModelIndex(), row, row);
    const auto first = cells_.begin() + static_cast<ptrdiff_t>(row) * cols_;
    cells_.erase(first, first + cols_);
    --rows_;
    endRemoveRows();
}

const QString& FlexGridModel::text(int row, int col) const
{
    if (row < 0 || row >= rows_ || col < 0 || col >= cols_) raise(errSubscript);
    return cells_[static_cast<size_t>(row) * cols_ + col];
}

void FlexGridModel::setText(int row, int col, const QString& text)
{
    if (row < 0 || row >= rows_ || col < 0 || col >= cols_) raise(errSubscript);
    cells_[static_cast<size_t>(row) * cols_ + col] = text;
    const QModelIndex i = index(row, col);
    emit dataChanged(i, i, {Qt::DisplayRole});
}

void FlexGridModel::setFixed(int rows, int cols)
{
    if (rows < 0 || rows > rows_ || cols < 0 || cols > cols_) raise(errInvalidProperty);
    beginResetModel();
    fixedRows_ = rows;
    fixedCols_ = cols;
    endResetModel();
}

void FlexGridModel::setColors(const QColor& back, const QColor& fixed)
{
    back_ = back;
    fixed_ = fixed;
    if (rows_ > 0 && cols_ > 0) emit dataChanged(index(0, 0), index(rows_ - 1, cols_ - 1), {Qt::BackgroundRole});
}

void FlexGridModel::setAlignment(int col, Qt::Alignment alignment)
{
    if (col < 0 || col >= cols_) raise(errSubscript);
    alignments_[col] = alignment;
}

}  // namespace vb
