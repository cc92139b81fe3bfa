#include "platform/ui/ScriptedUi.h"

#include <QDialog>

namespace vb {

int ScriptedUi::MsgBox(const QString& prompt, int buttons, const QString& title)
{
    messages.append({prompt, buttons, title});
    if (!answers.empty()) {
        const int a = answers.front();
        answers.pop_front();
        return a;
    }
    switch (buttons & 0x7) {
    case vbAbortRetryIgnore: return vbAbort;
    case vbYesNoCancel:
    case vbYesNo: return vbYes;
    case vbRetryCancel: return vbRetry;
    default: return vbOK;
    }
}

QString ScriptedUi::InputBox(const QString& prompt, const QString& title, const QString&)
{
    messages.append({prompt, -1, title});
    if (inputs.empty()) return QString();
    const QString t = inputs.front();
    inputs.pop_front();
    return t;
}

void ScriptedUi::ShowModal(QDialog& dialog)
{
    if (modalActions.empty()) return;
    auto action = std::move(modalActions.front());
    modalActions.pop_front();
    action(dialog);
}

std::optional<OleColor> ScriptedUi::ChooseColor(OleColor initial)
{
    colourRequests.append(initial);
    if (colours.empty()) return std::nullopt;
    const std::optional<OleColor> c = colours.front();
    colours.pop_front();
    return c;
}

}  // namespace vb
