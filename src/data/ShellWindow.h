#pragma once

#include <QList>
#include <QString>

class PointCapture;
class PrinterProvider;
class QProgressBar;
class QWidget;
class SessionContext;
namespace vb { class PictureBox; }

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

    // The Tag of a menu entry by its name. The Tag of "mnuEINGABEGRAFIK" is the capture
    // marker: "VELOR" while the input picture's mouse events belong to the capture window.
    virtual QString menuTag(const QString& name) const = 0;
    virtual void setMenuTag(const QString& name, const QString& tag) = 0;
    // Shows the capture window (modeless, owned by the main window) bound to `picture`,
    // or brings the open one to the front. Null when there is none to show.
    virtual PointCapture* showCapture(vb::PictureBox* picture) = 0;
    // Enables or disables a status-bar panel (1-based).
    virtual void setPanelEnabled(int panel, bool enabled) = 0;
    // The open page windows in print order: input pages, then output pages (then the
    // family's further page kinds); page number n is entry n-1.
    virtual QList<QWidget*> pageList() const = 0;
    // Where prints go: the print dialog in the program, PDF files in scripts and tests.
    virtual PrinterProvider& printers() = 0;
};
