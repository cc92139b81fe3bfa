#pragma once

#include "platform/ui/Ui.h"
#include "platform/widgets/FlexGridModel.h"

#include <QAbstractScrollArea>
#include <QColor>
#include <QRect>

namespace vb {

// The grid widget the grid object works on: a text matrix whose fixed header rows and fixed
// index columns stay in place while the other cells scroll by whole rows and columns, a
// current cell with a selection reaching to (RowSel, ColSel), widths and heights in twips,
// alignments, colours, an enabled state, a tooltip and a pointer. Row and column numbers
// count the fixed ones, as the original did. The grid itself never edits a cell: the owner
// gets its clicks, keys and mouse positions (twips) as signals and lays editors over cells.
class FlexGrid : public QAbstractScrollArea {
    Q_OBJECT
public:
    explicit FlexGrid(QWidget* parent = nullptr);

    // --- size --------------------------------------------------------------------------------
    int Rows() const { return model_.rows(); }
    void setRows(int rows);
    int Cols() const { return model_.cols(); }
    void setCols(int cols);
    int FixedRows() const { return model_.fixedRows(); }
    void setFixedRows(int rows);
    int FixedCols() const { return model_.fixedCols(); }
    void setFixedCols(int cols);

    // --- texts -------------------------------------------------------------------------------
    QString TextMatrix(int row, int col) const { return model_.text(row, col); }
    void setTextMatrix(int row, int col, const QString& text);
    // The current cell's text.
    QString Text() const { return TextMatrix(row_, col_); }
    void setText(const QString& text) { setTextMatrix(row_, col_, text); }
    // The selection as text: cells of a row separated by tabs, rows by line breaks. Setting it
    // fills cells from the current cell rightwards and downwards, as far as the grid reaches.
    QString Clip() const;
    void setClip(const QString& text);
    // Clip text as rows of cells (a trailing line break starts no row), and the block written
    // from (row, col) as far as the grid reaches.
    static QList<QStringList> clipCells(const QString& text);
    void setCells(int row, int col, const QList<QStringList>& cells);

    // --- current cell and selection ------------------------------------------------------------
    int Row() const { return row_; }
    void setRow(int row);  // also collapses the selection onto the new current cell
    int Col() const { return col_; }
    void setCol(int col);
    int RowSel() const { return rowSel_; }
    void setRowSel(int row);
    int ColSel() const { return colSel_; }
    void setColSel(int col);
    // First scrollable row and column on screen.
    int TopRow() const { return topRow_; }
    void setTopRow(int row);
    int LeftCol() const { return leftCol_; }
    void setLeftCol(int col);

    // --- geometry (twips) ----------------------------------------------------------------------
    int ColWidth(int col) const;
    void setColWidth(int col, int twips);
    int RowHeight(int row) const;
    void setRowHeight(int row, int twips);
    // The current cell relative to the grid's top-left corner.
    int CellLeft() const { return toTwips(cellRect(row_, col_).left()); }
    int CellTop() const { return toTwips(cellRect(row_, col_).top()); }
    int CellWidth() const { return toTwips(cellRect(row_, col_).width()); }
    int CellHeight() const { return toTwips(cellRect(row_, col_).height()); }
    // A cell's rectangle in the grid widget's pixels (empty when it is scrolled away).
    QRect cellRect(int row, int col) const;
    // Whether the row or column is on screen.
    bool RowIsVisible(int row) const;
    bool ColIsVisible(int col) const;
    int toTwips(int pixels) const;
    int toPixels(int twips) const;

    // --- alignment ------------------------------------------------------------------------------
    Qt::Alignment ColAlignment(int col) const { return model_.alignment(col); }
    void setColAlignment(int col, Qt::Alignment alignment);
    Qt::Alignment FixedAlignment(int col) const { return model_.fixedAlignment(col); }
    void setFixedAlignment(int col, Qt::Alignment alignment);

    // --- rows -----------------------------------------------------------------------------------
    // Inserts an empty row before `row` (at the end when `row` equals Rows()).
    void AddItem(int row);
    void RemoveItem(int row);

    // --- look -----------------------------------------------------------------------------------
    QColor BackColor() const { return back_; }
    void setBackColor(const QColor& color);
    QColor BackColorFixed() const { return fixedColor_; }
    void setBackColorFixed(const QColor& color);
    QColor ForeColor() const { return fore_; }
    void setForeColor(const QColor& color);
    QString ToolTipText() const { return toolTip(); }
    void setToolTipText(const QString& text) { setToolTip(text); }
    Pointer MousePointer() const { return pointer_; }
    void setMousePointer(Pointer pointer);

    // Position within a group of like widgets (the original's control-array index).
    int Index() const;
    void setIndex(int index);

signals:
    void Click();
    void DblClick();
    // A typed character (its code), Enter as 13.
    void KeyPress(int keyAscii);
    // Buttons: 1 left, 2 right, 4 middle; shift: 1 shift, 2 control, 4 alt; x, y in twips.
    void MouseDown(int button, int shift, float x, float y);
    void MouseMove(int button, int shift, float x, float y);
    void MouseUp(int button, int shift, float x, float y);
    void Scroll();
    void EnterCell();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    struct Hit {
        int row = -1, col = -1;
    };
    int colPixels(int col) const;
    int rowPixels(int row) const;
    int defaultRowPixels() const;
    // Left edge of a column / top edge of a row in viewport pixels; -1 when scrolled away.
    int colX(int col) const;
    int rowY(int row) const;
    Hit hitTest(const QPoint& viewportPos) const;
    float twipsX(const QPoint& viewportPos) const;
    float twipsY(const QPoint& viewportPos) const;
    bool selected(int row, int col) const;
    void paintCell(class QPainter& p, int row, int col, const QRect& r) const;
    // Something changed the layout: repaint, and fit the scroll bars once the caller is done
    // (an import adds rows by the hundred thousand).
    void changed();
    void repaint();
    void updateScrollBars();
    void syncScrollBars();
    int dpiX() const;
    void ensureVisible(int row, int col);
    void moveCurrent(int row, int col, bool extend);
    void clampCurrent();

    FlexGridModel model_;
    int row_ = 1, col_ = 1, rowSel_ = 1, colSel_ = 1;
    int topRow_ = 1, leftCol_ = 1;
    bool dragging_ = false;
    bool syncingBars_ = false;
    bool barsDirty_ = false;
    bool repaintPending_ = false;
    mutable int dpi_ = 0;
    mutable int defaultRowPixels_ = 0;
    QColor back_, fixedColor_, fore_;
    Pointer pointer_ = Pointer::Default;
};

}  // namespace vb
