#include "shell/WorkingCopy.h"

#include "data/ProjectSchema.h"
#include "data/SessionChanges.h"
#include "data/SessionContext.h"
#include "platform/db/DatabaseFile.h"
#include "platform/db/SchemaCheck.h"
#include "platform/os/Os.h"
#include "platform/os/SafePath.h"
#include "platform/ui/Ui.h"
#include "platform/vb/VbError.h"
#include "records/ProjectCheck.h"
#include "records/RecordTables.h"
#include "shell/ProjectFileCommands.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTextStream>

using vb::MsgBox;
using vb::Os;

QString WorkingCopy::ownerNote() const { return session_.XMDBPFAD() + QStringLiteral(".projekt"); }

QString WorkingCopy::lockFile() const { return session_.XMDBPFAD() + QStringLiteral(".lock"); }

bool WorkingCopy::isUsable(const QString& path) { return db::DatabaseFile::hasTables(path, records::recordTables()); }

QString WorkingCopy::owner() const
{
    QFile note(ownerNote());
    if (!note.open(QIODevice::ReadOnly)) return QString();
    return QString::fromUtf8(note.readAll()).trimmed();
}

void WorkingCopy::writeOwner() { Os::writeFile(ownerNote(), session_.projectDatabase().toUtf8()); }

bool WorkingCopy::isProjectOfThisInstallation(const QString& database) const
{
    // The note lies in the user's folder, but what it names is written to: only a project
    // database of this installation qualifies.
    const QFileInfo file(database);
    const QString folder = file.absolutePath();
    return !vb::SafePath::climbs(database) && file.fileName() == SessionContext::title() + QStringLiteral(".mdb")
           && QFileInfo(Os::parentFolder(folder)) == QFileInfo(session_.projectsRoot()) && !vb::SafePath::isLink(folder)
           && !vb::SafePath::isLink(database) && isUsable(database);
}

bool WorkingCopy::refuseLink(const QString& path)
{
    if (!vb::SafePath::isLink(path)) return false;
    tell(QStringLiteral("The file ") + path + QStringLiteral(" is a symbolic link and is not used!"),
         QStringLiteral("Die Datei ") + path + QStringLiteral(" ist eine symbolische Verknüpfung und wird nicht verwendet!"));
    return true;
}

int WorkingCopy::ask(const QString& english, const QString& german, int buttons)
{
    return MsgBox(session_.SPRACHE() == 1 ? english : german, buttons, SessionContext::title());
}

void WorkingCopy::tell(const QString& english, const QString& german) { ask(english, german, vb::vbExclamation | vb::vbOKOnly); }

bool WorkingCopy::copyFromProject()
{
    if (refuseLink(session_.projectDatabase())) return false;
    if (!Os::fileExists(session_.projectDatabase())) {
        tell(QStringLiteral("The project database ") + session_.projectDatabase() + QStringLiteral(" dosn't exist!"),
             QStringLiteral("Die Projektdatenbank ") + session_.projectDatabase() + QStringLiteral(" existiert nicht!"));
        return false;
    }
    // An empty or foreign file would give a session without records, and the next save would
    // put that over the project.
    if (!isUsable(session_.projectDatabase())) {
        tell(QStringLiteral("The project database ") + session_.projectDatabase() + QStringLiteral(" is empty or damaged!"),
             QStringLiteral("Die Projektdatenbank ") + session_.projectDatabase() + QStringLiteral(" ist leer oder beschädigt!"));
        return false;
    }
    try {
        const db::SchemaCheck check(session_.templateDatabase());
        const QString problems = records::projectProblems(check, session_.projectDatabase(), session_.SPRACHE() == 1);
        if (!problems.isEmpty() && !agreeToCleanCopy(problems)) return false;
        // What a working copy held before is given up here; the new one is a new file, so it
        // takes the project's mode (a private project stays private).
        db::DatabaseFile::remove(session_.XMDBPFAD());
        // Taken before the copy: a save meanwhile only makes the next save compare records.
        takenFile_ = ProjectVersion::fileIdentity(session_.projectDatabase());
        if (problems.isEmpty()) {
            db::DatabaseFile::copy(session_.projectDatabase(), session_.XMDBPFAD());
        } else {
            db::DatabaseFile::copy(session_.templateDatabase(), session_.XMDBPFAD());
            db::Connection working;
            working.OpenFile(session_.XMDBPFAD());
            check.copyKnownData(session_.projectDatabase(), working);
        }
    } catch (const vb::VbError& e) {
        tell(QStringLiteral("The project database cannot be copied:") + vb::vbCrLf + e.description(),
             QStringLiteral("Die Projektdatenbank kann nicht kopiert werden:") + vb::vbCrLf + e.description());
        return false;
    }
    writeOwner();
    return true;
}

bool WorkingCopy::agreeToCleanCopy(const QString& problems)
{
    // Nothing of such a database runs here: only its records come over, into a new database
    // made from the template.
    return ask(problems + vb::vbCrLf + QStringLiteral("Do you want to take the records over into a new database made from the template?"),
               problems + vb::vbCrLf + QStringLiteral("Sollen die Datensätze in eine neue Datenbank aus der Vorlage übernommen werden?"),
               vb::vbExclamation | vb::vbYesNo)
           == vb::vbYes;
}

WorkingCopy::Start WorkingCopy::prepare()
{
    const QString working = session_.XMDBPFAD();
    if (refuseLink(working) || refuseLink(ownerNote())) return Start::Refused;
    db::DatabaseFile::removeStaleTemporaries(working);
    // A compaction killed before its end left its result beside the copy; the copy itself is whole.
    db::DatabaseFile::remove(ProjectFileCommands::compactionTarget(working));
    if (!Os::fileExists(working)) return copyFromProject() ? Start::Fresh : Start::Refused;
    // A working copy that is no database, or an empty one left by a copy that failed, cannot
    // be kept; offer a new start from the project.
    if (!isUsable(working))
        return offerNewStart(QStringLiteral("The working copy of the last run is damaged!"),
                             QStringLiteral("Die Arbeitskopie des letzten Programmlaufs ist beschädigt!"));
    const QString ownerDatabase = owner();
    if (!ownerDatabase.isEmpty() && QFileInfo(ownerDatabase) != QFileInfo(session_.projectDatabase())) {
        if (!isProjectOfThisInstallation(ownerDatabase))
            return offerNewStart(QStringLiteral("The working copy of the last run belongs to no project of this installation (")
                                     + ownerDatabase + QStringLiteral(")!"),
                                 QStringLiteral("Die Arbeitskopie des letzten Programmlaufs gehört zu keinem Projekt dieser Installation (")
                                     + ownerDatabase + QStringLiteral(")!"));
        return offerOtherProjectsRun(ownerDatabase);
    }
    return offerInterruptedRun();
}

WorkingCopy::Start WorkingCopy::offerNewStart(const QString& english, const QString& german)
{
    const int answer = ask(english + vb::vbCrLf + QStringLiteral("Do you want to start again with the data of the project?"),
                           german + vb::vbCrLf + QStringLiteral("Soll mit den Daten des Projekts neu begonnen werden?"),
                           vb::vbExclamation | vb::vbYesNo);
    return answer == vb::vbYes && copyFromProject() ? Start::Fresh : Start::Refused;
}

WorkingCopy::Start WorkingCopy::offerInterruptedRun()
{
    const int answer = ask(QStringLiteral("Program was interuped during the execution!") + vb::vbCrLf
                               + QStringLiteral("Do you want to save the changes till the interuption?"),
                           QStringLiteral("Programm wurde während der Ausführung unterbrochen!") + vb::vbCrLf
                               + QStringLiteral("Soll die bis zum Abbruch vorhandenen Daten gepeichert werden?"),
                           vb::vbQuestion | vb::vbYesNo);
    if (answer == vb::vbNo) return copyFromProject() ? Start::Fresh : Start::Refused;
    writeOwner();
    return Start::KeptFromInterruptedRun;
}

WorkingCopy::Start WorkingCopy::offerOtherProjectsRun(const QString& ownerDatabase)
{
    // The copy holds another project's data: it may go back to that project, never into this one.
    const QString project = QFileInfo(QFileInfo(ownerDatabase).absolutePath()).fileName();
    const int answer = ask(QStringLiteral("Program was interuped during the execution in project ") + project + QLatin1Char('!') + vb::vbCrLf
                               + QStringLiteral("Do you want to save the changes till the interuption into project ") + project
                               + QLatin1Char('?'),
                           QStringLiteral("Programm wurde während der Ausführung im Projekt ") + project
                               + QStringLiteral(" unterbrochen!") + vb::vbCrLf
                               + QStringLiteral("Sollen die bis zum Abbruch vorhandenen Daten im Projekt ") + project
                               + QStringLiteral(" gespeichert werden?"),
                           vb::vbQuestion | vb::vbYesNo);
    if (answer == vb::vbYes) {
        try {
            if (!Os::folderExists(QFileInfo(ownerDatabase).absolutePath()))
                vb::raise(vb::errPathAccess, QStringLiteral("Path not found: ") + QFileInfo(ownerDatabase).absolutePath());
            db::DatabaseFile::copy(session_.XMDBPFAD(), ownerDatabase, SessionChanges::withoutSessionTables());
        } catch (const vb::VbError& e) {
            // Keep the copy for a later start in its own project rather than lose it.
            tell(QStringLiteral("The data cannot be saved into project ") + project + QStringLiteral(":") + vb::vbCrLf + e.description(),
                 QStringLiteral("Die Daten können nicht im Projekt ") + project + QStringLiteral(" gespeichert werden:") + vb::vbCrLf
                     + e.description());
            return Start::Refused;
        }
    }
    return copyFromProject() ? Start::Fresh : Start::Refused;
}

void WorkingCopy::open()
{
    db::Connection& cn = session_.cnnX;
    cn.Open(db::Connection::connectionString(session_.XMDBPFAD()), 30);
    cn.useWriteAheadLog();
    // Tables a newer edition adds come first: their rows count as changes like all others.
    ProjectSchema::upgrade(cn);
    SessionChanges(cn).track();
}

void WorkingCopy::markTaken()
{
    SessionChanges(session_.cnnX).taken({ProjectVersion::counterOf(session_.cnnX), takenFile_});
}

void WorkingCopy::remove()
{
    db::DatabaseFile::remove(session_.XMDBPFAD());
    QFile::remove(ownerNote());
}
