#pragma once

#include "platform/ui/Ui.h"

#include <QList>
#include <QStringList>
#include <deque>
#include <functional>

namespace vb {

// The service for tests: records every message and answers from queues. A message that
// finds the queue empty is answered with the first button of its kind (OK, Yes, Abort, Retry).
class ScriptedUi : public Ui {
public:
    struct Message {
        QString text;
        int buttons;
        QString title;
    };

    int MsgBox(const QString& prompt, int buttons, const QString& title) override;
    QString InputBox(const QString& prompt, const QString& title, const QString& defaultText) override;
    void ShowModal(QDialog& dialog) override;
    // Answers from `colours`; an empty queue (or an empty answer) is a cancelled dialog.
    std::optional<OleColor> ChooseColor(OleColor initial) override;
    void DoEvents() override {}
    void Sleep(int milliseconds) override { slept += milliseconds; }
    void SetPointer(Pointer pointer) override { pointer_ = pointer; }
    // Records the path; `noApplication` makes it fail as on a desktop without a program for it.
    bool OpenDocument(const QString& path) override
    {
        opened.append(path);
        return !noApplication;
    }

    void answer(int result) { answers.push_back(result); }
    void type(const QString& text) { inputs.push_back(text); }
    // What the next modal dialog does while it is "shown".
    void onModal(std::function<void(QDialog&)> action) { modalActions.push_back(std::move(action)); }
    void chooseColour(std::optional<OleColor> colour) { colours.push_back(colour); }
    void clear()
    {
        messages.clear(); answers.clear(); inputs.clear(); modalActions.clear(); opened.clear();
        noApplication = false;
        colours.clear(); colourRequests.clear();
    }

    bool noApplication = false;
    QList<Message> messages;
    std::deque<int> answers;
    std::deque<QString> inputs;
    std::deque<std::function<void(QDialog&)>> modalActions;
    QStringList opened;
    std::deque<std::optional<OleColor>> colours;
    // The colour each colour dialog was opened on.
    QList<OleColor> colourRequests;
    int slept = 0;
    Pointer pointer_ = Pointer::Default;
};

}  // namespace vb
