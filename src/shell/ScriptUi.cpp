#include "shell/ScriptUi.h"

#include <QColor>
#include <QCoreApplication>
#include <QDialog>
#include <QDir>
#include <QHash>
#include <QTextStream>

namespace {

QString oneLine(QString text) { return text.replace(QStringLiteral("\r\n"), QStringLiteral(" / ")).replace(QLatin1Char('\n'), QStringLiteral(" / ")); }

// The answers a box of these buttons can give.
QList<int> answersOf(int buttons)
{
    switch (buttons & 0x7) {
    case vb::vbOKCancel: return {vb::vbOK, vb::vbCancel};
    case vb::vbAbortRetryIgnore: return {vb::vbAbort, vb::vbRetry, vb::vbIgnore};
    case vb::vbYesNoCancel: return {vb::vbYes, vb::vbNo, vb::vbCancel};
    case vb::vbYesNo: return {vb::vbYes, vb::vbNo};
    case vb::vbRetryCancel: return {vb::vbRetry, vb::vbCancel};
    default: return {vb::vbOK};
    }
}

void print(const QString& line) { QTextStream(stdout) << line << Qt::endl; }

}  // namespace

int ScriptUi::button(const QString& word)
{
    static const QHash<QString, int> words = {
        {QStringLiteral("ok"), vb::vbOK},         {QStringLiteral("cancel"), vb::vbCancel}, {QStringLiteral("abbrechen"), vb::vbCancel},
        {QStringLiteral("abort"), vb::vbAbort},   {QStringLiteral("retry"), vb::vbRetry},   {QStringLiteral("wiederholen"), vb::vbRetry},
        {QStringLiteral("ignore"), vb::vbIgnore}, {QStringLiteral("ignorieren"), vb::vbIgnore},
        {QStringLiteral("yes"), vb::vbYes},       {QStringLiteral("ja"), vb::vbYes},
        {QStringLiteral("no"), vb::vbNo},         {QStringLiteral("nein"), vb::vbNo},
    };
    return words.value(word.toLower(), 0);
}

void ScriptUi::fail(const QString& why)
{
    if (failure_.isEmpty()) failure_ = why;
}

QString ScriptUi::takeFailure()
{
    QString f;
    f.swap(failure_);
    return f;
}

void ScriptUi::expect(const QString& text)
{
    if (expectations_.empty()) return;
    const QString wanted = expectations_.front();
    expectations_.pop_front();
    if (!text.contains(wanted)) fail(QStringLiteral("expected a message with \"%1\", got \"%2\"").arg(wanted, oneLine(text)));
}

int ScriptUi::MsgBox(const QString& prompt, int buttons, const QString& title)
{
    expect(prompt);
    const QList<int> possible = answersOf(buttons);
    QString word;
    int answer = 0;
    if (!answers_.empty()) {
        word = answers_.front();
        answers_.pop_front();
        answer = button(word);
        if (!possible.contains(answer)) fail(QStringLiteral("the answer \"%1\" is not a button of the message \"%2\"").arg(word, oneLine(prompt)));
    } else if (closing_ && possible.contains(vb::vbNo)) {
        word = QStringLiteral("Nein");
        answer = vb::vbNo;
    } else {
        fail(QStringLiteral("no answer queued for the message \"%1\"").arg(oneLine(prompt)));
        word = QStringLiteral("(no answer)");
    }
    // Whatever went wrong, the box gives the answer that ends the procedure most quietly.
    if (!possible.contains(answer)) answer = possible.contains(vb::vbCancel) ? vb::vbCancel : possible.contains(vb::vbNo) ? vb::vbNo : possible.first();
    print(QStringLiteral("[%1] %2 -> %3").arg(title, oneLine(prompt), word));
    return answer;
}

QString ScriptUi::InputBox(const QString& prompt, const QString& title, const QString&)
{
    expect(prompt);
    QString text;
    if (!inputs_.empty()) {
        text = inputs_.front();
        inputs_.pop_front();
    } else {
        fail(QStringLiteral("no input queued for the input box \"%1\"").arg(oneLine(prompt)));
    }
    print(QStringLiteral("[%1] %2 -> \"%3\"").arg(title, oneLine(prompt), text));
    return text;
}

std::optional<vb::OleColor> ScriptUi::ChooseColor(vb::OleColor)
{
    if (inputs_.empty()) {
        fail(QStringLiteral("no input queued for the colour dialog"));
        return std::nullopt;
    }
    const QString text = inputs_.front();
    inputs_.pop_front();
    print(QStringLiteral("[colour] -> \"%1\"").arg(text));
    if (text.isEmpty()) return std::nullopt;
    const QColor colour(text);
    if (!colour.isValid()) {
        fail(QStringLiteral("\"%1\" is not a colour").arg(text));
        return std::nullopt;
    }
    return vb::RGB(colour.red(), colour.green(), colour.blue());
}

void ScriptUi::ShowModal(QDialog& dialog)
{
    if (modalRunner_) modalRunner_(dialog);
}

void ScriptUi::DoEvents() { QCoreApplication::processEvents(); }

void ScriptUi::Sleep(int) { QCoreApplication::processEvents(); }

bool ScriptUi::OpenDocument(const QString& path)
{
    print(QStringLiteral("[document] %1").arg(path));
    return true;
}

QString ScriptUi::SaveFileName(const QString& title, const QString& proposedPath, const QString& filter)
{
    return inScriptFolder(Ui::SaveFileName(title, proposedPath, filter));
}

// The file dialog is no message: it takes the next input without an expectation, and the
// log shows no folder that differs from one machine to the next.
QString ScriptUi::OpenFileName(const QString& title, const QString&, const QString&)
{
    QString path;
    if (!inputs_.empty()) {
        path = inputs_.front();
        inputs_.pop_front();
    } else {
        fail(QStringLiteral("no input queued for the file dialog \"%1\"").arg(title));
    }
    print(QStringLiteral("[%1] file dialog -> \"%2\"").arg(title, path));
    return inScriptFolder(path);
}

QString ScriptUi::inScriptFolder(const QString& name) const
{
    return name.isEmpty() || folder_.isEmpty() ? name : QDir(folder_).absoluteFilePath(name);
}
