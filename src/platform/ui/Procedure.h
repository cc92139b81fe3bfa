#pragma once

#include <QString>
#include <exception>
#include <functional>
#include <initializer_list>
#include <utility>
#include <vector>

namespace vb {

class VbError;

// Runs a procedure as a list of steps under one error reporter, the program's convention
// for command procedures: a step that raises a run-time error shows a warning box with OK
// and Cancel whose text is the prefix, the error number, CR LF and the description, titled
// with the procedure's name. OK goes on with the next step; Cancel leaves the procedure.
// A full disk is said in plain words, once, and ends the procedure.
//
//     Procedure p("VB-Error: ", "&Neu");
//     p.step([&] { ... });
//     p.step([&] { ... });
//     if (p.cancelled()) return;
class Procedure {
public:
    Procedure(QString prefix, QString title);

    // Runs `f` unless the procedure has been cancelled; returns false when it has been.
    bool step(const std::function<void()>& f);

    // Errors with these numbers end the procedure without a message (a dialog the user
    // cancelled, a value the widget refused).
    void endSilentlyOn(std::initializer_list<int> numbers) { silent_.assign(numbers); }

    bool cancelled() const { return cancelled_; }
    bool failed() const { return failed_; }
    void setTitle(const QString& title) { title_ = title; }

    // The message text of the convention.
    static QString message(const QString& prefix, int number, const QString& description);
    // The error number and description of any exception, as a step reports it.
    static std::pair<int, QString> describe(const std::exception_ptr& error);

private:
    void report(int number, const QString& description);

    std::vector<int> silent_;
    QString prefix_;
    QString title_;
    bool cancelled_ = false;
    bool failed_ = false;
};

}  // namespace vb
