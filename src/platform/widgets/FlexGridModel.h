#pragma once

#include <QString>
#include <Qt>
#include <vector>

namespace vb {

// The cells of a FlexGrid, fixed rows and columns included, stored row by row, with the
// per-column widths and alignments and the per-row heights. Plain storage: the widget
// decides what is drawn and when.
class FlexGridModel {
public:
    int rows() const { return rows_; }
    int cols() const { return cols_; }
    int fixedRows() const { return fixedRows_; }
    int fixedCols() const { return fixedCols_; }

    // Keeps the texts that still fit; new cells are empty.
    void resize(int rows, int cols);
    void setFixed(int rows, int cols);
    void insertRowAt(int row);
    void removeRowAt(int row);

    const QString& text(int row, int col) const;
    void setText(int row, int col, const QString& text);

    // Widths in twips; -1 means the grid's default width.
    int colWidth(int col) const;
    void setColWidth(int col, int twips);
    // Heights in twips; -1 means the grid's default height.
    int rowHeight(int row) const;
    void setRowHeight(int row, int twips);
    Qt::Alignment alignment(int col) const;
    void setAlignment(int col, Qt::Alignment alignment);
    Qt::Alignment fixedAlignment(int col) const;
    void setFixedAlignment(int col, Qt::Alignment alignment);

    void checkCell(int row, int col) const;

private:
    size_t at(int row, int col) const { return static_cast<size_t>(row) * cols_ + col; }

    int rows_ = 0, cols_ = 0, fixedRows_ = 0, fixedCols_ = 0;
    std::vector<QString> cells_;
    std::vector<int> widths_;
    std::vector<int> heights_;
    std::vector<Qt::Alignment> alignments_;
    std::vector<Qt::Alignment> fixedAlignments_;
};

}  // namespace vb
