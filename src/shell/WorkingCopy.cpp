#include "shell/WorkingCopy.h"

#include "data/SessionContext.h"
#include "platform/db/DatabaseFile.h"
#include "platform/os/Os.h"
#include "platform/ui/Ui.h"
#include "platform/vb/VbError.h"
#include "records/RecordTables.h"

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

void WorkingCopy::writeOwner()
{
    QFile note(ownerNote());
    if (note.open(QIODevice::WriteOnly | QIODevice::Truncate)) note.write(session_.projectDatabase().toUtf8());
}

int WorkingCopy::ask(const QString& english, const QString& german, int buttons)
{
    return MsgBox(session_.SPRACHE() == 1 ? english : german, buttons, SessionContext::title());
}

void WorkingCopy::tell(const QString& english, const QString& german) { ask(english, german, vb::vbExclamation | vb::vbOKOnly); }

bool WorkingCopy::copyFromProject()
{
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
        db::DatabaseFile::copy(session_.projectDatabase(), session_.XMDBPFAD());
    } catch (const vb::VbError& e) {
        tell(QStringLiteral("The project database cannot be copied:") + vb::vbCrLf + e.description(),
             QStringLiteral("Die Projektdatenbank kann nicht kopiert werden:") + vb::vbCrLf + e.description());
        return false;
    }
    writeOwner();
    return true;
}

WorkingCopy::Start WorkingCopy::prepare()
{
    const QString working = session_.XMDBPFAD();
    db::DatabaseFile::removeStaleTemporary(working);
    if (!Os::fileExists(working)) return copyFromProject() ? Start::Fresh : Start::Refused;
    if (!isUsable(working)) {
        // A working copy that is no database, or an empty one left by a copy that failed,
        // cannot be kept; offer a new start from the project.
        const int answer = ask(QStringLiteral("The working copy of the last run is damaged!") + vb::vbCrLf
                                   + QStringLiteral("Do you want to start again with the data of the project?"),
                               QStringLiteral("Die Arbeitskopie des letzten Programmlaufs ist beschädigt!") + vb::vbCrLf
                                   + QStringLiteral("Soll mit den Daten des Projekts neu begonnen werden?"),
                               vb::vbExclamation | vb::vbYesNo);
        return answer == vb::vbYes && copyFromProject() ? Start::Fresh : Start::Refused;
    }
    const QString ownerDatabase = owner();
    if (!ownerDatabase.isEmpty() && QFileInfo(ownerDatabase) != QFileInfo(session_.projectDatabase()))
        return offerOtherProjectsRun(ownerDatabase);
    return offerInterruptedRun();
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
            db::DatabaseFile::copy(session_.XMDBPFAD(), ownerDatabase);
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

void WorkingCopy::remove()
{
    db::DatabaseFile::remove(session_.XMDBPFAD());
    QFile::remove(ownerNote());
}
