#pragma once

class frmMAIN;

// The command panels that act on the open pages.
class PageCommands {
public:
    explicit PageCommands(frmMAIN& main) : main_(main) {}

    // Panel 15: every child window but the start screen closes (the pages' unloads run);
    // back to the start screen. False when a page refused to close; the rest stay open.
    bool SCHLIESSEN();

private:
    frmMAIN& main_;
};
