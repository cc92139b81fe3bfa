#include "data/WidgetValues.h"

#include "platform/vb/Convert.h"
#include "platform/vb/VbError.h"

#include <QCheckBox>
#include <QComboBox>
#include <QListWidget>
#include <QRadioButton>

using vb::Value;

namespace widgetvalues {

Value checkValue(const QCheckBox* chk)
{
    switch (chk->checkState()) {
    case Qt::Unchecked: return Value(int16_t(0));
    case Qt::Checked: return Value(int16_t(1));
    case Qt::PartiallyChecked: return Value(int16_t(2));
    }
    return Value(int16_t(0));
}

void setCheckValue(QCheckBox* chk, const Value& value)
{
    switch (vb::CInt(value)) {
    case 0: chk->setCheckState(Qt::Unchecked); break;
    case 1: chk->setCheckState(Qt::Checked); break;
    case 2: chk->setCheckState(Qt::PartiallyChecked); break;
    default: vb::raise(vb::errInvalidProperty);
    }
}

void setOptionValue(QRadioButton* opt, bool on)
{
    // An option button of an exclusive group refuses to be cleared in Qt; the original let a
    // stored False clear it.
    const bool exclusive = opt->autoExclusive();
    if (!on && exclusive) opt->setAutoExclusive(false);
    opt->setChecked(on);
    if (!on && exclusive) opt->setAutoExclusive(true);
}

Value indexNumber(const QWidget* widget) { return Value(static_cast<int16_t>(widget->property("index").toInt())); }

Value listText(const QListWidget* lst)
{
    const int row = lst->currentRow();
    return Value(row >= 0 ? lst->item(row)->text() : QString());
}

Value listIndex(const QListWidget* lst) { return Value(static_cast<int16_t>(lst->currentRow())); }

void setListIndex(QListWidget* lst, const Value& value)
{
    const int row = vb::CInt(value);
    if (row < -1 || row >= lst->count()) vb::raise(vb::errInvalidProperty);
    lst->setCurrentRow(row);
}

Value comboItemText(const QComboBox* cbo)
{
    const int index = cbo->currentIndex();
    return index >= 0 ? Value(cbo->itemText(index)) : Value();
}

Value comboIndex(const QComboBox* cbo) { return Value(static_cast<int16_t>(cbo->currentIndex())); }

void setComboIndex(QComboBox* cbo, const Value& value)
{
    const int index = vb::CInt(value);
    if (index < -1 || index >= cbo->count()) vb::raise(vb::errInvalidProperty);
    cbo->setCurrentIndex(index);
}

void setComboText(QComboBox* cbo, const QString& text)
{
    if (cbo->isEditable()) cbo->setEditText(text);
    else cbo->setCurrentText(text);
}

bool isDropDownList(const QComboBox* cbo) { return !cbo->isEditable(); }

void selectComboItem(QComboBox* cbo, const QString& text)
{
    for (int i = 0; i < cbo->count(); ++i) {
        if (cbo->itemText(i) == text) {
            cbo->setCurrentIndex(i);
            return;
        }
    }
}

}  // namespace widgetvalues
