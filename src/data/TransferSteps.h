#pragma once

#include "platform/ui/Ui.h"
#include "platform/vb/VbError.h"

#include <QString>
#include <exception>
#include <functional>
#include <new>

// The step runner of the list and grid transfers. Like the program's error-report convention
// it shows a warning with OK and Cancel for a step that fails (OK goes on with the next step,
// Cancel leaves the operation), but the text is the transfer's own, built from the error by
// `text`, and the title is always "Datenfehler".
class TransferSteps {
public:
    using Text = std::function<QString(int number, const QString& description)>;

    explicit TransferSteps(Text text) : text_(std::move(text)) {}

    // Runs `f` unless the operation has been cancelled; returns false once it has been.
    template <class F>
    bool step(F&& f)
    {
        if (cancelled_) return false;
        try {
            f();
        } catch (const vb::VbError& e) {
            report(e.number(), e.description());
        } catch (const std::bad_alloc&) {
            report(7, QStringLiteral("Out of memory"));
        } catch (const std::exception& e) {
            report(vb::errInvalidCall, QString::fromUtf8(e.what()));
        }
        return !cancelled_;
    }

    bool cancelled() const { return cancelled_; }

private:
    void report(int number, const QString& description)
    {
        const int answer = vb::MsgBox(text_(number, description), vb::vbOKCancel | vb::vbExclamation,
                                      QStringLiteral("Datenfehler"));
        if (answer == vb::vbCancel) cancelled_ = true;
    }

    Text text_;
    bool cancelled_ = false;
};
