// Start-up and shutdown of the main window against throw-away installations with real
// databases; every message is read from the scripted Ui.
#include "platform/db/Connection.h"
#include "platform/db/DatabaseFile.h"
#include "platform/db/Recordset.h"
#include "platform/os/FileLock.h"
#include "platform/os/TemporaryFile.h"
#include "platform/vb/Convert.h"
#include "platform/widgets/PanelBar.h"
#include "shell/frmMAIN.h"
#include "startscreen/mdiAUTOSTART.h"
#include "support/FileSizeLimit.h"
#include "support/TestEnvironment.h"

#include <QAction>
#include <QLabel>
#include <QProgressBar>
#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

using vb::Value;

namespace {

const QLocale kGerman(QLocale::German, QLocale::Germany);
const QLocale kEnglish(QLocale::English, QLocale::UnitedKingdom);

class Startup : public ::testing::Test {
protected:
    void SetUp() override { TestEnvironment::ui().clear(); }

    std::unique_ptr<frmMAIN> window(const QLocale& locale = kGerman)
    {
        auto w = std::make_unique<frmMAIN>(locale);
        w->session().setProgramFolder(inst.programFolder());
        return w;
    }
    QString workingCopy() const { return inst.root() + QStringLiteral("/BENUTZER/TESTER/VELOR.mdb"); }
    void addRecord(const QString& database, int id, const QString& ken, const QString& kom, bool akt)
    {
        db::Connection cn;
        cn.OpenFile(database);
        db::Recordset rs(QStringLiteral("SELECT * FROM [E1]"), cn);
        rs.AddNew();
        rs.setField(QStringLiteral("ID"), id);
        rs.setField(QStringLiteral("KEN"), ken);
        rs.setField(QStringLiteral("KOM"), kom);
        rs.setField(QStringLiteral("AKT"), akt);
        rs.Update();
    }
    int recordCount(const QString& database)
    {
        db::Connection cn;
        cn.OpenFile(database);
        return db::Recordset(QStringLiteral("SELECT [ID] FROM [E1]"), cn).RecordCount();
    }
    QString adminProgram()
    {
        db::Connection cn;
        cn.OpenFile(inst.infoFolder() + QStringLiteral("/ARCHIV.mdb"));
        db::Recordset rs(QStringLiteral("SELECT [PROG] FROM [ADMIN] WHERE [BENUTZER]='TESTER'"), cn);
        return vb::toText(rs.field(QStringLiteral("PROG")));
    }
    const QList<vb::ScriptedUi::Message>& messages() { return TestEnvironment::ui().messages; }
    std::string allTexts()
    {
        QStringList texts;
        for (const auto& m : messages()) texts << m.text;
        return texts.join(QStringLiteral(" | ")).toStdString();
    }

    TestInstallation inst;
};

}  // namespace

TEST_F(Startup, FramedStartOpensTheWorkingCopyAndFillsTheStatusBar)
{
    const QString project = inst.addProject(QStringLiteral("P1"));
    addRecord(project, 1, QStringLiteral("Messung 1"), QStringLiteral("erste"), true);
    inst.registerUser(QStringLiteral("tester"), QStringLiteral("P1"), QStringLiteral("Frau Weber"));
    auto w = window();
    ASSERT_TRUE(w->MDIForm_Load());
    EXPECT_TRUE(messages().isEmpty());
    EXPECT_EQ(adminProgram(), QStringLiteral("VELOR"));
    EXPECT_EQ(w->session().cnnX.path(), workingCopy());
    EXPECT_EQ(recordCount(workingCopy()), 1);
    EXPECT_FALSE(w->session().BOGEAENDERT);
    const vb::PanelBar* bar = w->stbMAIN();
    EXPECT_EQ(bar->text(2), QStringLiteral("P1"));
    EXPECT_EQ(bar->toolTip(2), QStringLiteral("Frau Weber"));
    EXPECT_EQ(bar->toolTip(1), inst.projectsFolder());
    EXPECT_TRUE(bar->text(1).endsWith(QStringLiteral("/PROJEKTE/")));
    EXPECT_EQ(bar->text(4), QStringLiteral("VELOR"));
    EXPECT_EQ(bar->text(6), QStringLiteral("Messung 1"));
    EXPECT_EQ(bar->toolTip(6), QStringLiteral("erste"));
    for (int panel = 8; panel <= 15; ++panel) EXPECT_FALSE(bar->isPanelVisible(panel)) << panel;
    EXPECT_EQ(w->windowTitle(), QStringLiteral("KELMORA"));
    ASSERT_NE(w->startScreen(), nullptr);
    EXPECT_FALSE(w->progressBar()->isVisible());
    EXPECT_EQ(w->startScreen()->lblVERSION->text(), QStringLiteral("Version April 2002"));
}

TEST_F(Startup, LanguageFollowsTheLocaleAndDefaultsToGerman)
{
    inst.addProject(QStringLiteral("P1"));
    inst.registerUser(QStringLiteral("tester"), QStringLiteral("P1"));
    {
        auto w = window(kEnglish);
        ASSERT_TRUE(w->MDIForm_Load());
        EXPECT_EQ(w->session().SPRACHE(), 1);
        EXPECT_EQ(w->session().DEZIMALPUNKT(), QStringLiteral("."));
        EXPECT_EQ(w->menu(QStringLiteral("mnuOEFFNEN"))->text(), QStringLiteral("&Open"));
        EXPECT_EQ(w->menu(QStringLiteral("mnuEXPIMP"))->text(), QStringLiteral("&Export-Import"));
        EXPECT_EQ(w->menu(QStringLiteral("mnuWERKZEUGE"))->text(), QStringLiteral("Grafic Tools"));
        EXPECT_EQ(w->stbMAIN()->text(9), QStringLiteral("Cancel"));
        EXPECT_EQ(w->stbMAIN()->text(13), QStringLiteral("Word"));
        EXPECT_EQ(w->stbMAIN()->toolTip(13), QStringLiteral("Send current page to word"));
        w->MDIForm_Unload();
    }
    for (const QLocale& locale : {kGerman, QLocale(QLocale::French, QLocale::France)}) {
        auto w = window(locale);
        ASSERT_TRUE(w->MDIForm_Load());
        EXPECT_EQ(w->session().SPRACHE(), 3);
        EXPECT_EQ(w->session().DEZIMALPUNKT(), QStringLiteral(","));
        EXPECT_EQ(w->menu(QStringLiteral("mnuOEFFNEN"))->text(), QStringLiteral("&Öffnen"));
        EXPECT_EQ(w->stbMAIN()->toolTip(15), QStringLiteral("Zurück zum Startbildschirm"));
        w->MDIForm_Unload();
    }
    EXPECT_TRUE(messages().isEmpty());
}

struct RefusedStart {
    const char* name;
    bool registered;
    bool projectFolder;
    bool removeTemplate;
    bool english;
    const char* message;
};

void PrintTo(const RefusedStart& c, std::ostream* os) { *os << c.name; }

class StartRefused : public Startup, public ::testing::WithParamInterface<RefusedStart> {};

TEST_P(StartRefused, WithOneMessageAndWithoutWorkingCopy)
{
    const RefusedStart& c = GetParam();
    if (c.projectFolder) inst.addProject(QStringLiteral("P1"));
    if (c.registered) inst.registerUser(QStringLiteral("tester"), QStringLiteral("P1"));
    if (c.removeTemplate) QFile::remove(inst.programFolder() + QStringLiteral("/VELOR.mdb"));
    auto w = window(c.english ? kEnglish : kGerman);
    EXPECT_FALSE(w->MDIForm_Load());
    ASSERT_EQ(messages().size(), 1);
    EXPECT_EQ(messages()[0].text, QString::fromUtf8(c.message));
    EXPECT_EQ(messages()[0].title, QStringLiteral("VELOR"));
    EXPECT_EQ(messages()[0].buttons, vb::vbExclamation | vb::vbOKOnly);
    EXPECT_FALSE(QFile::exists(workingCopy()));
    EXPECT_FALSE(w->isVisible());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, StartRefused,
    ::testing::Values(
        RefusedStart{"NoAdminRow", false, true, false, false, "Programm VELOR kann nur über das Rahmenprogramm ausgeführt werden!"},
        RefusedStart{"NoAdminRowEnglish", false, true, false, true, "Program VELOR can used only via the frame program!"},
        RefusedStart{"NoProjectFolder", true, false, false, false, "Projektsverzeichnis P1 existiert nicht!"},
        RefusedStart{"NoProjectFolderEnglish", true, false, false, true, "Project directory P1 dosn't exist!"},
        RefusedStart{"NoTemplate", true, true, true, false,
                     "Die leere Datenbank VELOR.mdb existiert nicht!\r\nKELMORA muß neu installiert werden!"},
        RefusedStart{"NoTemplateEnglish", true, true, true, true,
                     "The empty database VELOR.mdb dosn't exist!\r\nKELMORA has to be installed again!"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(Startup, MissingOrDamagedInformationSystemEndsWithOneMessage)
{
    inst.addProject(QStringLiteral("P1"));
    inst.registerUser(QStringLiteral("tester"), QStringLiteral("P1"));
    QFile archive(inst.infoFolder() + QStringLiteral("/ARCHIV.mdb"));
    ASSERT_TRUE(archive.open(QIODevice::WriteOnly | QIODevice::Truncate));
    archive.write("this is not a database, it is a note someone saved over it");
    archive.close();
    auto w = window();
    EXPECT_FALSE(w->MDIForm_Load());
    ASSERT_EQ(messages().size(), 1);
    EXPECT_TRUE(messages()[0].text.startsWith(QStringLiteral("Die Datenbanken des Informationssystems können nicht geöffnet werden:")));
    EXPECT_TRUE(messages()[0].text.contains(QStringLiteral("ARCHIV.mdb")));
}

TEST_F(Startup, InterruptedRunKeepsOrReplacesTheWorkingCopy)
{
    const QString project = inst.addProject(QStringLiteral("P1"));
    inst.registerUser(QStringLiteral("tester"), QStringLiteral("P1"));
    addRecord(project, 1, QStringLiteral("gespeichert"), QString(), false);
    for (const int answer : {vb::vbYes, vb::vbNo}) {
        QDir().mkpath(inst.root() + QStringLiteral("/BENUTZER/TESTER"));
        db::DatabaseFile::copy(project, workingCopy());
        addRecord(workingCopy(), 2, QStringLiteral("vor dem Absturz"), QString(), true);
        TestEnvironment::ui().clear();
        TestEnvironment::ui().answer(answer);
        auto w = window();
        ASSERT_TRUE(w->MDIForm_Load());
        ASSERT_EQ(messages().size(), 1);
        EXPECT_EQ(messages()[0].text, QStringLiteral("Programm wurde während der Ausführung unterbrochen!\r\n"
                                                      "Soll die bis zum Abbruch vorhandenen Daten gepeichert werden?"));
        EXPECT_EQ(messages()[0].buttons, vb::vbQuestion | vb::vbYesNo);
        EXPECT_EQ(recordCount(workingCopy()), answer == vb::vbYes ? 2 : 1);
        EXPECT_EQ(w->stbMAIN()->text(6), answer == vb::vbYes ? QStringLiteral("vor dem Absturz") : QStringLiteral("-"));
        // Kept data is not in the project yet, so closing must offer to save it.
        EXPECT_EQ(w->session().BOGEAENDERT, answer == vb::vbYes);
        w->MDIForm_Unload();
    }
}

TEST_F(Startup, AWorkingCopyOfAnotherProjectGoesBackToItsOwnProjectOnly)
{
    const QString p1 = inst.addProject(QStringLiteral("P1"));
    const QString p2 = inst.addProject(QStringLiteral("P2"));
    addRecord(p2, 7, QStringLiteral("P2-Datensatz"), QString(), true);
    for (const int answer : {vb::vbNo, vb::vbYes}) {
        // A run on P1 was interrupted with a new record in its working copy.
        inst.registerUser(QStringLiteral("tester"), QStringLiteral("P1"));
        TestEnvironment::ui().clear();
        {
            auto w = window();
            ASSERT_TRUE(w->MDIForm_Load());
        }  // no orderly end: the working copy and its note stay behind
        addRecord(workingCopy(), 1, QStringLiteral("P1-neu"), QString(), true);

        inst.registerUser(QStringLiteral("tester"), QStringLiteral("P2"));
        TestEnvironment::ui().clear();
        TestEnvironment::ui().answer(answer);
        auto w = window();
        ASSERT_TRUE(w->MDIForm_Load());
        ASSERT_EQ(messages().size(), 1);
        EXPECT_EQ(messages()[0].text, QStringLiteral("Programm wurde während der Ausführung im Projekt P1 unterbrochen!\r\n"
                                                      "Sollen die bis zum Abbruch vorhandenen Daten im Projekt P1 gespeichert werden?"));
        // P2 always starts from its own data; P1 gets the interrupted work only on Yes.
        EXPECT_EQ(w->stbMAIN()->text(6), QStringLiteral("P2-Datensatz"));
        EXPECT_FALSE(w->session().BOGEAENDERT);
        EXPECT_EQ(recordCount(p1), answer == vb::vbYes ? 1 : 0);
        EXPECT_EQ(recordCount(p2), 1);
        w->MDIForm_Unload();
        EXPECT_FALSE(QFile::exists(workingCopy() + QStringLiteral(".projekt")));
    }
}

struct Damage {
    const char* name;
    QByteArray content;  // empty: a database without the record tables
};

void PrintTo(const Damage& d, std::ostream* os) { *os << d.name; }

class DamagedWorkingCopy : public Startup, public ::testing::WithParamInterface<Damage> {};

// Garbage, an empty file left by a start-up copy that failed, a database without tables: none
// of them is a working copy to go on with.
TEST_P(DamagedWorkingCopy, IsOfferedAFreshStart)
{
    inst.addProject(QStringLiteral("P1"));
    inst.registerUser(QStringLiteral("tester"), QStringLiteral("P1"));
    for (const int answer : {vb::vbNo, vb::vbYes}) {
        QDir().mkpath(inst.root() + QStringLiteral("/BENUTZER/TESTER"));
        if (GetParam().content.isNull()) {
            db::DatabaseFile::create(workingCopy(), QStringLiteral("CREATE TABLE NOTIZ (TXT TEXT)"));
        } else {
            QFile damaged(workingCopy());
            ASSERT_TRUE(damaged.open(QIODevice::WriteOnly | QIODevice::Truncate));
            damaged.write(GetParam().content);
            damaged.close();
        }
        TestEnvironment::ui().clear();
        TestEnvironment::ui().answer(answer);
        auto w = window();
        EXPECT_EQ(w->MDIForm_Load(), answer == vb::vbYes);
        ASSERT_EQ(messages().size(), 1);
        EXPECT_TRUE(messages()[0].text.startsWith(QStringLiteral("Die Arbeitskopie des letzten Programmlaufs ist beschädigt!")));
        EXPECT_EQ(db::DatabaseFile::hasTables(workingCopy(), {QStringLiteral("E1")}), answer == vb::vbYes);
    }
}

INSTANTIATE_TEST_SUITE_P(Kinds, DamagedWorkingCopy,
                         ::testing::Values(Damage{"Garbage", QByteArray(5000, '\x17')}, Damage{"ZeroBytes", QByteArray("")},
                                           Damage{"NoRecordTables", QByteArray()}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(Startup, AStartUpCopyThatFailsLeavesNoWorkingCopy)
{
    const QString project = inst.addProject(QStringLiteral("P1"));
    inst.registerUser(QStringLiteral("tester"), QStringLiteral("P1"));
    addRecord(project, 1, QStringLiteral("Messung"), QString(), true);
    {
        db::Connection cn;
        cn.OpenFile(project);
        cn.Execute(QStringLiteral("WITH RECURSIVE n(i) AS (SELECT 2 UNION ALL SELECT i+1 FROM n WHERE i<6) "
                                  "INSERT INTO [E1] ([ID], [KEN], [KOM], [AKT]) SELECT i, 'Teil' || i, hex(zeroblob(30000)), 0 FROM n"));
    }
    {
        // Room for the side files of the open databases, not for a copy of the project.
        const FileSizeLimit diskFull(128 * 1024);
        auto w = window();
        EXPECT_FALSE(w->MDIForm_Load());
    }
    ASSERT_EQ(messages().size(), 1);
    EXPECT_TRUE(messages()[0].text.startsWith(QStringLiteral("Die Projektdatenbank kann nicht kopiert werden:"))) << allTexts();
    EXPECT_FALSE(QFile::exists(workingCopy()));
    EXPECT_TRUE(vb::TemporaryFile::leftovers(workingCopy()).isEmpty());

    // With room on the disk again the next start is an ordinary one.
    TestEnvironment::ui().clear();
    auto w = window();
    ASSERT_TRUE(w->MDIForm_Load());
    EXPECT_TRUE(messages().isEmpty());
    EXPECT_EQ(w->stbMAIN()->text(6), QStringLiteral("Messung"));
    w->MDIForm_Unload();
}

TEST_F(Startup, AnEmptyProjectDatabaseEndsTheStartWithOneMessage)
{
    const QString project = inst.addProject(QStringLiteral("P1"));
    inst.registerUser(QStringLiteral("tester"), QStringLiteral("P1"));
    for (const bool zeroBytes : {true, false}) {
        if (zeroBytes) QFile(project).resize(0);
        else db::DatabaseFile::create(project, QStringLiteral("CREATE TABLE NOTIZ (TXT TEXT)"));
        TestEnvironment::ui().clear();
        auto w = window();
        EXPECT_FALSE(w->MDIForm_Load());
        ASSERT_EQ(messages().size(), 1) << allTexts();
        EXPECT_EQ(messages()[0].text, QStringLiteral("Die Projektdatenbank ") + project + QStringLiteral(" ist leer oder beschädigt!"));
        EXPECT_FALSE(QFile::exists(workingCopy()));
        EXPECT_FALSE(w->isVisible());
    }
}

class StartupError : public Startup, public ::testing::WithParamInterface<int> {};

// OK or Cancel, an error that leaves the start without its project ends it after that one
// box; no window stays behind and no second message follows from the missing project.
TEST_P(StartupError, EndsTheStartWithThatOneMessage)
{
    inst.addProject(QStringLiteral("P1"));
    inst.registerUser(QStringLiteral("tester"), QStringLiteral("P1"));
    {
        db::Connection archive;
        archive.OpenFile(inst.infoFolder() + QStringLiteral("/ARCHIV.mdb"));
        archive.Execute(QStringLiteral("DROP TABLE [ADMIN]"));
    }
    TestEnvironment::ui().answer(GetParam());
    auto w = window();
    EXPECT_FALSE(w->MDIForm_Load());
    ASSERT_EQ(messages().size(), 1) << allTexts();
    EXPECT_TRUE(messages()[0].text.startsWith(QStringLiteral("VB-Error: ")));
    EXPECT_TRUE(messages()[0].text.contains(QStringLiteral("no such table: ADMIN")));
    EXPECT_FALSE(w->isVisible());
    EXPECT_FALSE(QFile::exists(workingCopy()));
}

INSTANTIATE_TEST_SUITE_P(Answers, StartupError, ::testing::Values(vb::vbOK, vb::vbCancel),
                         [](const auto& info) { return std::string(info.param == vb::vbOK ? "OK" : "Cancel"); });

class SecondSession : public Startup, public ::testing::WithParamInterface<bool> {};

// A second start for the same user while the first session runs: one message, and the first
// session's working copy, records and frame entry stay as they are.
TEST_P(SecondSession, EndsWithoutTouchingTheRunningOne)
{
    const bool english = GetParam();
    const QString project = inst.addProject(QStringLiteral("P1"));
    inst.addProject(QStringLiteral("P2"));
    inst.registerUser(QStringLiteral("tester"), QStringLiteral("P1"));
    auto first = window(english ? kEnglish : kGerman);
    ASSERT_TRUE(first->MDIForm_Load());
    addRecord(workingCopy(), 1, QStringLiteral("ungespeichert"), QString(), true);

    inst.registerUser(QStringLiteral("tester"), QStringLiteral("P2"));
    TestEnvironment::ui().clear();
    {
        auto second = window(english ? kEnglish : kGerman);
        EXPECT_FALSE(second->MDIForm_Load());
        ASSERT_EQ(messages().size(), 1);
        EXPECT_EQ(messages()[0].text, english ? QStringLiteral("Program VELOR is already running!")
                                              : QStringLiteral("Programm VELOR wird bereits ausgeführt!"));
        EXPECT_EQ(messages()[0].buttons, vb::vbExclamation | vb::vbOKOnly);
        EXPECT_EQ(messages()[0].title, QStringLiteral("VELOR"));
        EXPECT_EQ(adminProgram(), QStringLiteral("KELMORA"));  // written by the re-registration only
        EXPECT_FALSE(second->isVisible());
    }
    EXPECT_EQ(recordCount(workingCopy()), 1);
    first->session().BOGEAENDERT = true;
    TestEnvironment::ui().clear();
    TestEnvironment::ui().answer(vb::vbYes);
    EXPECT_TRUE(first->MDIForm_QueryUnload(1));
    first->MDIForm_Unload();
    EXPECT_EQ(recordCount(project), 1);

    // The lock ends with the session: the next start is an ordinary one.
    TestEnvironment::ui().clear();
    auto next = window();
    EXPECT_TRUE(next->MDIForm_Load());
    EXPECT_TRUE(messages().isEmpty());
    next->MDIForm_Unload();
}

INSTANTIATE_TEST_SUITE_P(Languages, SecondSession, ::testing::Values(false, true),
                         [](const auto& info) { return std::string(info.param ? "English" : "German"); });

TEST_F(Startup, ATemporaryFileLeftByAKilledSaveIsRemovedUnlessBeingWritten)
{
    const QString project = inst.addProject(QStringLiteral("P1"));
    inst.registerUser(QStringLiteral("tester"), QStringLiteral("P1"));
    const QString temporary = project + QStringLiteral(".k1LLed42.tmp");  // as a killed save leaves it
    for (const bool beingWritten : {true, false}) {
        QFile(temporary).open(QIODevice::WriteOnly);
        vb::FileLock writer;
        if (beingWritten) ASSERT_EQ(writer.tryLock(temporary), vb::FileLock::Result::Locked);
        auto w = window();
        ASSERT_TRUE(w->MDIForm_Load());
        EXPECT_EQ(QFile::exists(temporary), beingWritten);
        w->MDIForm_Unload();
    }
}

TEST_F(Startup, SourceFolderStartsStandAloneOnTheTestProject)
{
    TestInstallation dev(QStringLiteral("Velor-source"));
    QDir().mkpath(dev.root() + QStringLiteral("/TE0000.00"));
    QFile::copy(TestEnvironment::velorTemplate(), dev.root() + QStringLiteral("/TE0000.00/VELOR.mdb"));
    QFile::remove(dev.infoFolder() + QStringLiteral("/ARCHIV.mdb"));  // no information system is needed
    frmMAIN w(kGerman);
    w.session().setProgramFolder(dev.programFolder());
    ASSERT_TRUE(w.MDIForm_Load());
    EXPECT_TRUE(messages().isEmpty());
    EXPECT_EQ(w.session().PROJEKT(), QStringLiteral("TE0000.00"));
    EXPECT_EQ(w.session().PROJEKTSPFAD(), dev.root());
    EXPECT_EQ(w.session().BEARBEITER(), QStringLiteral("TESTER"));
    EXPECT_FALSE(w.session().cnnX_V.isOpen());
    w.MDIForm_Unload();
}

TEST_F(Startup, RecordPanelShowsNoneOneOrSeveralActiveRecords)
{
    inst.addProject(QStringLiteral("P1"));
    inst.registerUser(QStringLiteral("tester"), QStringLiteral("P1"));
    auto w = window();
    ASSERT_TRUE(w->MDIForm_Load());
    EXPECT_EQ(w->stbMAIN()->text(6), QStringLiteral("-"));
    EXPECT_EQ(w->stbMAIN()->toolTip(6), QString());
    addRecord(workingCopy(), 1, QStringLiteral("Zeta"), QString(), true);
    w->SATZANZEIGE();
    EXPECT_EQ(w->stbMAIN()->text(6), QStringLiteral("Zeta"));
    EXPECT_EQ(w->stbMAIN()->toolTip(6), QString());  // a null comment shows no tooltip
    addRecord(workingCopy(), 2, QStringLiteral("alpha"), QStringLiteral("k"), true);
    addRecord(workingCopy(), 3, QStringLiteral("Mitte"), QStringLiteral("k"), false);
    w->SATZANZEIGE();
    EXPECT_EQ(w->stbMAIN()->text(6), QStringLiteral("alpha,..."));
    EXPECT_EQ(w->stbMAIN()->toolTip(6), QStringLiteral("alpha, Zeta"));
    w->MDIForm_Unload();
}

TEST(ProjectPath, IsShortenedAtFolderBoundaries)
{
    EXPECT_EQ(frmMAIN::shortenedProjectPath(QStringLiteral("C:/Daten/Projekte/Baugrund/Archiv")), QStringLiteral(" ... /Baugrund/Archiv"));
    EXPECT_EQ(frmMAIN::shortenedProjectPath(QStringLiteral("/home/weber/Projekte")), QStringLiteral("/home/weber/Projekte"));
    EXPECT_EQ(frmMAIN::shortenedProjectPath(QStringLiteral("/srv/a/b/KELMORA/PROJEKTE")), QStringLiteral(" ... /b/KELMORA/PROJEKTE"));
    // A last folder name longer than 20 characters has no boundary left to cut at.
    EXPECT_EQ(frmMAIN::shortenedProjectPath(QStringLiteral("/x/Projektverzeichnis_Baugrube_Nord")),
              QStringLiteral(" ... ") + QStringLiteral("/x/Projektverzeichnis_Baugrube_Nord").right(20));
}

TEST_F(Startup, OrderlyEndResetsTheFrameEntryAndRemovesTheWorkingCopy)
{
    const QString project = inst.addProject(QStringLiteral("P1"));
    inst.registerUser(QStringLiteral("tester"), QStringLiteral("P1"));
    auto w = window();
    ASSERT_TRUE(w->MDIForm_Load());
    addRecord(workingCopy(), 1, QStringLiteral("neu"), QString(), true);
    w->session().BOGEAENDERT = true;

    TestEnvironment::ui().answer(vb::vbCancel);
    EXPECT_FALSE(w->MDIForm_QueryUnload(1));
    ASSERT_EQ(messages().size(), 1);
    EXPECT_EQ(messages()[0].text, QStringLiteral("Sollen die Änderungen in Projekt P1 gespeichert werden?"));
    EXPECT_EQ(messages()[0].title, QStringLiteral("&Beenden"));
    EXPECT_TRUE(QFile::exists(workingCopy()));

    TestEnvironment::ui().answer(vb::vbYes);
    EXPECT_TRUE(w->MDIForm_QueryUnload(1));
    w->MDIForm_Unload();
    EXPECT_EQ(recordCount(project), 1);
    EXPECT_FALSE(QFile::exists(workingCopy()));
    EXPECT_EQ(adminProgram(), QStringLiteral("KELMORA"));
}
