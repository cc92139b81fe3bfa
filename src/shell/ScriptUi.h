#pragma once

#include "platform/ui/Ui.h"

#include <QString>
#include <optional>
#include <deque>
#include <functional>

// The service of a scripted session: every message box is printed as
// "[title] text -> answer" and answered from the script's queue; a message nobody answered
// or one the script expected otherwise is a failure of the running script line. Modal
// dialogs stay open while the script's following lines act on them.
class ScriptUi : public vb::Ui {
public:
    // `folder`: where relative file names the script gives for a file to write are taken from.
    explicit ScriptUi(QString folder = QString()) : folder_(std::move(folder)) {}

    int MsgBox(const QString& prompt, int buttons, const QString& title) override;
    QString InputBox(const QString& prompt, const QString& title, const QString& defaultText) override;
    void ShowModal(QDialog& dialog) override;
    // The colour dialog takes the next queued input: a colour name such as "#ff0000" or
    // "red"; an empty input is Cancel.
    std::optional<vb::OleColor> ChooseColor(vb::OleColor initial) override;
    void DoEvents() override;
    // A script does not wait for pressed looks and progress pauses; events still run.
    void Sleep(int milliseconds) override;
    void SetPointer(vb::Pointer) override {}
    bool OpenDocument(const QString& path) override;
    // The queued input, a relative name taken from the script's folder (for a file to write
    // and for one to read).
    QString SaveFileName(const QString& title, const QString& proposedPath, const QString& filter) override;
    QString OpenFileName(const QString& title, const QString& folder, const QString& filter) override;

    // The answer word of a button (OK, Abbrechen/Cancel, Ja/Yes, Nein/No, Abort, Retry,
    // Ignore); 0 for a word that names none.
    static int button(const QString& word);
    void queueAnswer(const QString& word) { answers_.push_back(word); }
    void queueInput(const QString& text) { inputs_.push_back(text); }
    void queueExpectation(const QString& text) { expectations_.push_back(text); }
    bool expectationsMet() const { return expectations_.empty(); }

    // The script has ended: a Yes/No question nobody answered gets "Nein".
    void setClosing(bool closing) { closing_ = closing; }
    // What runs the script's next lines while `dialog` is shown.
    void setModalRunner(std::function<void(QDialog&)> runner) { modalRunner_ = std::move(runner); }
    // The first failure since the last call; empty when there was none.
    QString takeFailure();

private:
    // Checks the next expectation against a message; records a failure when it is not met.
    void expect(const QString& text);
    void fail(const QString& why);
    QString inScriptFolder(const QString& name) const;

    QString folder_;
    std::deque<QString> answers_;
    std::deque<QString> inputs_;
    std::deque<QString> expectations_;
    std::function<void(QDialog&)> modalRunner_;
    QString failure_;
    bool closing_ = false;
};
