#include "platform/ui/Procedure.h"

#include "platform/ui/Ui.h"
#include "platform/vb/VbError.h"

#include <algorithm>
#include <new>

namespace vb {

Procedure::Procedure(QString prefix, QString title) : prefix_(std::move(prefix)), title_(std::move(title)) {}

QString Procedure::message(const QString& prefix, int number, const QString& description)
{
    return prefix + QString::number(number) + vbCrLf + description;
}

void Procedure::report(int number, const QString& description)
{
    failed_ = true;
    if (std::find(silent_.begin(), silent_.end(), number) != silent_.end()) {
        cancelled_ = true;
        return;
    }
    // Every further step would only hit the full disk again: it is said once, and the
    // procedure ends.
    if (number == errDiskFull) {
        Ui::instance().MsgBox(description, vbExclamation | vbOKOnly, title_);
        cancelled_ = true;
        return;
    }
    const int answer = Ui::instance().MsgBox(message(prefix_, number, description), vbExclamation | vbOKCancel, title_);
    if (answer == vbCancel) cancelled_ = true;
}

std::pair<int, QString> Procedure::describe(const std::exception_ptr& error)
{
    try {
        std::rethrow_exception(error);
    } catch (const VbError& e) {
        return {e.number(), e.description()};
    } catch (const std::bad_alloc&) {
        return {7, QStringLiteral("Out of memory")};
    } catch (const std::exception& e) {
        return {errInvalidCall, QString::fromUtf8(e.what())};
    } catch (...) {
        return {errInvalidCall, standardDescription(errInvalidCall)};
    }
}

bool Procedure::step(const std::function<void()>& f)
{
    if (cancelled_) return false;
    try {
        f();
    } catch (...) {
        const auto [number, description] = describe(std::current_exception());
        report(number, description);
    }
    return !cancelled_;
}

}  // namespace vb
