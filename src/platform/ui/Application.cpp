#include "platform/ui/Application.h"

#include "platform/ui/Procedure.h"
#include "platform/ui/Ui.h"

namespace vb {

namespace {

Application::EscapeHandler& escapeHandler()
{
    static Application::EscapeHandler handler = &Application::report;
    return handler;
}

}  // namespace

Application::Application(int& argc, char** argv) : QApplication(argc, argv) {}

bool Application::notify(QObject* receiver, QEvent* event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (...) {
        escapeHandler()(std::current_exception());
        return false;
    }
}

Application::EscapeHandler Application::setEscapeHandler(EscapeHandler handler)
{
    return std::exchange(escapeHandler(), std::move(handler));
}

void Application::report(const std::exception_ptr& error)
{
    const auto [number, description] = Procedure::describe(error);
    Ui::instance().SetPointer(Pointer::Default);
    MsgBox(Procedure::message(QStringLiteral("VB-Error: "), number, description), vbExclamation | vbOKOnly,
           applicationName());
}

}  // namespace vb
