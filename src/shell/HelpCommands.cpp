#include "shell/HelpCommands.h"

#include "data/SessionContext.h"
#include "platform/os/Os.h"
#include "platform/ui/Procedure.h"
#include "platform/ui/Ui.h"
#include "platform/vb/VbError.h"
#include "shell/frmHILFE.h"
#include "shell/frmMAIN.h"

#include <QAction>

using vb::Pointer;

QString HelpCommands::programFile(const QString& name) const
{
    return vb::Os::findFileNoCase(main_.session().programFolder(), name);
}

QString HelpCommands::helpFile() const { return programFile(helpFileName()); }
QString HelpCommands::readMeFile() const { return programFile(SessionContext::title() + QStringLiteral(".doc")); }
QString HelpCommands::notesFile() const { return programFile(SessionContext::title() + QStringLiteral("_H.doc")); }

void HelpCommands::FRAGEZEICHEN()
{
    vb::Procedure p(QStringLiteral("VB-Error: "), QStringLiteral("?"));
    p.step([&] { main_.menu(QStringLiteral("mnuHILFE"))->setEnabled(!programFile(SessionContext::title() + QStringLiteral(".hlp")).isEmpty()); });
    p.step([&] { main_.menu(QStringLiteral("mnuREADME"))->setEnabled(!readMeFile().isEmpty()); });
    p.step([&] { main_.menu(QStringLiteral("mnuHINWEISE"))->setEnabled(!notesFile().isEmpty()); });
}

void HelpCommands::HILFE()
{
    vb::Procedure p(QStringLiteral("VB-Error: "), main_.menu(QStringLiteral("mnuHILFE"))->text());
    p.step([&] { pointer(Pointer::Hourglass); });
    p.step([&] {
        const QString file = helpFile();
        if (file.isEmpty())
            vb::raise(vb::errFileNotFound, QStringLiteral("File not found: ") + vb::Os::join(main_.session().programFolder(), helpFileName()));
        // The help has no context numbers: every window opens it at its contents.
        window().showContents(file, QStringLiteral("?/Hilfe"));
        help_->present();
    });
    pointer(Pointer::Default);
}

frmHILFE& HelpCommands::window()
{
    if (!help_) help_ = new frmHILFE(main_.session().SPRACHE() == 1, &main_);
    return *help_;
}

void HelpCommands::showDocument(const QString& path, const QString& title)
{
    if (vb::Ui::instance().OpenDocument(path)) return;
    const QString note = main_.session().SPRACHE() == 1
                             ? QStringLiteral("No program on this computer opens the document, so VELOR shows it here. The file is: ")
                             : QStringLiteral("Kein Programm auf diesem Rechner öffnet das Dokument, darum zeigt VELOR es hier. "
                                              "Die Datei liegt unter: ");
    window().showDocument(path, title, note + path);
    help_->present();
}

void HelpCommands::openDocument(const QString& path, const QString& name, const QString& title)
{
    if (path.isEmpty())
        vb::raise(vb::errFileNotFound, QStringLiteral("File not found: ") + vb::Os::join(main_.session().programFolder(), name));
    showDocument(path, title);
}

void HelpCommands::README()
{
    vb::Procedure p(QStringLiteral("VB-Error: "), QStringLiteral("?/ReadMe"));
    p.step([&] { pointer(Pointer::Hourglass); });
    p.step([&] { openDocument(readMeFile(), SessionContext::title() + QStringLiteral(".doc"), QStringLiteral("?/ReadMe")); });
    pointer(Pointer::Default);
}

void HelpCommands::HINWEISE()
{
    vb::Procedure p(QStringLiteral("VB-Error: "), QStringLiteral("?/Hinweise"));
    p.step([&] { pointer(Pointer::Hourglass); });
    p.step([&] { openDocument(notesFile(), SessionContext::title() + QStringLiteral("_H.doc"), QStringLiteral("?/Hinweise")); });
    pointer(Pointer::Default);
}

void HelpCommands::closeHelp()
{
    if (help_) help_->close();
    delete help_;
}
