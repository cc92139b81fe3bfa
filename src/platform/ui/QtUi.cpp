#include "platform/ui/QtUi.h"

#include <QApplication>
#include <QColorDialog>
#include <QDesktopServices>
#include <QDialog>
#include <QFileDialog>
#include <QInputDialog>
#include <QLocale>
#include <QMessageBox>
#include <QPushButton>
#include <QThread>
#include <QUrl>

namespace vb {

namespace {

QMessageBox::Icon iconOf(int style)
{
    switch (style & 0x70) {
    case vbCritical: return QMessageBox::Critical;
    case vbQuestion: return QMessageBox::Question;
    case vbExclamation: return QMessageBox::Warning;
    case vbInformation: return QMessageBox::Information;
    default: return QMessageBox::NoIcon;
    }
}

struct ButtonSpec {
    QMessageBox::StandardButton button;
    int answer;
};

QList<ButtonSpec> buttonsOf(int style)
{
    switch (style & 0x7) {
    case vbOKCancel: return {{QMessageBox::Ok, vbOK}, {QMessageBox::Cancel, vbCancel}};
    case vbAbortRetryIgnore: return {{QMessageBox::Abort, vbAbort}, {QMessageBox::Retry, vbRetry}, {QMessageBox::Ignore, vbIgnore}};
    case vbYesNoCancel: return {{QMessageBox::Yes, vbYes}, {QMessageBox::No, vbNo}, {QMessageBox::Cancel, vbCancel}};
    case vbYesNo: return {{QMessageBox::Yes, vbYes}, {QMessageBox::No, vbNo}};
    case vbRetryCancel: return {{QMessageBox::Retry, vbRetry}, {QMessageBox::Cancel, vbCancel}};
    default: return {{QMessageBox::Ok, vbOK}};
    }
}

// Button captions in the language the program speaks: English for an English locale,
// German for every other (the program's own rule for its language).
QString captionOf(QMessageBox::StandardButton button)
{
    const bool english = QLocale::system().language() == QLocale::English;
    switch (button) {
    case QMessageBox::Ok: return QStringLiteral("OK");
    case QMessageBox::Cancel: return english ? QStringLiteral("Cancel") : QStringLiteral("Abbrechen");
    case QMessageBox::Yes: return english ? QStringLiteral("&Yes") : QStringLiteral("&Ja");
    case QMessageBox::No: return english ? QStringLiteral("&No") : QStringLiteral("&Nein");
    case QMessageBox::Abort: return english ? QStringLiteral("&Abort") : QStringLiteral("&Abbrechen");
    case QMessageBox::Retry: return english ? QStringLiteral("&Retry") : QStringLiteral("&Wiederholen");
    case QMessageBox::Ignore: return english ? QStringLiteral("&Ignore") : QStringLiteral("&Ignorieren");
    case QMessageBox::Help: return english ? QStringLiteral("&Help") : QStringLiteral("&Hilfe");
    default: return QString();
    }
}

}  // namespace

QtUi::QtUi() { sinceEvents_.start(); }

int QtUi::MsgBox(const QString& prompt, int style, const QString& title)
{
    QString text = prompt;
    text.replace(vbCrLf, QStringLiteral("\n"));
    QMessageBox box(iconOf(style), title.isEmpty() ? QApplication::applicationName() : title, text,
                    QMessageBox::NoButton, QApplication::activeWindow());
    const QList<ButtonSpec> specs = buttonsOf(style);
    for (const ButtonSpec& s : specs) box.addButton(s.button)->setText(captionOf(s.button));
    const int defaultIndex = (style & vbDefaultButton3) ? 2 : (style & vbDefaultButton2) ? 1 : 0;
    if (defaultIndex < specs.size()) box.setDefaultButton(specs[defaultIndex].button);
    if (style & vbMsgBoxHelpButton) box.addButton(QMessageBox::Help)->setText(captionOf(QMessageBox::Help));
    auto pressed = static_cast<QMessageBox::StandardButton>(box.exec());
    // Help shows the program's help and asks again: the question itself is not answered by it.
    while (pressed == QMessageBox::Help) {
        if (helpHandler_) helpHandler_();
        pressed = static_cast<QMessageBox::StandardButton>(box.exec());
    }
    for (const ButtonSpec& s : specs)
        if (s.button == pressed) return s.answer;
    // Closing the box with Escape or the close button answers Cancel where there is one.
    for (const ButtonSpec& s : specs)
        if (s.answer == vbCancel || s.answer == vbNo) return s.answer;
    return specs.front().answer;
}

QString QtUi::InputBox(const QString& prompt, const QString& title, const QString& defaultText)
{
    bool ok = false;
    const QString text = QInputDialog::getText(QApplication::activeWindow(), title, prompt, QLineEdit::Normal, defaultText, &ok);
    return ok ? text : QString();
}

void QtUi::ShowModal(QDialog& dialog) { dialog.exec(); }

std::optional<OleColor> QtUi::ChooseColor(OleColor initial)
{
    const QColor chosen = QColorDialog::getColor(toQColor(initial), QApplication::activeWindow());
    if (!chosen.isValid()) return std::nullopt;
    return RGB(chosen.red(), chosen.green(), chosen.blue());
}

void QtUi::DoEvents()
{
    // Long loops call this once per row; letting events run every few milliseconds keeps
    // the window alive without paying for an event-loop pass on every row.
    if (sinceEvents_.elapsed() < 15) return;
    QApplication::processEvents();
    sinceEvents_.restart();
}

void QtUi::Sleep(int milliseconds)
{
    QApplication::processEvents();
    QThread::msleep(static_cast<unsigned long>(milliseconds));
}

void QtUi::SetPointer(Pointer pointer)
{
    if (pointerOverridden_) QApplication::restoreOverrideCursor();
    pointerOverridden_ = pointer != Pointer::Default;
    if (!pointerOverridden_) return;
    Qt::CursorShape shape = Qt::ArrowCursor;
    switch (pointer) {
    case Pointer::Hourglass: shape = Qt::WaitCursor; break;
    case Pointer::Cross: shape = Qt::CrossCursor; break;
    case Pointer::SizeAll: shape = Qt::SizeAllCursor; break;
    default: break;
    }
    QApplication::setOverrideCursor(QCursor(shape));
}

bool QtUi::OpenDocument(const QString& path) { return QDesktopServices::openUrl(QUrl::fromLocalFile(path)); }

QString QtUi::SaveFileName(const QString& title, const QString& proposedPath, const QString& filter)
{
    // The program asks its own question before it replaces a file.
    return QFileDialog::getSaveFileName(QApplication::activeWindow(), title, proposedPath, filter, nullptr,
                                        QFileDialog::DontConfirmOverwrite);
}

QString QtUi::OpenFileName(const QString& title, const QString& folder, const QString& filter)
{
    return QFileDialog::getOpenFileName(QApplication::activeWindow(), title, folder, filter);
}

}  // namespace vb
