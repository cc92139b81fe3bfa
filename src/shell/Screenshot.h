#pragma once

#include <QString>

class frmMAIN;
namespace vb { class ScriptedUi; }

// The unattended run of ./run without a display: a picture of the main window after start-up.
class Screenshot {
public:
    // Lets the window settle, grabs it into `path`, closes the program orderly (no hand-back).
    static bool take(frmMAIN& window, const QString& path);
    static void printMessages(const vb::ScriptedUi& ui);
};
