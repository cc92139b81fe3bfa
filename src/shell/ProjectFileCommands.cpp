#include "shell/ProjectFileCommands.h"

#include "platform/db/DatabaseFile.h"
#include "platform/os/FileLock.h"
#include "platform/os/Os.h"
#include "platform/os/SafePath.h"
#include "platform/ui/Procedure.h"
#include "platform/ui/Ui.h"
#include "platform/vb/Convert.h"
#include "platform/vb/VbError.h"
#include "records/RecordTables.h"
#include "data/ProjectMerge.h"
#include "data/SessionChanges.h"
#include "shell/WorkingCopy.h"
#include "shell/frmMAIN.h"

#include <QThread>
#include <algorithm>
#include <optional>

#include <QAction>

using vb::MsgBox;
using vb::Pointer;

float ProjectFileCommands::sizeMB(const QString& path)
{
    return static_cast<float>(vb::Round(static_cast<double>(vb::Os::fileSize(path)) / 1e6, 1));
}

QString ProjectFileCommands::compactionTarget(const QString& source)
{
    const qsizetype end = source.indexOf(QStringLiteral(".mdb"), 0, Qt::CaseInsensitive);
    return (end < 0 ? source : source.left(end)) + QStringLiteral("TEMP.mdb");
}

float ProjectFileCommands::workingCopySizeMB()
{
    // The working copy keeps recent writes in its write-ahead log; fold them into the file
    // first, or its size would not be the size of the data.
    db::Connection& cn = main_.session().cnnX;
    if (cn.isOpen()) {
        try {
            cn.Execute(QStringLiteral("PRAGMA wal_checkpoint(TRUNCATE)"));
        } catch (const vb::VbError&) {
            // A reader in the way only makes the size a little low.
        }
    }
    return sizeMB(main_.session().XMDBPFAD());
}

bool ProjectFileCommands::mayReplaceProject(const QString& title)
{
    SessionContext& s = main_.session();
    const bool english = s.SPRACHE() == 1;
    const auto refuse = [&](const QString& englishText, const QString& germanText) {
        MsgBox(english ? englishText : germanText, vb::vbExclamation | vb::vbOKOnly, title);
        return false;
    };
    if (!db::DatabaseFile::hasTables(s.cnnX, records::recordTables()))
        return refuse(QStringLiteral("The working copy is damaged, its record tables are missing!") + vb::vbCrLf + QStringLiteral("Project ")
                          + s.PROJEKT() + QStringLiteral(" was not replaced."),
                      QStringLiteral("Die Arbeitskopie ist beschädigt, ihre Datensatztabellen fehlen!") + vb::vbCrLf
                          + QStringLiteral("Projekt ") + s.PROJEKT() + QStringLiteral(" wurde nicht ersetzt."));
    if (vb::SafePath::isLink(s.projectDatabase()))
        return refuse(QStringLiteral("The project database ") + s.projectDatabase() + QStringLiteral(" is a symbolic link!") + vb::vbCrLf
                          + QStringLiteral("The changes were not saved."),
                      QStringLiteral("Die Projektdatenbank ") + s.projectDatabase() + QStringLiteral(" ist eine symbolische Verknüpfung!")
                          + vb::vbCrLf + QStringLiteral("Die Änderungen wurden nicht gespeichert."));
    if (db::DatabaseFile::isReadOnly(s.projectDatabase()))
        return refuse(QStringLiteral("The project database ") + s.projectDatabase() + QStringLiteral(" is read-only!") + vb::vbCrLf
                          + QStringLiteral("The changes were not saved."),
                      QStringLiteral("Die Projektdatenbank ") + s.projectDatabase() + QStringLiteral(" ist schreibgeschützt!") + vb::vbCrLf
                          + QStringLiteral("Die Änderungen wurden nicht gespeichert."));
    return true;
}

bool ProjectFileCommands::SPEICHERN()
{
    const QString title = caption("mnuSPEICHERN");
    vb::Procedure p(kPrefix, title);
    float size = 0;
    p.step([&] { size = workingCopySizeMB(); });
    p.step([&] {
        if (size <= kCompactionThresholdMB) return;
        const bool english = main_.session().SPRACHE() == 1;
        const QString s = vb::CStr(size);
        const int answer = MsgBox(english ? QStringLiteral("Database reaches ") + s + QStringLiteral(" MB! ") + vb::vbCrLf
                                                + QStringLiteral("Do you want to compact the file?")
                                          : QStringLiteral("Datenbank hat ") + s + QStringLiteral(" MB erreicht! ") + vb::vbCrLf
                                                + QStringLiteral("Soll die Datei komprimiert werden?"),
                                  vb::vbQuestion | vb::vbYesNo | vb::vbMsgBoxHelpButton, title);
        if (answer == vb::vbYes) main_.mnuKOMPRIMIEREN_Click();
    });
    if (p.cancelled() || !mayReplaceProject(title)) return false;
    p.step([&] { pointer(Pointer::Hourglass); });
    // The project is replaced as a whole: a crash at any moment leaves the old or the new one.
    // What goes into it is this session's own database, read through its own connection.
    bool saved = false;
    bool merged = false;
    p.step([&] {
        merged = writeProject(title);
        // Only a project that really holds the working copy's state counts as saved.
        main_.session().BOGEAENDERT = false;
        saved = true;
    });
    if (merged) p.step([&] { main_.SATZANZEIGE(); });
    pointer(Pointer::Arrow);
    return saved;
}

bool ProjectFileCommands::writeProject(const QString& title)
{
    SessionContext& s = main_.session();
    const QString project = s.projectDatabase();
    // From the look at the project to its replacement nobody else saves it.
    vb::FileLock saving;
    for (int tries = 0; saving.tryLock(project + QStringLiteral(".lock")) == vb::FileLock::Result::HeldElsewhere; ++tries) {
        if (tries == kSaveLockTries)
            vb::raise(vb::errPathAccess, QStringLiteral("The project database '%1' is being saved by another user.").arg(project));
        QThread::msleep(100);
    }
    SessionChanges changes(s.cnnX);
    const std::optional<ProjectVersion> base = changes.base();
    ProjectVersion current = ProjectVersion::of(project);
    // Someone else saved since the copy was taken: their records join this session's.
    const bool merge = base && current != *base && !current.file.isEmpty();
    if (merge) current = ProjectMerge(s, title).run(*base);
    const int32_t counter = std::max(current.counter, base ? base->counter : 0) + 1;
    db::DatabaseFile::copy(s.cnnX, project, SessionChanges::asSaved(counter, s.BENUTZER()));
    changes.saved(counter, s.BENUTZER(), ProjectVersion::of(project));
    return merge;
}

void ProjectFileCommands::KOMPRIMIEREN()
{
    const QString title = caption("mnuKOMPRIMIEREN");
    vb::Procedure p(kPrefix, title);
    SessionContext& s = main_.session();
    const QString source = s.XMDBPFAD();
    const QString target = compactionTarget(source);
    float before = 0;
    float after = 0;
    p.step([&] { pointer(Pointer::Hourglass); });
    p.step([&] { before = workingCopySizeMB(); });
    bool compacted = false;
    // Any failure ends the compaction, whichever button its report gets: the working copy
    // stays as it was.
    if (!p.failed()) p.step([&] {
        s.cnnX.Close();
        db::DatabaseFile::compactInPlace(source, target);
        compacted = true;
    });
    if (compacted) p.step([&] {
        after = sizeMB(source);
        if (before == 0.0f) vb::raise(vb::errDivisionByZero);
        const float reduction = static_cast<float>(vb::Round((static_cast<double>(before) - after) * 100.0 / before, 1));
        const bool english = s.SPRACHE() == 1;
        MsgBox(english ? QStringLiteral("Database was compact about ") + vb::CStr(reduction) + QStringLiteral(" % to ") + vb::CStr(after)
                             + QStringLiteral(" MB!")
                       : QStringLiteral("Datenbank wurde um ") + vb::CStr(reduction) + QStringLiteral(" % auf ") + vb::CStr(after)
                             + QStringLiteral(" MB komprimiert !"),
               vb::vbInformation, title);
    });
    // The connection comes back in every case: the whole program works through it.
    if (!s.cnnX.isOpen()) {
        vb::Procedure reopen(kPrefix, title);
        reopen.step([&] { WorkingCopy(s).open(); });
    }
    pointer(Pointer::Default);
}
