// In-place editing with validation, appending by Enter, copy and paste, drag-fill and the
// row commands.
#include "grid/clsFLX.h"

#include "platform/ui/LimitsText.h"
#include "platform/ui/Procedure.h"
#include "platform/ui/Ui.h"
#include "platform/vb/Convert.h"
#include "platform/vb/Format.h"
#include "platform/vb/VbError.h"
#include "platform/widgets/FlexGrid.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QLineEdit>
#include <QMimeData>
#include <cmath>

namespace {

enum Command : int16_t { kEdit = 0, kEnter = 13, kClipboard = -1, kDragFill = -2 };

bool isCharacter(int16_t code) { return code > 32; }

// The cell's rectangle in the coordinates of the editor's parent, where the editor goes.
QRect cellForEditor(const vb::FlexGrid& grid, const QWidget& editor)
{
    const QRect cell = grid.cellRect(grid.Row(), grid.Col());
    QWidget* parent = editor.parentWidget();
    if (!parent || parent == grid.parentWidget()) return cell.translated(grid.pos());
    return QRect(parent->mapFromGlobal(grid.mapToGlobal(cell.topLeft())), cell.size());
}

}  // namespace

bool clsFLX::isEmptyState() const { return flx_ && !flx_->isEnabled(); }

// --- BEARBEITEN ------------------------------------------------------------------------------------

void clsFLX::BEARBEITEN(int16_t BOB, float X)
{
    auto p = trap(QStringLiteral("MSFlexGrid / Bearbeiten"));
    p.step([&] {
        if (!flx_) vb::raise(vb::errObjectNotSet);
        if (BOB == kEdit || isCharacter(BOB)) {
            if (openTextEditor(BOB) || openListEditor(BOB)) {
                eznr_ = static_cast<int16_t>(flx_->Row());
                esnr_ = static_cast<int16_t>(flx_->Col());
            }
        } else if (BOB == kEnter) {
            appendRow();
        } else if (BOB == kClipboard) {
            copySelection();
        } else if (BOB == kDragFill) {
            armDragFill(X);
        }
    });
}

bool clsFLX::openTextEditor(int16_t code)
{
    if (!txt_ || !txt_->isHidden() || typeOf(flx_->Col()) >= List) return false;
    const QString cell = flx_->Text();
    txt_->setGeometry(cellForEditor(*flx_, *txt_));
    txt_->setAlignment((vb::IsNumeric(vb::Value(cell)) ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter);
    if (code == kEdit) {
        txt_->setText(cell);
        txt_->selectAll();
    } else {
        txt_->setText(QString(QChar(code)));
        txt_->setCursorPosition(1);
    }
    txt_->show();
    txt_->raise();
    txt_->setFocus();
    return true;
}

bool clsFLX::openListEditor(int16_t code)
{
    if (!cbo_ || !cbo_->isHidden() || typeOf(flx_->Col()) != List) return false;
    const QString cell = flx_->Text();
    cbo_->clear();
    cbo_->addItems(ELCBO(flx_->Col()));
    const QRect r = cellForEditor(*flx_, *cbo_);
    cbo_->setGeometry(r.left(), r.top(), r.width(), cbo_->height());
    cbo_->show();
    cbo_->raise();
    cbo_->setFocus();
    if (code == kEdit) {
        cbo_->setEditText(cell);
        if (cbo_->lineEdit()) cbo_->lineEdit()->selectAll();
    } else {
        cbo_->setEditText(cell + QChar(code));
        if (cbo_->lineEdit()) cbo_->lineEdit()->end(false);
    }
    return true;
}

void clsFLX::appendRow()
{
    if (flx_->Row() != flx_->Rows() - 1 || flx_->Col() != flx_->Cols() - 1 || !eboh_) return;
    appendRows(1);
    const auto toNewRow = [](vb::FlexGrid& grid) {
        grid.setRow(grid.Rows() - 1);
        grid.setCol(grid.FixedCols());
        grid.setLeftCol(grid.FixedCols());
        grid.setTopRow(grid.Rows() - 1);
    };
    toNewRow(*flx_);
    if (flxk_ && flxk_->flx_) toNewRow(*flxk_->flx_);
}

void clsFLX::appendRows(int count)
{
    const auto append = [count](vb::FlexGrid& grid) {
        for (int i = 0; i < count; ++i) grid.AddItem(grid.Rows());
    };
    append(*flx_);
    if (flxk_ && flxk_->flx_) {
        append(*flxk_->flx_);
        flxk_->NUMMERIEREN();
    }
    NUMMERIEREN();
}

void clsFLX::copySelection()
{
    QClipboard* clipboard = QApplication::clipboard();
    clipboard->clear();
    clipboard->setText(flx_->Clip());
}

void clsFLX::armDragFill(float X)
{
    // The fill handle is the right 15 % of the current cell.
    const double left = flx_->CellLeft(), width = flx_->CellWidth();
    const bool inZone = X >= left + 0.85 * width && X < left + width;
    flx_->setMousePointer(inZone ? vb::Pointer::Cross : vb::Pointer::Default);
}

// --- EINFUEGEN -------------------------------------------------------------------------------------

void clsFLX::EINFUEGEN(int16_t BOE)
{
    auto p = trap(QStringLiteral("MSFlexGrid / Einfügen"));
    p.step([&] {
        if (!flx_) vb::raise(vb::errObjectNotSet);
        if (BOE == kEdit || BOE == kEnter) {
            commitTextEditor();
            commitListEditor();
        } else if (BOE == kClipboard) {
            pasteClipboard();
        } else if (BOE == kDragFill) {
            dragFill();
        }
    });
}

bool clsFLX::commitTextEditor()
{
    if (!txt_ || txt_->isHidden() || typeOf(esnr_) >= List) return false;
    const QString value = txt_->text();
    if (!acceptValue(esnr_, value, false)) return false;
    finishEdit(txt_, value);
    txt_->clear();
    return true;
}

bool clsFLX::commitListEditor()
{
    if (!cbo_ || cbo_->isHidden() || typeOf(esnr_) != List) return false;
    const QString value = cbo_->currentText();
    if (!acceptValue(esnr_, value, true)) return false;
    finishEdit(cbo_, value);
    cbo_->setEditText(QString());
    return true;
}

bool clsFLX::acceptValue(int col, const QString& value, bool list)
{
    if (value.isEmpty()) return true;
    const std::optional<float> lo = minOf(col), hi = maxOf(col);
    const float minimum = lo && hi ? *lo : 0.0f, maximum = lo && hi ? *hi : 0.0f;
    const QString name = header1Of(col);
    const int16_t type = list ? int16_t(List) : typeOf(col);
    switch (type) {
    case Index1:
    case Index2:
    case Index3: return WERTPRUEFEN(value, minimum, maximum, true, false, QStringLiteral("Indexspalte ") + name);
    case Date: return WERTPRUEFEN(value, minimum, maximum, false, true, QStringLiteral("Datumsspalte ") + name);
    case Time: return WERTPRUEFEN(value, minimum, maximum, false, true, QStringLiteral("Uhrzeitspalte ") + name);
    default:
        return !holdsNumbers(col, type) || WERTPRUEFEN(value, minimum, maximum, false, false, QStringLiteral("Spalte ") + name);
    }
}

bool clsFLX::holdsNumbers(int col, int16_t type) const
{
    if (type == Index1 || type == Index2 || type == Index3) return true;
    const std::optional<float> lo = minOf(col), hi = maxOf(col);
    return (lo && hi && *lo < *hi) || vb::isNumberPattern(formatOf(col));
}

QString clsFLX::formatted(int col, const QString& value) const
{
    const QString format = formatOf(col);
    return !value.isEmpty() && !format.isEmpty() ? vb::Format(vb::Value(value), format) : value;
}

void clsFLX::finishEdit(QWidget* editor, const QString& value)
{
    flx_->setTextMatrix(eznr_, esnr_, formatted(esnr_, value));
    editor->hide();
    flx_->setFocus();
}

bool clsFLX::WERTPRUEFEN(const QString& value, float minimum, float maximum, bool whole, bool date, const QString& label)
{
    const QString t = value.trimmed();
    if (t.isEmpty()) return true;
    const QString title = QStringLiteral("MSFlexGrid / ") + label;
    const auto reject = [&](const QString& text) {
        vb::MsgBox(text, vb::vbOKOnly | vb::vbExclamation, title);
        return false;
    };
    if (date) {
        if (vb::IsDate(vb::Value(t))) return true;
        return reject(QStringLiteral("Eingegeber Wert ist kein gültiges Datums- oder Zeitformat!"));
    }
    if (!vb::IsNumeric(vb::Value(t))) return reject(QStringLiteral("Eingegeber Wert ist kein gültiges Zahlenformat!"));
    // A number too large for a single lies beyond any limits; without limits it is still no
    // number the column can hold.
    const std::optional<float> number = vb::fitSingle(vb::Value(t));
    // Limits count when the lower lies below the upper; a column without them checks the number alone.
    if (minimum < maximum && (!number || *number < minimum || *number > maximum))
        return reject(vb::limitsText(vb::Value(minimum), vb::Value(maximum)));
    if (!number) return reject(QStringLiteral("Eingegeber Wert ist kein gültiges Zahlenformat!"));
    if (whole && *number != std::floor(*number)) return reject(QStringLiteral("Eingegeber Wert ist keine ganze Zahl!"));
    return true;
}

void clsFLX::pasteClipboard()
{
    const QMimeData* data = QApplication::clipboard()->mimeData();
    if (!data || !data->hasText()) return;
    QList<QStringList> block = vb::FlexGrid::clipCells(data->text());
    const int row = flx_->Row(), col = flx_->Col();
    const int beyond = std::max(0, row + static_cast<int>(block.size()) - flx_->Rows());
    const int leftOut = eboh_ ? 0 : beyond;
    block.resize(block.size() - leftOut);
    // Every value that lands in a cell passes its column's check as a typed one does; one
    // refused value pastes nothing, and the clipboard still holds it all for another try.
    for (QStringList& cells : block) {
        cells = cells.mid(0, std::max(0, flx_->Cols() - col));
        for (int j = 0; j < cells.size(); ++j) {
            if (!acceptValue(col + j, cells[j], false)) return;
            cells[j] = formatted(col + j, cells[j]);
        }
    }
    // Rows beyond the end come where Enter on the last cell adds them.
    if (eboh_ && beyond > 0) appendRows(beyond);
    flx_->setCells(row, col, block);
    if (leftOut > 0) reportLeftOutRows(leftOut);
}

void clsFLX::reportLeftOutRows(int count) const
{
    const QString n = QString::number(count);
    const QString text = english()
        ? n + (count == 1 ? QStringLiteral(" row of the clipboard was") : QStringLiteral(" rows of the clipboard were"))
              + QStringLiteral(" not pasted because the table takes no further rows!")
        : n + (count == 1 ? QStringLiteral(" Zeile der Zwischenablage wurde") : QStringLiteral(" Zeilen der Zwischenablage wurden"))
              + QStringLiteral(" nicht eingefügt, da die Tabelle keine weiteren Zeilen aufnimmt!");
    vb::MsgBox(text, vb::vbOKOnly | vb::vbExclamation, QStringLiteral("MSFlexGrid / Einfügen"));
}

void clsFLX::dragFill()
{
    if (flx_->MousePointer() != vb::Pointer::Cross) return;
    const QString text = flx_->Text();
    // A selection that ends above or left of the current cell fills nothing.
    for (int r = flx_->Row(); r <= flx_->RowSel(); ++r)
        for (int c = flx_->Col(); c <= flx_->ColSel(); ++c) flx_->setTextMatrix(r, c, text);
    flx_->setMousePointer(vb::Pointer::Default);
}

// --- row commands ----------------------------------------------------------------------------------

void clsFLX::ZEILEEINFUEGEN()
{
    auto p = trap(QStringLiteral("MSFlexGrid / Zeile einfügen"));
    p.step([&] {
        if (!flx_) vb::raise(vb::errObjectNotSet);
        if (isEmptyState()) {
            // The empty grid already shows its one row: it only comes back to life.
            flx_->setEnabled(true);
            flx_->setBackColor(flx_->palette().color(QPalette::Base));
        } else {
            flx_->AddItem(flx_->Row());
        }
        NUMMERIEREN();
    });
    p.step([&] {
        if (flxk_ && flxk_->flx_) flxk_->ZEILEEINFUEGEN();
    });
}

void clsFLX::ZEILEENTFERNEN()
{
    auto p = trap(QStringLiteral("MSFlexGrid / Zeile eintfernen"));
    p.step([&] {
        if (!flx_) vb::raise(vb::errObjectNotSet);
        if (flx_->Rows() - flx_->FixedRows() > 1) {
            flx_->RemoveItem(flx_->Row());
            NUMMERIEREN();
        } else if (flx_->Rows() > flx_->FixedRows()) {
            // The last row stays as the empty state: emptied, grey and disabled.
            const int row = flx_->FixedRows();
            for (int c = 0; c < flx_->Cols(); ++c) flx_->setTextMatrix(row, c, QString());
            flx_->setBackColor(flx_->BackColorFixed());
            flx_->setEnabled(false);
        }
    });
    p.step([&] {
        if (flxk_ && flxk_->flx_) flxk_->ZEILEENTFERNEN();
    });
}
