#pragma once

#include <QString>

class QProgressBar;
class QWidget;
class SessionContext;

// What the windows of the upper layers need of the main window. The main window implements
// it, so nothing below the shell depends on the shell.
class ShellWindow {
public:
    virtual ~ShellWindow() = default;

    virtual SessionContext& session() = 0;
    // The tag text through which commands and dialogs exchange modes and answers.
    virtual QString Tag() const = 0;
    virtual void setTag(const QString& tag) = 0;
    virtual void SATZANZEIGE() = 0;
    virtual void mnuBEENDEN_Click() = 0;
    virtual void mnuHILFE_Click() = 0;
    virtual void stbMAIN_PanelClick(int panel) = 0;
    virtual QWidget* activeChild() const = 0;
    // The start screen's progress bar, shown while a page is built.
    virtual QProgressBar* progressBar() const = 0;
};
