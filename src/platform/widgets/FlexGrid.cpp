#include "platform/widgets/FlexGrid.h"

#include "platform/vb/VbError.h"
#include "platform/widgets/FlexGridModel.h"

#include <QHeaderView>

namespace vb {

namespace {
constexpr double kTwipsPerInch = 1440.0;
}

FlexGrid::FlexGrid(QWidget* parent) : QTableView(parent), model_(new FlexGridModel(this))
{
    setModel(model_);
    horizontalHeader()->hide();
    verticalHeader()->hide();
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 4);
    setSelectionMode(QAbstractItemView::ContiguousSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    back_ = palette().color(QPalette::Base);
    fixedColor_ = palette().color(QPalette::Button);
    model_->setColors(back_, fixedColor_);
    model_->resize(2, 2);
    model_->setFixed(1, 1);
    row_ = col_ = 1;
    setIndex(0);
}

int FlexGrid::Rows() const { return model_->rowCount(); }
void FlexGrid::setRows(int rows) { model_->resize(rows, model_->columnCount()); }
int FlexGrid::Cols() const { return model_->columnCount(); }
void FlexGrid::setCols(int cols) { model_->resize(model_->rowCount(), cols); }
int FlexGrid::FixedRows() const { return model_->fixedRows(); }
void FlexGrid::setFixedRows(int rows) { model_->setFixed(rows, model_->fixedCols()); }
int FlexGrid::FixedCols() const { return model_->fixedCols(); }
void FlexGrid::setFixedCols(int cols) { model_->setFixed(model_->fixedRows(), cols); }

QString FlexGrid::TextMatrix(int row, int col) const { return model_->text(row, col); }
void FlexGrid::setTextMatrix(int row, int col, const QString& text) { model_->setText(row, col, text); }

void FlexGrid::setRow(int row)
{
    if (row < 0 || row >= Rows()) vb::raise(errInvalidProperty);
    row_ = row;
    setCurrentIndex(model_->index(row_, col_));
}

void FlexGrid::setCol(int col)
{
    if (col < 0 || col >= Cols()) vb::raise(errInvalidProperty);
    col_ = col;
    setCurrentIndex(model_->index(row_, col_));
}

int FlexGrid::ColWidth(int col) const
{
    return static_cast<int>(columnWidth(col) * kTwipsPerInch / logicalDpiX() + 0.5);
}

void FlexGrid::setColWidth(int col, int twips)
{
    if (col < 0 || col >= Cols()) vb::raise(errSubscript);
    setColumnWidth(col, static_cast<int>(twips * logicalDpiX() / kTwipsPerInch + 0.5));
}

void FlexGrid::setColAlignment(int col, Qt::Alignment alignment) { model_->setAlignment(col, alignment); }

void FlexGrid::setBackColor(const QColor& color)
{
    back_ = color;
    model_->setColors(back_, fixedColor_);
}

void FlexGrid::AddItem(int row) { model_->insertRowAt(row); }
void FlexGrid::RemoveItem(int row) { model_->removeRowAt(row); }

int FlexGrid::Index() const { return property("index").toInt(); }
void FlexGrid::setIndex(int index) { setProperty("index", index); }

}  // namespace vb
