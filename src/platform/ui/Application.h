#pragma once

#include <QApplication>
#include <exception>
#include <functional>

namespace vb {

// The program's application object and the last net under every event procedure: an error
// that escapes an event procedure would cross Qt's event loop and end the program with all
// unsaved work. Here it is handed to the escape handler instead and the event loop goes on.
// The program's handler reports it in one box titled with the program's name; a test
// program installs one that fails the running test.
class Application : public QApplication {
public:
    using EscapeHandler = std::function<void(const std::exception_ptr&)>;

    Application(int& argc, char** argv);

    bool notify(QObject* receiver, QEvent* event) override;

    // Replaces what happens to an escaped error; returns the handler it replaces.
    static EscapeHandler setEscapeHandler(EscapeHandler handler);
    // The program's handler: the pointer back to normal and one warning box with OK, its text
    // as the error-report convention writes it, titled with the application's name.
    static void report(const std::exception_ptr& error);
};

}  // namespace vb
