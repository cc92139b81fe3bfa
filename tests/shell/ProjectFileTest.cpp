// Speichern, Komprimieren and the "?" menu against real files; and a save killed halfway.
#include "shell/HelpCommands.h"
#include "shell/ProjectFileCommands.h"
#include "platform/widgets/PanelBar.h"
#include "platform/os/TemporaryFile.h"
#include "shell/ShellFixture.h"
#include "shell/frmHILFE.h"
#include "support/FileSizeLimit.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTextBrowser>
#include <csignal>
#include <cstdio>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

class ProjectFiles : public ShellFixture {
protected:
    // Grows the working copy by a blob of `bytes` in a table of its own.
    void addBlob(const QString& name, qint64 bytes)
    {
        exec(QStringLiteral("CREATE TABLE IF NOT EXISTS BALLAST (NAME TEXT, DATA BLOB)"));
        exec(QStringLiteral("INSERT INTO BALLAST VALUES ('%1', zeroblob(%2))").arg(name).arg(bytes));
        exec(QStringLiteral("PRAGMA wal_checkpoint(TRUNCATE)"));
    }
    float size() { return ProjectFileCommands::sizeMB(workingCopy()); }
    // "Speichern" on a changed working copy; true when it counts as saved.
    bool save()
    {
        w->session().BOGEAENDERT = true;
        w->mnuSPEICHERN_Click();
        return !w->session().BOGEAENDERT;
    }
    void copyProgramFile(const QString& name, const QString& as)
    {
        QFile::copy(QStringLiteral(VELOR_SOURCE_DIR "/resources/") + name, inst.programFolder() + QLatin1Char('/') + as);
    }
};

}  // namespace

TEST_F(ProjectFiles, SaveAsksToCompactOnlyAboveTenMegabytes)
{
    start();
    exec(QStringLiteral("INSERT INTO E1 (ID, KEN, AKT) VALUES (1, 'gross', 1)"));
    addBlob(QStringLiteral("a"), 9'900'000);
    ASSERT_FLOAT_EQ(size(), 10.0f);
    w->session().BOGEAENDERT = true;
    w->mnuSPEICHERN_Click();
    EXPECT_TRUE(messages().isEmpty());
    EXPECT_FALSE(w->session().BOGEAENDERT);
    EXPECT_EQ(projectColumn(QStringLiteral("SELECT KEN FROM E1")), QStringList{QStringLiteral("gross")});

    addBlob(QStringLiteral("b"), 100'000);
    ASSERT_FLOAT_EQ(size(), 10.1f);
    TestEnvironment::ui().answer(vb::vbNo);
    w->mnuSPEICHERN_Click();
    ASSERT_EQ(messages().size(), 1);
    EXPECT_EQ(messages()[0].text, QStringLiteral("Datenbank hat 10,1 MB erreicht! \r\nSoll die Datei komprimiert werden?"));
    EXPECT_EQ(messages()[0].buttons, vb::vbQuestion | vb::vbYesNo | vb::vbMsgBoxHelpButton);
    EXPECT_EQ(messages()[0].title, QStringLiteral("&Speichern"));
    EXPECT_EQ(QFileInfo(project).size(), QFileInfo(workingCopy()).size());

    // Yes compacts first (the working copy has 0.1 MB of free pages after a delete) and saves.
    TestEnvironment::ui().clear();
    exec(QStringLiteral("DELETE FROM BALLAST WHERE NAME='b'"));
    addBlob(QStringLiteral("c"), 1);
    TestEnvironment::ui().answer(vb::vbYes);
    w->mnuSPEICHERN_Click();
    ASSERT_EQ(messages().size(), 2);
    EXPECT_TRUE(messages()[1].text.startsWith(QStringLiteral("Datenbank wurde um ")));
    EXPECT_EQ(QFileInfo(project).size(), QFileInfo(workingCopy()).size());
    EXPECT_LT(QFileInfo(project).size(), 10'050'000);
}

TEST_F(ProjectFiles, CompactionReportsTheReduction)
{
    start(QLocale(QLocale::English, QLocale::UnitedKingdom));
    exec(QStringLiteral("INSERT INTO E1 (ID, KEN, AKT) VALUES (1, 'bleibt', 1)"));
    addBlob(QStringLiteral("klein"), 2'900'000);
    addBlob(QStringLiteral("gross"), 9'000'000);
    ASSERT_FLOAT_EQ(size(), 12.0f);
    exec(QStringLiteral("DELETE FROM BALLAST WHERE NAME='gross'"));
    w->mnuKOMPRIMIEREN_Click();
    ASSERT_EQ(messages().size(), 1);
    EXPECT_EQ(messages()[0].text, QStringLiteral("Database was compact about 75 % to 3 MB!"));
    EXPECT_EQ(messages()[0].buttons, vb::vbInformation);
    EXPECT_EQ(messages()[0].title, QStringLiteral("Compact Database"));
    EXPECT_FALSE(QFile::exists(ProjectFileCommands::compactionTarget(workingCopy())));
    // The program goes on working on the compacted copy.
    EXPECT_EQ(column(QStringLiteral("SELECT KEN FROM E1")), QStringList{QStringLiteral("bleibt")});
    EXPECT_EQ(ProjectFileCommands::compactionTarget(QStringLiteral("/u/X.MDB/VELOR.mdb")), QStringLiteral("/u/XTEMP.mdb"));
}

TEST_F(ProjectFiles, AFailedCompactionKeepsTheWorkingCopyAndReportsNoSuccess)
{
    // What a compaction killed before its end left over goes at the next start.
    QDir().mkpath(QFileInfo(workingCopy()).absolutePath());
    const QString target = ProjectFileCommands::compactionTarget(workingCopy());
    db::DatabaseFile::copy(TestEnvironment::velorTemplate(), target);
    start();
    EXPECT_FALSE(QFile::exists(target));

    exec(QStringLiteral("INSERT INTO E1 (ID, KEN, AKT) VALUES (1, 'ungespeichert', 1)"));
    addBlob(QStringLiteral("punkte"), 400'000);
    {
        const FileSizeLimit diskFull(64 * 1024);
        w->mnuKOMPRIMIEREN_Click();  // the report's OK must not go on with the compaction
    }
    ASSERT_EQ(messages().size(), 1);
    EXPECT_TRUE(messages()[0].text.contains(QStringLiteral("cannot be compacted"))) << messages()[0].text.toStdString();
    EXPECT_TRUE(messages()[0].text.contains(QStringLiteral("File too large"))) << messages()[0].text.toStdString();
    EXPECT_FALSE(QFile::exists(target));
    EXPECT_EQ(column(QStringLiteral("SELECT KEN FROM E1")), QStringList{QStringLiteral("ungespeichert")});
    EXPECT_GT(size(), 0.3f);
}

TEST_F(ProjectFiles, HelpMenuFollowsTheFilesInTheProgramFolder)
{
    start();
    w->mnuFRAGEZEICHEN_Click();
    for (const char* name : {"mnuHILFE", "mnuREADME", "mnuHINWEISE"}) EXPECT_FALSE(w->menu(QString::fromLatin1(name))->isEnabled()) << name;
    w->mnuREADME_Click();
    ASSERT_EQ(messages().size(), 1);
    EXPECT_TRUE(messages()[0].text.startsWith(QStringLiteral("VB-Error: 53\r\n")));
    EXPECT_EQ(messages()[0].title, QStringLiteral("?/ReadMe"));

    // The help file is found whatever the case of its name.
    copyProgramFile(QStringLiteral("VELOR.HLP"), QStringLiteral("velor.hlp"));
    copyProgramFile(QStringLiteral("VELOR.doc"), QStringLiteral("VELOR.doc"));
    copyProgramFile(QStringLiteral("VELOR_H.doc"), QStringLiteral("VELOR_H.DOC"));
    w->mnuFRAGEZEICHEN_Click();
    for (const char* name : {"mnuHILFE", "mnuREADME", "mnuHINWEISE"}) EXPECT_TRUE(w->menu(QString::fromLatin1(name))->isEnabled()) << name;

    TestEnvironment::ui().clear();
    w->mnuHILFE_Click();
    ASSERT_NE(w->helpWindow(), nullptr);
    EXPECT_TRUE(w->helpWindow()->isVisible());
    EXPECT_EQ(w->helpWindow()->windowTitle(), QStringLiteral("?/Hilfe"));
    EXPECT_TRUE(w->helpWindow()->txtHILFE->toPlainText().contains(QStringLiteral("Export/Import zwischen Projekten")));
    w->mnuREADME_Click();
    w->mnuHINWEISE_Click();
    EXPECT_EQ(TestEnvironment::ui().opened,
              (QStringList{inst.programFolder() + QStringLiteral("/VELOR.doc"), inst.programFolder() + QStringLiteral("/VELOR_H.DOC")}));
    EXPECT_TRUE(messages().isEmpty());
}

// Without a word processor the read-me is shown in VELOR's own window, which says where the
// file is and closes with Escape and its button.
TEST_F(ProjectFiles, ADocumentNoProgramOpensIsShownInTheProgramsOwnWindow)
{
    start();
    w->show();
    copyProgramFile(QStringLiteral("VELOR.doc"), QStringLiteral("VELOR.doc"));
    TestEnvironment::ui().noApplication = true;
    w->mnuREADME_Click();
    EXPECT_TRUE(messages().isEmpty()) << messageTexts().join(QLatin1Char('|')).toStdString();
    frmHILFE* window = w->helpWindow();
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(window->windowTitle(), QStringLiteral("?/ReadMe"));
    EXPECT_TRUE(window->txtHILFE->toPlainText().contains(QStringLiteral("VELOR \u2013 ReadMe")));
    EXPECT_TRUE(window->txtHILFE->toPlainText().contains(QStringLiteral("Zum Programmordner geh\u00f6ren:")));
    EXPECT_EQ(window->lblDATEI->text(), QStringLiteral("Kein Programm auf diesem Rechner öffnet das Dokument, darum zeigt "
                                                       "VELOR es hier. Die Datei liegt unter: ")
                                            + inst.programFolder() + QStringLiteral("/VELOR.doc"));
    EXPECT_EQ(window->cmdSCHLIESSEN->text(), QStringLiteral("Schließen"));
    EXPECT_TRUE(w->geometry().contains(window->geometry().center()));
    QTest::keyClick(window->txtHILFE, Qt::Key_Escape);
    EXPECT_FALSE(window->isVisible());

    w->mnuREADME_Click();
    ASSERT_TRUE(window->isVisible());
    window->cmdSCHLIESSEN->click();
    EXPECT_FALSE(window->isVisible());
}

TEST_F(ProjectFiles, SaveWritesTheSessionsOwnDatabaseWhateverLiesAtItsPath)
{
    start();
    exec(QStringLiteral("INSERT INTO E1 (ID, KEN, AKT) VALUES (1, 'meins', 1)"));
    // Another program puts a database of its own where the working copy was.
    const QString foreign = inst.root() + QStringLiteral("/fremd.mdb");
    db::DatabaseFile::copy(TestEnvironment::velorTemplate(), foreign);
    {
        db::Connection c;
        c.OpenFile(foreign);
        c.Execute(QStringLiteral("INSERT INTO E1 (ID, KEN, AKT) VALUES (1, 'fremd', 1)"));
    }
    ASSERT_EQ(std::rename(QFile::encodeName(foreign).constData(), QFile::encodeName(workingCopy()).constData()), 0);
    EXPECT_TRUE(save());
    EXPECT_EQ(projectColumn(QStringLiteral("SELECT KEN FROM E1")), QStringList{QStringLiteral("meins")});
}

TEST_F(ProjectFiles, NoSaveReplacesTheProjectByADatabaseWithoutRecordTables)
{
    start();
    exec(QStringLiteral("INSERT INTO E1 (ID, KEN, AKT) VALUES (1, 'alt', 1)"));
    ASSERT_TRUE(save());
    exec(QStringLiteral("DROP TABLE [E1]"));
    w->session().BOGEAENDERT = true;
    TestEnvironment::ui().clear();
    EXPECT_FALSE(save());
    ASSERT_EQ(messages().size(), 1);
    EXPECT_EQ(messages()[0].text, QStringLiteral("Die Arbeitskopie ist beschädigt, ihre Datensatztabellen fehlen!\r\n"
                                                  "Projekt P1 wurde nicht ersetzt."));
    // The close question's Yes takes the same way: the window stays.
    TestEnvironment::ui().clear();
    TestEnvironment::ui().answer(vb::vbYes);
    EXPECT_FALSE(w->MDIForm_QueryUnload(1));
    EXPECT_EQ(messages().size(), 2);
    EXPECT_EQ(projectColumn(QStringLiteral("SELECT KEN FROM E1")), QStringList{QStringLiteral("alt")});
    EXPECT_TRUE(w->session().BOGEAENDERT);
}

TEST_F(ProjectFiles, SaveKeepsModeAndGroupAndRefusesAReadOnlyProject)
{
    start();
    exec(QStringLiteral("INSERT INTO E1 (ID, KEN, AKT) VALUES (1, 'eins', 1)"));
    const QByteArray path = QFile::encodeName(project);
    ASSERT_EQ(chmod(path.constData(), 0664), 0);
    // A group other than the file's own, where the user may choose one (the administrator may).
    const gid_t group = getuid() == 0 ? 100 : getgid();
    ASSERT_EQ(chown(path.constData(), static_cast<uid_t>(-1), group), 0);
    EXPECT_TRUE(save());
    struct stat st {};
    ASSERT_EQ(stat(path.constData(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0664u);
    EXPECT_EQ(st.st_gid, group);
    EXPECT_EQ(projectColumn(QStringLiteral("SELECT KEN FROM E1")), QStringList{QStringLiteral("eins")});

    exec(QStringLiteral("INSERT INTO E1 (ID, KEN, AKT) VALUES (2, 'zwei', 0)"));
    ASSERT_EQ(chmod(path.constData(), 0444), 0);
    TestEnvironment::ui().clear();
    EXPECT_FALSE(save());
    ASSERT_EQ(messages().size(), 1);
    EXPECT_EQ(messages()[0].text, QStringLiteral("Die Projektdatenbank ") + project + QStringLiteral(" ist schreibgeschützt!\r\n"
                                                                                              "Die Änderungen wurden nicht gespeichert."));
    ASSERT_EQ(stat(path.constData(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0444u);
    EXPECT_EQ(projectColumn(QStringLiteral("SELECT KEN FROM E1")), QStringList{QStringLiteral("eins")});
}

TEST_F(ProjectFiles, AFullDiskDuringSaveNamesTheProjectFolderAndLeavesNoTemporaryFile)
{
    start();
    exec(QStringLiteral("INSERT INTO E1 (ID, KEN, AKT) VALUES (1, 'alt', 1)"));
    ASSERT_TRUE(save());
    exec(QStringLiteral("INSERT INTO E1 (ID, KEN, KOM, AKT) VALUES (2, 'neu', hex(zeroblob(150000)), 0)"));
    w->session().BOGEAENDERT = true;
    TestEnvironment::ui().clear();
    {
        const FileSizeLimit diskFull(128 * 1024);
        EXPECT_FALSE(save());
    }
    ASSERT_EQ(messages().size(), 1);
    EXPECT_TRUE(messages()[0].text.contains(inst.projectFolder(QStringLiteral("P1")))) << messages()[0].text.toStdString();
    EXPECT_FALSE(messages()[0].text.contains(QStringLiteral("BENUTZER"))) << messages()[0].text.toStdString();
    EXPECT_TRUE(vb::TemporaryFile::leftovers(project).isEmpty());
    EXPECT_EQ(projectColumn(QStringLiteral("SELECT KEN FROM E1")), QStringList{QStringLiteral("alt")});
    EXPECT_TRUE(w->session().BOGEAENDERT);
}

// "Speichern" killed at random moments: the project database is always a whole database,
// either the old or the new one.
TEST(SaveKilled, LeavesTheOldOrTheNewProject)
{
    QTemporaryDir dir;
    const QString target = dir.filePath(QStringLiteral("VELOR.mdb"));
    const QString sources[2] = {dir.filePath(QStringLiteral("a.mdb")), dir.filePath(QStringLiteral("b.mdb"))};
    for (int i = 0; i < 2; ++i) {
        db::Connection c;
        db::DatabaseFile::copy(TestEnvironment::velorTemplate(), sources[i]);
        c.OpenFile(sources[i]);
        c.Execute(QStringLiteral("CREATE TABLE MARKE (WER TEXT, DATA BLOB)"));
        c.Execute(QStringLiteral("INSERT INTO MARKE VALUES ('%1', zeroblob(%2))").arg(i == 0 ? QStringLiteral("alt") : QStringLiteral("neu")).arg(12'000'000 + i * 3'000'000));
    }
    db::DatabaseFile::copy(sources[0], target);

    QRandomGenerator random(20020401);
    int killedWhileWriting = 0;
    for (int round = 0; round < 12; ++round) {
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            try {
                for (int i = 0;; ++i) db::DatabaseFile::copy(sources[i % 2], target);
            } catch (...) {
            }
            _exit(1);
        }
        usleep(static_cast<useconds_t>(random.bounded(5'000, 120'000)));
        if (!vb::TemporaryFile::leftovers(target).isEmpty()) ++killedWhileWriting;
        kill(child, SIGKILL);
        int status = 0;
        waitpid(child, &status, 0);

        ASSERT_TRUE(db::DatabaseFile::isDatabase(target)) << "round " << round;
        db::Connection c;
        c.OpenFile(target);
        db::Recordset check(QStringLiteral("SELECT [WER] FROM [MARKE]"), c);
        const QString who = vb::toText(check.field(0));
        EXPECT_TRUE(who == QStringLiteral("alt") || who == QStringLiteral("neu")) << who.toStdString();
        check.Close();
        db::Statement integrity = c.prepare(QStringLiteral("PRAGMA quick_check"));
        ASSERT_TRUE(integrity.next());
        EXPECT_EQ(integrity.text(0), QStringLiteral("ok"));
    }
    EXPECT_GT(killedWhileWriting, 0);  // the kills did hit copies in progress
}
