#include "shell/SessionStartup.h"

#include "data/SessionContext.h"
#include "platform/db/DatabaseFile.h"
#include "platform/os/Os.h"
#include "platform/os/SafePath.h"
#include "platform/ui/Ui.h"
#include "platform/vb/VbError.h"
#include "shell/WorkingCopy.h"

#include <QFileInfo>

using vb::Os;

void SessionStartup::message(const QString& english, const QString& german) const
{
    vb::MsgBox(session_.SPRACHE() == 1 ? english : german, vb::vbExclamation | vb::vbOKOnly, SessionContext::title());
}

bool SessionStartup::checkUserFolder()
{
    const QString user = session_.BENUTZER();
    if (!vb::SafePath::isPlainName(user)) {
        message(QStringLiteral("The user name ") + user + QStringLiteral(" cannot be used as a folder name!"),
                QStringLiteral("Der Benutzername ") + user + QStringLiteral(" kann nicht als Ordnername verwendet werden!"));
        return false;
    }
    // The working copy holds the project's data: the folder must be the user's alone, or
    // another user could read it, or swap the files in it for links.
    const QString folder = Os::parentFolder(session_.XMDBPFAD());
    if (!vb::SafePath::isPrivateFolder(folder)) {
        message(QStringLiteral("The user folder ") + folder + QStringLiteral(" belongs to another user or may be written by others!"),
                QStringLiteral("Der Benutzerordner ") + folder + QStringLiteral(" gehört einem anderen Benutzer oder ist für andere beschreibbar!"));
        return false;
    }
    return true;
}

bool SessionStartup::claimWorkingCopy()
{
    if (!checkUserFolder()) return false;
    if (lock_.tryLock(WorkingCopy(session_).lockFile()) != vb::FileLock::Result::HeldElsewhere) return true;
    const QString title = SessionContext::title();
    message(QStringLiteral("Program ") + title + QStringLiteral(" is already running!"),
            QStringLiteral("Programm ") + title + QStringLiteral(" wird bereits ausgeführt!"));
    return false;
}

bool SessionStartup::readFrameEntry()
{
    if (session_.isStandAlone()) {
        session_.setProject(Os::parentFolder(session_.programFolder()), QStringLiteral("TE0000.00"), session_.BENUTZER());
    } else if (!(openInformationSystem() && readAdminRow() && checkInstallation())) {
        return false;
    }
    // What a save killed halfway left beside the project is no part of it.
    db::DatabaseFile::removeStaleTemporaries(session_.projectDatabase());
    return true;
}

bool SessionStartup::openInformationSystem()
{
    // A database that cannot be opened ends the start with one message that names it;
    // everything after it would only fail again.
    try {
        admin_.open(session_.archiveDatabase());
        session_.cnnX_V.Open(db::Connection::connectionString(session_.presetsDatabase()), 30);
    } catch (const vb::VbError& e) {
        message(QStringLiteral("The databases of the information system cannot be opened:") + vb::vbCrLf + e.description()
                    + vb::vbCrLf + QStringLiteral("Please start the program via the frame program KELMORA!"),
                QStringLiteral("Die Datenbanken des Informationssystems können nicht geöffnet werden:") + vb::vbCrLf + e.description()
                    + vb::vbCrLf + QStringLiteral("Bitte starten Sie das Programm über das Rahmenprogramm KELMORA!"));
        return false;
    }
    return true;
}

bool SessionStartup::readAdminRow()
{
    const QString title = SessionContext::title();
    const auto entry = admin_.enter(session_.BENUTZER(), title);
    if (!entry) {
        message(QStringLiteral("Program ") + title + QStringLiteral(" can used only via the frame program!"),
                QStringLiteral("Programm ") + title + QStringLiteral(" kann nur über das Rahmenprogramm ausgeführt werden!"));
        return false;
    }
    session_.setProject(entry->projectsFolder, entry->project, entry->bearbeiter);
    return true;
}

bool SessionStartup::checkProjectPath()
{
    // Every user may write the information system, so its entry must not lead anywhere but to
    // a project folder of this installation.
    const QString root = session_.projectsRoot();
    const QString path = session_.PROJEKTSPFAD();
    if (!vb::SafePath::climbs(path) && QFileInfo(path) == QFileInfo(root) && vb::SafePath::isPlainName(session_.PROJEKT())
        && !vb::SafePath::isLink(session_.projectFolder()))
        return true;
    const QString shown = Os::join(path, session_.PROJEKT());
    message(QStringLiteral("The project path ") + shown + QStringLiteral(" is not allowed: projects are plain folders in ") + root
                + QLatin1Char('!'),
            QStringLiteral("Der Projektpfad ") + shown + QStringLiteral(" ist nicht zulässig: Projekte sind einfache Ordner in ") + root
                + QLatin1Char('!'));
    return false;
}

bool SessionStartup::checkInstallation()
{
    const QString title = SessionContext::title();
    if (!checkProjectPath()) return false;
    if (!Os::folderExists(session_.projectFolder())) {
        message(QStringLiteral("Project directory ") + session_.PROJEKT() + QStringLiteral(" dosn't exist!"),
                QStringLiteral("Projektsverzeichnis ") + session_.PROJEKT() + QStringLiteral(" existiert nicht!"));
        return false;
    }
    if (!Os::fileExists(session_.templateDatabase())) {
        message(QStringLiteral("The empty database ") + title + QStringLiteral(".mdb dosn't exist!") + vb::vbCrLf
                    + QStringLiteral("KELMORA has to be installed again!"),
                QStringLiteral("Die leere Datenbank ") + title + QStringLiteral(".mdb existiert nicht!") + vb::vbCrLf
                    + QStringLiteral("KELMORA muß neu installiert werden!"));
        return false;
    }
    return true;
}

bool SessionStartup::openWorkingCopy()
{
    WorkingCopy copy(session_);
    const WorkingCopy::Start start = copy.prepare();
    if (start == WorkingCopy::Start::Refused) return false;
    // Data kept from an interrupted run is not in the project yet: closing must offer to save it.
    session_.BOGEAENDERT = start == WorkingCopy::Start::KeptFromInterruptedRun;
    try {
        copy.open();
        if (start == WorkingCopy::Start::Fresh) copy.markTaken();
    } catch (const vb::VbError& e) {
        message(QStringLiteral("The working copy cannot be opened:") + vb::vbCrLf + e.description(),
                QStringLiteral("Die Arbeitskopie kann nicht geöffnet werden:") + vb::vbCrLf + e.description());
        return false;
    }
    return true;
}

void SessionStartup::handBack()
{
    admin_.setProgram(session_.BENUTZER(), AdminTable::frameProgram());
}

void SessionStartup::closeInformationSystem()
{
    admin_.close();
    session_.cnnX_V.Close();
}

void SessionStartup::removeWorkingCopy()
{
    session_.cnnX.Close();
    WorkingCopy(session_).remove();
    lock_.release();
}
