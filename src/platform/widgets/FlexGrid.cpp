#include "platform/widgets/FlexGrid.h"

#include "platform/vb/VbError.h"
#include "platform/widgets/KeyState.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <algorithm>

namespace vb {

namespace {

constexpr double kTwipsPerInch = 1440.0;
constexpr int kDefaultColTwips = 960;

Qt::CursorShape shapeOf(Pointer pointer)
{
    switch (pointer) {
    case Pointer::Hourglass: return Qt::WaitCursor;
    case Pointer::Cross: return Qt::CrossCursor;
    case Pointer::SizeAll: return Qt::SizeAllCursor;
    default: return Qt::ArrowCursor;
    }
}

}  // namespace

FlexGrid::FlexGrid(QWidget* parent) : QAbstractScrollArea(parent)
{
    setFocusPolicy(Qt::StrongFocus);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    back_ = palette().color(QPalette::Base);
    fixedColor_ = palette().color(QPalette::Button);
    fore_ = palette().color(QPalette::Text);
    model_.resize(2, 2);
    model_.setFixed(1, 1);
    setIndex(0);
    updateScrollBars();
}

// --- size ---------------------------------------------------------------------------------------

void FlexGrid::setRows(int rows)
{
    if (rows < 0) vb::raise(errInvalidProperty);
    model_.resize(rows, Cols());
    clampCurrent();
    changed();
}

void FlexGrid::setCols(int cols)
{
    if (cols < 0) vb::raise(errInvalidProperty);
    model_.resize(Rows(), cols);
    clampCurrent();
    changed();
}

void FlexGrid::setFixedRows(int rows)
{
    // The original keeps at least one scrollable row below the fixed ones.
    if (rows < 0 || (rows > 0 && rows >= Rows())) vb::raise(errInvalidProperty);
    model_.setFixed(rows, FixedCols());
    clampCurrent();
    changed();
}

void FlexGrid::setFixedCols(int cols)
{
    if (cols < 0 || (cols > 0 && cols >= Cols())) vb::raise(errInvalidProperty);
    model_.setFixed(FixedRows(), cols);
    clampCurrent();
    changed();
}

void FlexGrid::clampCurrent()
{
    const auto clampTo = [](int v, int lo, int hi) { return hi < lo ? lo : std::clamp(v, lo, hi); };
    row_ = clampTo(row_, FixedRows(), Rows() - 1);
    col_ = clampTo(col_, FixedCols(), Cols() - 1);
    rowSel_ = clampTo(rowSel_, FixedRows(), Rows() - 1);
    colSel_ = clampTo(colSel_, FixedCols(), Cols() - 1);
    // The scroll bars hold the offsets past the fixed rows and columns.
    topRow_ = clampTo(FixedRows() + verticalScrollBar()->value(), FixedRows(), Rows() - 1);
    leftCol_ = clampTo(FixedCols() + horizontalScrollBar()->value(), FixedCols(), Cols() - 1);
}

// --- texts --------------------------------------------------------------------------------------

void FlexGrid::setTextMatrix(int row, int col, const QString& text)
{
    model_.setText(row, col, text);
    repaint();
}

QString FlexGrid::Clip() const
{
    const int r1 = std::min(row_, rowSel_), r2 = std::max(row_, rowSel_);
    const int c1 = std::min(col_, colSel_), c2 = std::max(col_, colSel_);
    QString clip;
    for (int r = r1; r <= r2; ++r) {
        if (r > r1) clip += QLatin1Char('\n');
        for (int c = c1; c <= c2; ++c) {
            if (c > c1) clip += QLatin1Char('\t');
            clip += model_.text(r, c);
        }
    }
    return clip;
}

void FlexGrid::setClip(const QString& text) { setCells(row_, col_, clipCells(text)); }

QList<QStringList> FlexGrid::clipCells(const QString& text)
{
    QString t = text;
    t.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    t.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    // A trailing line break (as spreadsheets copy) does not start another row.
    if (t.endsWith(QLatin1Char('\n'))) t.chop(1);
    QList<QStringList> rows;
    for (const QString& line : t.split(QLatin1Char('\n'))) rows.append(line.split(QLatin1Char('\t')));
    return rows;
}

void FlexGrid::setCells(int row, int col, const QList<QStringList>& cells)
{
    for (int i = 0; i < cells.size() && row + i < Rows(); ++i)
        for (int j = 0; j < cells[i].size() && col + j < Cols(); ++j) model_.setText(row + i, col + j, cells[i][j]);
    repaint();
}

// --- current cell -------------------------------------------------------------------------------

void FlexGrid::setRow(int row)
{
    if (row < 0 || row >= Rows()) vb::raise(errInvalidProperty);
    row_ = rowSel_ = row;
    repaint();
}

void FlexGrid::setCol(int col)
{
    if (col < 0 || col >= Cols()) vb::raise(errInvalidProperty);
    col_ = colSel_ = col;
    repaint();
}

void FlexGrid::setRowSel(int row)
{
    if (row < 0 || row >= Rows()) vb::raise(errInvalidProperty);
    rowSel_ = row;
    repaint();
}

void FlexGrid::setColSel(int col)
{
    if (col < 0 || col >= Cols()) vb::raise(errInvalidProperty);
    colSel_ = col;
    repaint();
}

void FlexGrid::setTopRow(int row)
{
    if (row < 0 || row >= Rows()) vb::raise(errInvalidProperty);
    syncScrollBars();
    verticalScrollBar()->setValue(std::max(0, row - FixedRows()));
}

void FlexGrid::setLeftCol(int col)
{
    if (col < 0 || col >= Cols()) vb::raise(errInvalidProperty);
    syncScrollBars();
    horizontalScrollBar()->setValue(std::max(0, col - FixedCols()));
}

// --- geometry -----------------------------------------------------------------------------------

int FlexGrid::dpiX() const
{
    if (dpi_ == 0) dpi_ = logicalDpiX();
    return dpi_;
}

int FlexGrid::toTwips(int pixels) const { return static_cast<int>(pixels * kTwipsPerInch / dpiX() + 0.5); }
int FlexGrid::toPixels(int twips) const { return static_cast<int>(twips * dpiX() / kTwipsPerInch + 0.5); }

int FlexGrid::ColWidth(int col) const
{
    const int w = model_.colWidth(col);
    return w < 0 ? kDefaultColTwips : w;
}

void FlexGrid::setColWidth(int col, int twips)
{
    model_.setColWidth(col, std::max(0, twips));
    changed();
}

int FlexGrid::RowHeight(int row) const
{
    const int h = model_.rowHeight(row);
    return h < 0 ? toTwips(defaultRowPixels()) : h;
}

void FlexGrid::setRowHeight(int row, int twips)
{
    model_.setRowHeight(row, std::max(0, twips));
    changed();
}

int FlexGrid::colPixels(int col) const { return toPixels(ColWidth(col)); }

int FlexGrid::rowPixels(int row) const
{
    const int h = model_.rowHeight(row);
    return h < 0 ? defaultRowPixels() : toPixels(h);
}

int FlexGrid::defaultRowPixels() const
{
    if (defaultRowPixels_ == 0) defaultRowPixels_ = fontMetrics().height() + 4;
    return defaultRowPixels_;
}

int FlexGrid::colX(int col) const
{
    int x = 0;
    if (col < FixedCols()) {
        for (int c = 0; c < col; ++c) x += colPixels(c);
        return x;
    }
    if (col < leftCol_) return -1;
    for (int c = 0; c < FixedCols(); ++c) x += colPixels(c);
    for (int c = leftCol_; c < col; ++c) {
        x += colPixels(c);
        if (x > viewport()->width()) return x;  // far enough: off screen anyway
    }
    return x;
}

int FlexGrid::rowY(int row) const
{
    int y = 0;
    if (row < FixedRows()) {
        for (int r = 0; r < row; ++r) y += rowPixels(r);
        return y;
    }
    if (row < topRow_) return -1;
    for (int r = 0; r < FixedRows(); ++r) y += rowPixels(r);
    for (int r = topRow_; r < row; ++r) {
        y += rowPixels(r);
        if (y > viewport()->height()) return y;
    }
    return y;
}

QRect FlexGrid::cellRect(int row, int col) const
{
    model_.checkCell(row, col);
    const int x = colX(col), y = rowY(row);
    if (x < 0 || y < 0) return {};
    return QRect(viewport()->geometry().topLeft() + QPoint(x, y), QSize(colPixels(col), rowPixels(row)));
}

bool FlexGrid::RowIsVisible(int row) const
{
    if (row < 0 || row >= Rows()) vb::raise(errSubscript);
    const int y = rowY(row);
    return y >= 0 && y < viewport()->height() && rowPixels(row) > 0;
}

bool FlexGrid::ColIsVisible(int col) const
{
    if (col < 0 || col >= Cols()) vb::raise(errSubscript);
    const int x = colX(col);
    return x >= 0 && x < viewport()->width() && colPixels(col) > 0;
}

FlexGrid::Hit FlexGrid::hitTest(const QPoint& pos) const
{
    Hit hit;
    const auto find = [](int pos, int fixed, int first, int count, auto size) {
        int edge = 0;
        for (int i = 0; i < fixed; ++i) {
            edge += size(i);
            if (pos < edge) return i;
        }
        for (int i = first; i < count; ++i) {
            edge += size(i);
            if (pos < edge) return i;
        }
        return -1;
    };
    hit.col = find(pos.x(), FixedCols(), leftCol_, Cols(), [this](int c) { return colPixels(c); });
    hit.row = find(pos.y(), FixedRows(), topRow_, Rows(), [this](int r) { return rowPixels(r); });
    return hit;
}

float FlexGrid::twipsX(const QPoint& pos) const
{
    return static_cast<float>((pos.x() + viewport()->x()) * kTwipsPerInch / dpiX());
}

float FlexGrid::twipsY(const QPoint& pos) const
{
    return static_cast<float>((pos.y() + viewport()->y()) * kTwipsPerInch / logicalDpiY());
}

// --- alignment, rows, look ----------------------------------------------------------------------

void FlexGrid::setColAlignment(int col, Qt::Alignment alignment)
{
    model_.setAlignment(col, alignment);
    repaint();
}

void FlexGrid::setFixedAlignment(int col, Qt::Alignment alignment)
{
    model_.setFixedAlignment(col, alignment);
    repaint();
}

void FlexGrid::AddItem(int row)
{
    model_.insertRowAt(row);
    changed();
}

void FlexGrid::RemoveItem(int row)
{
    model_.removeRowAt(row);
    clampCurrent();
    changed();
}

void FlexGrid::setBackColor(const QColor& color)
{
    back_ = color;
    repaint();
}

void FlexGrid::setBackColorFixed(const QColor& color)
{
    fixedColor_ = color;
    repaint();
}

void FlexGrid::setForeColor(const QColor& color)
{
    fore_ = color;
    repaint();
}

void FlexGrid::setMousePointer(Pointer pointer)
{
    pointer_ = pointer;
    viewport()->setCursor(shapeOf(pointer));
}

int FlexGrid::Index() const { return property("index").toInt(); }
void FlexGrid::setIndex(int index) { setProperty("index", index); }

// --- scrolling ----------------------------------------------------------------------------------

void FlexGrid::repaint()
{
    if (repaintPending_) return;
    repaintPending_ = true;
    viewport()->update();
}

void FlexGrid::changed()
{
    repaint();
    if (barsDirty_) return;
    barsDirty_ = true;
    QMetaObject::invokeMethod(this, &FlexGrid::syncScrollBars, Qt::QueuedConnection);
}

void FlexGrid::syncScrollBars()
{
    if (barsDirty_) updateScrollBars();
}

void FlexGrid::updateScrollBars()
{
    // The last page: the first scrollable row (column) from which everything to the end fits.
    const auto lastStart = [](int fixed, int count, int available, auto size) {
        for (int i = 0; i < fixed; ++i) available -= size(i);
        int start = count;
        while (start > fixed && available - size(start - 1) >= 0) available -= size(--start);
        return std::max(fixed, std::min(start, count - 1));
    };
    const int maxTop = lastStart(FixedRows(), Rows(), viewport()->height(), [this](int r) { return rowPixels(r); });
    const int maxLeft = lastStart(FixedCols(), Cols(), viewport()->width(), [this](int c) { return colPixels(c); });
    barsDirty_ = false;
    syncingBars_ = true;
    verticalScrollBar()->setRange(0, std::max(0, maxTop - FixedRows()));
    verticalScrollBar()->setPageStep(std::max(1, viewport()->height() / std::max(1, defaultRowPixels()) - FixedRows()));
    horizontalScrollBar()->setRange(0, std::max(0, maxLeft - FixedCols()));
    horizontalScrollBar()->setPageStep(1);
    syncingBars_ = false;
    topRow_ = std::clamp(FixedRows() + verticalScrollBar()->value(), FixedRows(), std::max(FixedRows(), Rows() - 1));
    leftCol_ = std::clamp(FixedCols() + horizontalScrollBar()->value(), FixedCols(), std::max(FixedCols(), Cols() - 1));
}

void FlexGrid::scrollContentsBy(int, int)
{
    topRow_ = FixedRows() + verticalScrollBar()->value();
    leftCol_ = FixedCols() + horizontalScrollBar()->value();
    repaint();
    if (!syncingBars_) emit Scroll();
}

void FlexGrid::ensureVisible(int row, int col)
{
    syncScrollBars();
    if (row >= FixedRows()) {
        if (row < topRow_) {
            setTopRow(row);
        } else {
            while (topRow_ < row && rowY(row) + rowPixels(row) > viewport()->height()
                   && verticalScrollBar()->value() < verticalScrollBar()->maximum())
                verticalScrollBar()->setValue(verticalScrollBar()->value() + 1);
        }
    }
    if (col >= FixedCols()) {
        if (col < leftCol_) {
            setLeftCol(col);
        } else {
            while (leftCol_ < col && colX(col) + colPixels(col) > viewport()->width()
                   && horizontalScrollBar()->value() < horizontalScrollBar()->maximum())
                horizontalScrollBar()->setValue(horizontalScrollBar()->value() + 1);
        }
    }
}

void FlexGrid::resizeEvent(QResizeEvent* event)
{
    QAbstractScrollArea::resizeEvent(event);
    updateScrollBars();
}

void FlexGrid::changeEvent(QEvent* event)
{
    QAbstractScrollArea::changeEvent(event);
    if (event->type() == QEvent::FontChange) {
        defaultRowPixels_ = 0;
        changed();
    }
}

// --- painting -----------------------------------------------------------------------------------

bool FlexGrid::selected(int row, int col) const
{
    return row >= std::min(row_, rowSel_) && row <= std::max(row_, rowSel_) && col >= std::min(col_, colSel_)
           && col <= std::max(col_, colSel_) && !(row == row_ && col == col_);
}

void FlexGrid::paintCell(QPainter& p, int row, int col, const QRect& r) const
{
    const bool fixed = row < FixedRows() || col < FixedCols();
    QColor fill = fixed ? fixedColor_ : back_;
    QColor ink = fore_;
    if (!fixed && selected(row, col)) {
        fill = palette().color(QPalette::Highlight);
        ink = palette().color(QPalette::HighlightedText);
    }
    p.fillRect(r, fill);
    p.setPen(fixed ? palette().color(QPalette::Dark) : palette().color(QPalette::Midlight));
    p.drawLine(r.topRight(), r.bottomRight());
    p.drawLine(r.bottomLeft(), r.bottomRight());
    if (fixed) {
        // The raised look of header cells.
        p.setPen(palette().color(QPalette::Light));
        p.drawLine(r.topLeft(), r.topRight());
        p.drawLine(r.topLeft(), r.bottomLeft());
    }
    const QString& text = model_.text(row, col);
    if (!text.isEmpty()) {
        p.setPen(isEnabled() ? ink : palette().color(QPalette::Disabled, QPalette::Text));
        const Qt::Alignment a = row < FixedRows() ? model_.fixedAlignment(col) : model_.alignment(col);
        p.drawText(r.adjusted(3, 0, -3, 0), int(a), text);
    }
    if (row == row_ && col == col_ && !fixed && hasFocus()) {
        QPen focus(ink, 1, Qt::DotLine);
        p.setPen(focus);
        p.drawRect(r.adjusted(1, 1, -2, -2));
    }
}

void FlexGrid::paintEvent(QPaintEvent*)
{
    repaintPending_ = false;
    syncScrollBars();
    QPainter p(viewport());
    p.setFont(font());
    const int width = viewport()->width(), height = viewport()->height();
    p.fillRect(viewport()->rect(), palette().color(QPalette::Window));

    std::vector<int> cols, rows;
    for (int c = 0; c < FixedCols(); ++c) cols.push_back(c);
    int x = 0;
    for (int c : cols) x += colPixels(c);
    for (int c = leftCol_; c < Cols() && x < width; ++c) {
        cols.push_back(c);
        x += colPixels(c);
    }
    for (int r = 0; r < FixedRows(); ++r) rows.push_back(r);
    int y = 0;
    for (int r : rows) y += rowPixels(r);
    for (int r = topRow_; r < Rows() && y < height; ++r) {
        rows.push_back(r);
        y += rowPixels(r);
    }

    y = 0;
    for (int r : rows) {
        const int h = rowPixels(r);
        x = 0;
        for (int c : cols) {
            const int w = colPixels(c);
            if (w > 0 && h > 0) {
                p.setClipRect(x, y, w, h);
                paintCell(p, r, c, QRect(x, y, w, h));
            }
            x += w;
        }
        y += h;
    }
}

// --- input --------------------------------------------------------------------------------------

void FlexGrid::moveCurrent(int row, int col, bool extend)
{
    row = std::clamp(row, FixedRows(), std::max(FixedRows(), Rows() - 1));
    col = std::clamp(col, FixedCols(), std::max(FixedCols(), Cols() - 1));
    if (row >= Rows() || col >= Cols()) return;
    if (extend) {
        rowSel_ = row;
        colSel_ = col;
        ensureVisible(row, col);
    } else {
        const bool moved = row != row_ || col != col_;
        row_ = rowSel_ = row;
        col_ = colSel_ = col;
        ensureVisible(row, col);
        if (moved) emit EnterCell();
    }
    repaint();
}

void FlexGrid::mousePressEvent(QMouseEvent* event)
{
    const Hit hit = hitTest(event->position().toPoint());
    // The current cell moves before the owner hears of the press, as the original's did.
    if (event->button() == Qt::LeftButton && hit.row >= FixedRows() && hit.col >= FixedCols() && hit.row >= 0 && hit.col >= 0) {
        moveCurrent(hit.row, hit.col, event->modifiers() & Qt::ShiftModifier);
        dragging_ = true;
    }
    emit MouseDown(mouseButtons(event->button()), shiftState(event->modifiers()), twipsX(event->position().toPoint()),
                   twipsY(event->position().toPoint()));
}

void FlexGrid::mouseMoveEvent(QMouseEvent* event)
{
    if (dragging_ && (event->buttons() & Qt::LeftButton)) {
        const Hit hit = hitTest(event->position().toPoint());
        if (hit.row >= FixedRows() && hit.col >= FixedCols()) moveCurrent(hit.row, hit.col, true);
    }
    emit MouseMove(mouseButtons(event->buttons()), shiftState(event->modifiers()), twipsX(event->position().toPoint()),
                   twipsY(event->position().toPoint()));
}

void FlexGrid::mouseReleaseEvent(QMouseEvent* event)
{
    dragging_ = false;
    emit MouseUp(mouseButtons(event->button()), shiftState(event->modifiers()), twipsX(event->position().toPoint()),
                 twipsY(event->position().toPoint()));
    if (event->button() == Qt::LeftButton) emit Click();
}

void FlexGrid::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton) emit DblClick();
}

void FlexGrid::keyPressEvent(QKeyEvent* event)
{
    const bool extend = event->modifiers() & Qt::ShiftModifier;
    const int page = std::max(1, verticalScrollBar()->pageStep());
    const int r = extend ? rowSel_ : row_, c = extend ? colSel_ : col_;
    switch (event->key()) {
    case Qt::Key_Up: moveCurrent(r - 1, c, extend); return;
    case Qt::Key_Down: moveCurrent(r + 1, c, extend); return;
    case Qt::Key_Left: moveCurrent(r, c - 1, extend); return;
    case Qt::Key_Right: moveCurrent(r, c + 1, extend); return;
    case Qt::Key_PageUp: moveCurrent(r - page, c, extend); return;
    case Qt::Key_PageDown: moveCurrent(r + page, c, extend); return;
    case Qt::Key_Home: moveCurrent(r, FixedCols(), extend); return;
    case Qt::Key_End: moveCurrent(r, Cols() - 1, extend); return;
    case Qt::Key_Return:
    case Qt::Key_Enter: emit KeyPress(13); return;
    default: break;
    }
    const QString text = event->text();
    if (text.size() == 1 && text[0].unicode() >= 32) {
        emit KeyPress(text[0].unicode());
        return;
    }
    QAbstractScrollArea::keyPressEvent(event);
}

}  // namespace vb
