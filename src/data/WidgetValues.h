#pragma once

#include "platform/vb/Value.h"

#include <QString>

class QCheckBox;
class QComboBox;
class QListWidget;
class QRadioButton;
class QWidget;

// The widget properties the transfer family moves, in the original's terms: a check box
// value 0 clear / 1 ticked / 2 grey, list indexes with -1 for "none", a widget's index number
// in its group. Setting a property to a value it cannot take raises "Invalid property value"
// (380) as the original widgets did, where Qt would quietly ignore it.
namespace widgetvalues {

vb::Value checkValue(const QCheckBox* chk);
void setCheckValue(QCheckBox* chk, const vb::Value& value);

void setOptionValue(QRadioButton* opt, bool on);

// The widget's position in a group of like widgets (its "index" property, 0 when unset).
vb::Value indexNumber(const QWidget* widget);

vb::Value listText(const QListWidget* lst);
vb::Value listIndex(const QListWidget* lst);
void setListIndex(QListWidget* lst, const vb::Value& value);

// The selected item's text; Empty when no item is selected.
vb::Value comboItemText(const QComboBox* cbo);
vb::Value comboIndex(const QComboBox* cbo);
void setComboIndex(QComboBox* cbo, const vb::Value& value);
void setComboText(QComboBox* cbo, const QString& text);
// A drop-down list (style 2): the user can only pick listed items.
bool isDropDownList(const QComboBox* cbo);
// Selects the first item equal to `text`; leaves the selection alone when none is.
void selectComboItem(QComboBox* cbo, const QString& text);

}  // namespace widgetvalues
