#pragma once

#include <QString>

class QHBoxLayout;
class QPushButton;
class QWidget;

namespace vb {

// The OK and Cancel buttons of a dialog ("cmdOK", "cmdABBRECHEN"), right-aligned in one row
// for the dialog's layout; OK is the default button.
struct DialogButtons {
    explicit DialogButtons(QWidget* dialog, const QString& cancelText = QStringLiteral("Abbrechen"));

    QPushButton* ok;
    QPushButton* cancel;
    QHBoxLayout* row;
};

}  // namespace vb
