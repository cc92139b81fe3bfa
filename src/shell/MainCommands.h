#pragma once

#include "platform/ui/Ui.h"

#include <QString>

class frmMAIN;

// What the main window's command groups share: the window they act on, the menu caption that
// titles their messages, the prefix of their error messages and the mouse pointer.
class MainCommands {
protected:
    explicit MainCommands(frmMAIN& main) : main_(main) {}

    // The caption of the menu entry `menuName` as the menu shows it (language included).
    QString caption(const char* menuName) const;
    static void pointer(vb::Pointer p) { vb::Ui::instance().SetPointer(p); }

    static inline const QString kPrefix = QStringLiteral("VB-Error: ");

    frmMAIN& main_;
};
