#pragma once

#include "shell/MainCommands.h"

class QString;
class frmMAIN;
namespace vb { class Procedure; }

// The command panels that act on the open pages.
class PageCommands : MainCommands {
public:
    explicit PageCommands(frmMAIN& main) : MainCommands(main) {}

    // Panel 10: the show-page dialog, not modal.
    void ANZEIGEN();
    // Panel 11: the chosen pages of the page list, printed in one job.
    void DRUCKEN();
    // Panel 12: the active window's picture as a bitmap in the project's JPG folder.
    void KOPIE();
    // Panel 13: every visible picture of the active page, with its name, in a document for
    // the word processor.
    void WORD();

    // Panel 15: every child window but the start screen closes (the pages' unloads run);
    // back to the start screen. False when a page refused to close; the rest stay open.
    bool SCHLIESSEN();

private:
    // The convention of the panel commands: errors titled with the panel's text; a cancelled
    // dialog or a refused value ends the command without a message.
    vb::Procedure procedure(int panel) const;

};
