#include "platform/widgets/FlexGridModel.h"

#include "platform/vb/VbError.h"

#include <algorithm>

namespace vb {

namespace {
const Qt::Alignment kDefaultAlignment = Qt::AlignRight | Qt::AlignVCenter;
}

void FlexGridModel::resize(int rows, int cols)
{
    if (rows < 0 || cols < 0) raise(errInvalidProperty);
    if (cols == cols_) {
        cells_.resize(static_cast<size_t>(rows) * cols);
    } else {
        std::vector<QString> cells(static_cast<size_t>(rows) * cols);
        for (int r = 0; r < std::min(rows, rows_); ++r)
            for (int c = 0; c < std::min(cols, cols_); ++c) cells[static_cast<size_t>(r) * cols + c] = std::move(cells_[at(r, c)]);
        cells_ = std::move(cells);
    }
    rows_ = rows;
    cols_ = cols;
    widths_.resize(cols, -1);
    heights_.resize(rows, -1);
    alignments_.resize(cols, kDefaultAlignment);
    fixedAlignments_.resize(cols, Qt::AlignCenter);
    fixedRows_ = std::min(fixedRows_, rows);
    fixedCols_ = std::min(fixedCols_, cols);
}

void FlexGridModel::setFixed(int rows, int cols)
{
    if (rows < 0 || rows > rows_ || cols < 0 || cols > cols_) raise(errInvalidProperty);
    fixedRows_ = rows;
    fixedCols_ = cols;
}

void FlexGridModel::insertRowAt(int row)
{
    if (row < 0 || row > rows_) raise(errSubscript);
    cells_.insert(cells_.begin() + static_cast<ptrdiff_t>(row) * cols_, cols_, QString());
    heights_.insert(heights_.begin() + row, -1);
    ++rows_;
}

void FlexGridModel::removeRowAt(int row)
{
    if (row < 0 || row >= rows_) raise(errSubscript);
    const auto first = cells_.begin() + static_cast<ptrdiff_t>(row) * cols_;
    cells_.erase(first, first + cols_);
    heights_.erase(heights_.begin() + row);
    --rows_;
    fixedRows_ = std::min(fixedRows_, rows_);
}

void FlexGridModel::checkCell(int row, int col) const
{
    if (row < 0 || row >= rows_ || col < 0 || col >= cols_) raise(errSubscript);
}

const QString& FlexGridModel::text(int row, int col) const
{
    checkCell(row, col);
    return cells_[at(row, col)];
}

void FlexGridModel::setText(int row, int col, const QString& text)
{
    checkCell(row, col);
    cells_[at(row, col)] = text;
}

int FlexGridModel::colWidth(int col) const
{
    if (col < 0 || col >= cols_) raise(errSubscript);
    return widths_[col];
}

void FlexGridModel::setColWidth(int col, int twips)
{
    if (col < 0 || col >= cols_) raise(errSubscript);
    widths_[col] = twips;
}

int FlexGridModel::rowHeight(int row) const
{
    if (row < 0 || row >= rows_) raise(errSubscript);
    return heights_[row];
}

void FlexGridModel::setRowHeight(int row, int twips)
{
    if (row < 0 || row >= rows_) raise(errSubscript);
    heights_[row] = twips;
}

Qt::Alignment FlexGridModel::alignment(int col) const
{
    if (col < 0 || col >= cols_) raise(errSubscript);
    return alignments_[col];
}

void FlexGridModel::setAlignment(int col, Qt::Alignment alignment)
{
    if (col < 0 || col >= cols_) raise(errSubscript);
    alignments_[col] = alignment;
}

Qt::Alignment FlexGridModel::fixedAlignment(int col) const
{
    if (col < 0 || col >= cols_) raise(errSubscript);
    return fixedAlignments_[col];
}

void FlexGridModel::setFixedAlignment(int col, Qt::Alignment alignment)
{
    if (col < 0 || col >= cols_) raise(errSubscript);
    fixedAlignments_[col] = alignment;
}

}  // namespace vb
