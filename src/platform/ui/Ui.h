#pragma once

#include "platform/surface/SurfaceColor.h"

#include <QString>
#include <functional>
#include <optional>

class QDialog;
class QWidget;

namespace vb {

// MsgBox button and icon flags and answers, with the original values so that stored
// or combined flags keep their meaning.
enum MsgBoxStyle : int {
    vbOKOnly = 0, vbOKCancel = 1, vbAbortRetryIgnore = 2, vbYesNoCancel = 3, vbYesNo = 4, vbRetryCancel = 5,
    vbCritical = 16, vbQuestion = 32, vbExclamation = 48, vbInformation = 64,
    vbDefaultButton2 = 256, vbDefaultButton3 = 512,
    vbMsgBoxHelpButton = 16384,
};
enum MsgBoxResult : int { vbOK = 1, vbCancel = 2, vbAbort = 3, vbRetry = 4, vbIgnore = 5, vbYes = 6, vbNo = 7 };

inline const QString vbCrLf = QStringLiteral("\r\n");

enum class Pointer { Default, Hourglass, Arrow, Cross, SizeAll };

// Every message, question, modal window and pause of the program goes through this service,
// so that tests can run every flow headless, answer the questions and read the exact texts.
class Ui {
public:
    virtual ~Ui() = default;

    virtual int MsgBox(const QString& prompt, int buttons = vbOKOnly, const QString& title = QString()) = 0;
    // Returns the typed text; an empty text when the user cancelled.
    virtual QString InputBox(const QString& prompt, const QString& title = QString(),
                             const QString& defaultText = QString()) = 0;
    // Shows a loaded dialog modally and returns when it has been closed.
    virtual void ShowModal(QDialog& dialog) = 0;
    // The colour dialog, opened on `initial`; empty when the user cancelled it (the caller
    // keeps the colour it had).
    virtual std::optional<OleColor> ChooseColor(OleColor initial) = 0;
    // Lets pending window messages run.
    virtual void DoEvents() = 0;
    // Pauses; the pause is multiplied by the scale (tests set it to 0).
    virtual void Sleep(int milliseconds) = 0;
    virtual void SetPointer(Pointer pointer) = 0;
    // Opens a document with the desktop's default application.
    virtual bool OpenDocument(const QString& path) = 0;
    // Asks for the name of a file to write (the caller asks before replacing one); an empty
    // text when the user cancelled. Without a file dialog the name is typed like any answer,
    // with the proposed path as the prompt.
    virtual QString SaveFileName(const QString& title, const QString& proposedPath, const QString& /*filter*/)
    {
        return InputBox(proposedPath, title, proposedPath);
    }

    // Asks for a file to read, starting in `folder`; an empty text when the user cancelled.
    // Without a file dialog the path is typed like any answer, with the folder as the prompt.
    virtual QString OpenFileName(const QString& title, const QString& folder, const QString& /*filter*/)
    {
        return InputBox(folder, title, QString());
    }

    // What a message's Help button opens (the program's help); the box stays open meanwhile.
    void setHelpHandler(std::function<void()> handler) { helpHandler_ = std::move(handler); }

    static Ui& instance();
    // Installs the service for the whole program; the caller keeps ownership.
    static void install(Ui* ui);

protected:
    std::function<void()> helpHandler_;
};

// Shortcuts used by the program's code.
inline int MsgBox(const QString& prompt, int buttons = vbOKOnly, const QString& title = QString())
{
    return Ui::instance().MsgBox(prompt, buttons, title);
}
inline void DoEvents() { Ui::instance().DoEvents(); }

}  // namespace vb
