// Project and user folders are shared with colleagues, the information system may be written
// by every user: nothing found there may have the program read or write outside its places.
#include "platform/os/Os.h"
#include "shell/ShellFixture.h"
#include "support/FileFacts.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <initializer_list>
#include <sys/stat.h>
#include <unistd.h>

namespace {

class SharedFolder : public ShellFixture {
protected:
    bool load(std::initializer_list<int> answers = {})
    {
        TestEnvironment::ui().clear();
        for (const int answer : answers) TestEnvironment::ui().answer(answer);
        w = std::make_unique<frmMAIN>(QLocale(QLocale::German, QLocale::Germany));
        w->session().setProgramFolder(inst.programFolder());
        const bool loaded = w->MDIForm_Load();
        unloaded = !loaded;
        return loaded;
    }
    // The end of a run that was killed: the working copy and its note stay.
    void abandon()
    {
        w->session().cnnX.Close();
        w.reset();
    }
    void setAdmin(const QString& projectsFolder, const QString& projectName)
    {
        db::Connection c;
        c.OpenFile(inst.infoFolder() + QStringLiteral("/ARCHIV.mdb"));
        c.Execute(QStringLiteral("UPDATE [ADMIN] SET [PROJEKTSPFAD]=?, [PROJEKT]=?"), {vb::Value(projectsFolder), vb::Value(projectName)});
    }
    QString victim(const QString& name = QStringLiteral("opfer.mdb"))
    {
        const QString path = inst.root() + QLatin1Char('/') + name;
        if (!QFile::exists(path)) EXPECT_TRUE(QFile::copy(TestEnvironment::velorTemplate(), path));
        return path;
    }
    QString userFolder() const { return inst.root() + QStringLiteral("/BENUTZER/TESTER"); }
};

}  // namespace

// Every user may write ADMIN, so its row may not send anyone's work elsewhere.
TEST_F(SharedFolder, TheInformationSystemCannotLeadOutOfTheProjectsFolder)
{
    const QString attacker = inst.root() + QStringLiteral("/ANGREIFER/X");
    QDir().mkpath(attacker);
    QFile::copy(project, attacker + QStringLiteral("/VELOR.mdb"));
    ASSERT_TRUE(QFile::link(attacker, inst.projectsFolder() + QStringLiteral("/VERWEIS")));
    const struct {
        QString folder, name;
    } cases[] = {
        {inst.projectsFolder() + QStringLiteral("/../ANGREIFER"), QStringLiteral("X")},
        {inst.projectsFolder(), QStringLiteral("../ANGREIFER/X")},
        {inst.root() + QStringLiteral("/ANGREIFER"), QStringLiteral("X")},
        {inst.projectsFolder(), QStringLiteral("VERWEIS")},
    };
    for (const auto& c : cases) {
        setAdmin(c.folder, c.name);
        EXPECT_FALSE(load()) << c.name.toStdString();
        EXPECT_EQ(messageTexts(), QStringList{QStringLiteral("Der Projektpfad %1/%2 ist nicht zulässig: Projekte sind einfache "
                                                             "Ordner in %3!")
                                                  .arg(c.folder, c.name, inst.projectsFolder())});
        EXPECT_FALSE(QFile::exists(workingCopy()));
    }
}

TEST_F(SharedFolder, AUserNameThatIsNoFolderNameIsRefused)
{
    qputenv("USER", "../aussen");
    const bool loaded = load();
    qputenv("USER", "tester");
    EXPECT_FALSE(loaded);
    EXPECT_EQ(messageTexts(), QStringList{QStringLiteral("Der Benutzername ../AUSSEN kann nicht als Ordnername verwendet werden!")});
    EXPECT_FALSE(QFileInfo::exists(inst.root() + QStringLiteral("/AUSSEN")));
}

// The working copy holds the project's data: its folder is the user's alone.
TEST_F(SharedFolder, AUserFolderOfAnotherUserOrOpenToOthersIsRefused)
{
    QDir().mkpath(inst.root() + QStringLiteral("/BENUTZER"));
    const auto refused = [&](const char* what) {
        EXPECT_FALSE(load()) << what;
        EXPECT_EQ(messageTexts(), QStringList{QStringLiteral("Der Benutzerordner %1 gehört einem anderen Benutzer oder ist für "
                                                             "andere beschreibbar!")
                                                  .arg(userFolder())})
            << what;
    };
    ASSERT_TRUE(QDir().mkdir(userFolder()));
    ::chmod(QFile::encodeName(userFolder()).constData(), 0777);
    refused("open to all");
    ::chmod(QFile::encodeName(userFolder()).constData(), 0700);
    ASSERT_EQ(::chown(QFile::encodeName(userFolder()).constData(), ::geteuid() + 4321, static_cast<gid_t>(-1)), 0);
    refused("another user's");
    ASSERT_TRUE(QDir(userFolder()).removeRecursively());
    ASSERT_TRUE(QFile::link(inst.root(), userFolder()));
    refused("a link");
    QFile::remove(userFolder());

    ASSERT_TRUE(load());
    EXPECT_EQ(FileFacts::mode(userFolder()), 0700u);
}

// A private project stays private in its working copy, also after a crash.
TEST_F(SharedFolder, TheWorkingCopyAndItsSideFilesTakeTheProjectsMode)
{
    ::chmod(QFile::encodeName(project).constData(), 0600);
    ASSERT_TRUE(load());
    exec(QStringLiteral("INSERT INTO E1 (ID, KEN, AKT) VALUES (1, 'privat', 1)"));
    EXPECT_EQ(FileFacts::mode(workingCopy()), 0600u);
    ASSERT_TRUE(QFile::exists(workingCopy() + QStringLiteral("-wal")));
    EXPECT_EQ(FileFacts::mode(workingCopy() + QStringLiteral("-wal")), 0600u);
}

// The note beside a working copy names where "Ja" writes the interrupted run's data.
TEST_F(SharedFolder, AnOwnerNoteNamingAnyFileCannotHaveItOverwritten)
{
    const QString note = workingCopy() + QStringLiteral(".projekt");
    const QString foreign = victim();
    const QByteArray before = FileFacts::content(foreign);
    ASSERT_TRUE(load());
    abandon();
    ASSERT_TRUE(vb::Os::writeFile(note, foreign.toUtf8()));
    ASSERT_TRUE(load({vb::vbYes}));
    EXPECT_EQ(messageTexts(), QStringList{QStringLiteral("Die Arbeitskopie des letzten Programmlaufs gehört zu keinem Projekt "
                                                         "dieser Installation (%1)!\r\nSoll mit den Daten des Projekts neu begonnen "
                                                         "werden?")
                                              .arg(foreign)});
    EXPECT_EQ(FileFacts::content(foreign), before);
    abandon();

    // A note that is a link: writing the note would write its target.
    db::DatabaseFile::remove(workingCopy());
    QFile::remove(note);
    ASSERT_TRUE(QFile::link(foreign, note));
    EXPECT_FALSE(load());
    EXPECT_EQ(messageTexts(),
              QStringList{QStringLiteral("Die Datei %1 ist eine symbolische Verknüpfung und wird nicht verwendet!").arg(note)});
    EXPECT_EQ(FileFacts::content(foreign), before);
}

// "Speichern" used to write a fixed temporary name beside the project and follow a link there.
TEST_F(SharedFolder, SaveWritesNeitherThroughALinkBesideTheProjectNorThroughOneAtIt)
{
    const QString foreign = victim();
    const QByteArray before = FileFacts::content(foreign);
    ASSERT_TRUE(load());
    exec(QStringLiteral("INSERT INTO E1 (ID, KEN, AKT) VALUES (1, 'neu', 1)"));
    ASSERT_TRUE(QFile::link(foreign, project + QStringLiteral(".tmp")));
    w->session().BOGEAENDERT = true;
    w->mnuSPEICHERN_Click();
    EXPECT_FALSE(w->session().BOGEAENDERT);
    EXPECT_FALSE(QFileInfo(project).isSymLink());
    EXPECT_EQ(projectColumn(QStringLiteral("SELECT KEN FROM E1")), QStringList{QStringLiteral("neu")});
    EXPECT_EQ(FileFacts::content(foreign), before);

    QFile::remove(project);
    ASSERT_TRUE(QFile::link(foreign, project));
    TestEnvironment::ui().clear();
    w->session().BOGEAENDERT = true;
    w->mnuSPEICHERN_Click();
    EXPECT_TRUE(w->session().BOGEAENDERT);
    EXPECT_EQ(messageTexts(), QStringList{QStringLiteral("Die Projektdatenbank %1 ist eine symbolische Verknüpfung!\r\nDie "
                                                         "Änderungen wurden nicht gespeichert.")
                                              .arg(project)});
    EXPECT_EQ(FileFacts::content(foreign), before);
    w->session().BOGEAENDERT = false;
    w->MDIForm_Unload();
    unloaded = true;

    // Nor is a project database that is a link taken as the project.
    EXPECT_FALSE(load());
    EXPECT_EQ(messageTexts(),
              QStringList{QStringLiteral("Die Datei %1 ist eine symbolische Verknüpfung und wird nicht verwendet!").arg(project)});
}

// A trigger in a project would change or delete records on every write, and survive every save.
TEST_F(SharedFolder, AProjectWithATriggerIsWorkedOnOnlyAsACleanCopyOfItsRecords)
{
    {
        db::Connection c;
        c.OpenFile(project);
        c.Execute(QStringLiteral("INSERT INTO E1 (ID, KEN, KOM, AKT) VALUES (1, 'eins', substr(hex(zeroblob(50000)), 1, 90000), 1), "
                                 "(2, 'zwei', NULL, 0)"));
        c.Execute(QStringLiteral("CREATE TRIGGER HOCH AFTER INSERT ON E3 BEGIN UPDATE E3 SET PY=PY*1.1 WHERE rowid=new.rowid; "
                                 "DELETE FROM E1 WHERE ID<>new.ID; END"));
    }
    const QString problems = QStringLiteral("Die Projektdatenbank %1 enthält fremde Objekte: trigger HOCH\r\n"
                                            "Die Projektdatenbank %1 enthält Werte mit mehr als 65536 Zeichen: E1.KOM\r\n"
                                            "Sollen die Datensätze in eine neue Datenbank aus der Vorlage übernommen werden?")
                                 .arg(project);
    EXPECT_FALSE(load({vb::vbNo}));
    EXPECT_EQ(messageTexts(), QStringList{problems});
    EXPECT_FALSE(QFile::exists(workingCopy()));

    ASSERT_TRUE(load({vb::vbYes}));
    EXPECT_EQ(messageTexts(), QStringList{problems});
    exec(QStringLiteral("INSERT INTO E3 (ID, POLYNR, PKTNR, PX, PY) VALUES (1, 1, 1, 1, 2)"));
    EXPECT_EQ(column(QStringLiteral("SELECT PY FROM E3")), QStringList{QStringLiteral("2")});
    EXPECT_EQ(column(QStringLiteral("SELECT KEN || ':' || ifnull(length(KOM), 0) FROM E1 ORDER BY ID")),
              (QStringList{QStringLiteral("eins:65536"), QStringLiteral("zwei:0")}));
    EXPECT_EQ(column(QStringLiteral("SELECT count(*) FROM sqlite_master WHERE type='trigger'")), QStringList{QStringLiteral("0")});
}
