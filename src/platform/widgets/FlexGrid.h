#pragma once

#include <QColor>
#include <QTableView>

namespace vb {

class FlexGridModel;

// The grid widget the grid object works on: a text matrix with fixed header rows and fixed
// index columns, a current cell, widths in twips, colours and an enabled state. Row and
// column numbers count the fixed ones, as the original did.
class FlexGrid : public QTableView {
    Q_OBJECT
public:
    explicit FlexGrid(QWidget* parent = nullptr);

    int Rows() const;
    void setRows(int rows);
    int Cols() const;
    void setCols(int cols);
    int FixedRows() const;
    void setFixedRows(int rows);
    int FixedCols() const;
    void setFixedCols(int cols);

    QString TextMatrix(int row, int col) const;
    void setTextMatrix(int row, int col, const QString& text);

    int Row() const { return row_; }
    void setRow(int row);
    int Col() const { return col_; }
    void setCol(int col);

    int ColWidth(int col) const;  // twips
    void setColWidth(int col, int twips);
    void setColAlignment(int col, Qt::Alignment alignment);

    QColor BackColor() const { return back_; }
    void setBackColor(const QColor& color);
    QColor BackColorFixed() const { return fixedColor_; }

    void AddItem(int row);
    void RemoveItem(int row);

    // Position within a group of like widgets (the original's control-array index).
    int Index() const;
    void setIndex(int index);

private:
    FlexGridModel* model_;
    int row_ = 0, col_ = 0;
    QColor back_, fixedColor_;
};

}  // namespace vb
