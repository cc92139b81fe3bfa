// Two users on one project: each works on a copy; "Speichern" merges record by record.
#include "platform/db/Connection.h"
#include "platform/db/Recordset.h"
#include "shell/frmMAIN.h"
#include "support/TestEnvironment.h"

#include <QStringList>
#include <functional>
#include <gtest/gtest.h>
#include <memory>

namespace {

// Alice and Bob, each with a started main window on project P1. The session reads the user
// from the environment, so every step runs as one of them.
class TwoUsers : public ::testing::Test {
protected:
    void SetUp() override
    {
        TestEnvironment::ui().clear();
        project = inst.addProject(QStringLiteral("P1"));
        for (const char* user : {"alice", "bob"}) inst.registerUser(QString::fromLatin1(user), QStringLiteral("P1"));
        prepareProject();
        alice = startAs("alice");
        bob = startAs("bob");
    }
    virtual void prepareProject() {}
    void TearDown() override
    {
        as("alice", [&] { alice->MDIForm_Unload(); });
        as("bob", [&] { bob->MDIForm_Unload(); });
        qputenv("USER", "tester");
    }

    static void as(const char* user, const std::function<void()>& step)
    {
        qputenv("USER", user);
        step();
    }
    std::unique_ptr<frmMAIN> startAs(const char* user)
    {
        auto w = std::make_unique<frmMAIN>(QLocale(QLocale::German, QLocale::Germany));
        w->session().setProgramFolder(inst.programFolder());
        as(user, [&] { EXPECT_TRUE(w->MDIForm_Load()); });
        return w;
    }
    // A new record with a polygon point and its scan pixel, as the capture writes them.
    static void addRecord(frmMAIN& w, int id, const QString& name)
    {
        w.session().cnnX.Execute(QStringLiteral("INSERT INTO E1 (ID, KEN, AKT) VALUES (%1, '%2', 1)").arg(id).arg(name));
        w.session().cnnX.Execute(QStringLiteral("INSERT INTO E3 (ID, POLYNR, PKTNR, PX, PY) VALUES (%1, 1, 1, %1, 0.5)").arg(id));
        addPixel(w, id, id);
    }
    static void addPixel(frmMAIN& w, int id, int x)
    {
        w.session().cnnX.Execute(QStringLiteral("INSERT INTO E6 (ID, POLYNR, PKTNR, BX, BY) VALUES (%1, 1, 1, %2, 7)").arg(id).arg(x));
    }
    static void setComment(frmMAIN& w, const QString& name, const QString& comment)
    {
        w.session().cnnX.Execute(QStringLiteral("UPDATE E1 SET KOM='%1' WHERE KEN='%2'").arg(comment, name));
    }
    void save(const char* user, frmMAIN& w)
    {
        as(user, [&] {
            w.session().BOGEAENDERT = true;
            w.mnuSPEICHERN_Click();
            EXPECT_FALSE(w.session().BOGEAENDERT) << user;
        });
    }
    QStringList projectRows(const QString& sql)
    {
        db::Connection c;
        c.OpenFile(project);
        return TestEnvironment::column(c, sql);
    }
    const QList<vb::ScriptedUi::Message>& messages() { return TestEnvironment::ui().messages; }

    TestInstallation inst;
    QString project;
    std::unique_ptr<frmMAIN> alice;
    std::unique_ptr<frmMAIN> bob;
};

}  // namespace

TEST_F(TwoUsers, BothNewRecordsAreInTheProjectWithTheirRowsAndDistinctNumbers)
{
    // Started at the same moment, both give their new record the number 1.
    addRecord(*alice, 1, QStringLiteral("Alice Satz"));
    addRecord(*bob, 1, QStringLiteral("Bob Satz"));
    save("alice", *alice);
    save("bob", *bob);
    EXPECT_TRUE(messages().isEmpty());
    EXPECT_EQ(projectRows(QStringLiteral("SELECT KEN || '=' || ID FROM E1 ORDER BY ID")),
              (QStringList{QStringLiteral("Alice Satz=1"), QStringLiteral("Bob Satz=2")}));
    EXPECT_EQ(projectRows(QStringLiteral("SELECT ID || ':' || PX FROM E3 ORDER BY ID")),
              (QStringList{QStringLiteral("1:1"), QStringLiteral("2:1")}));  // Bob's point went with his record
    EXPECT_EQ(projectRows(QStringLiteral("SELECT ID || ':' || CAST(BX AS INTEGER) FROM E6 ORDER BY ID")),
              (QStringList{QStringLiteral("1:1"), QStringLiteral("2:1")}));  // and so did its pixel
    // Bob goes on working on both; his record stays the one he has chosen.
    EXPECT_EQ(TestEnvironment::column(bob->session().cnnX, QStringLiteral("SELECT KEN || '=' || AKT FROM E1 ORDER BY ID")),
              (QStringList{QStringLiteral("Alice Satz=0"), QStringLiteral("Bob Satz=1")}));

    // Alice saves again without knowing Bob's record: it stays, and so does her deletion of nothing.
    setComment(*alice, QStringLiteral("Alice Satz"), QStringLiteral("geprüft"));
    save("alice", *alice);
    EXPECT_EQ(projectRows(QStringLiteral("SELECT KEN || '/' || coalesce(KOM, '') FROM E1 ORDER BY ID")),
              (QStringList{QStringLiteral("Alice Satz/geprüft"), QStringLiteral("Bob Satz/")}));
    // A record deleted by one user goes, the other's work stays.
    as("bob", [&] { bob->session().cnnX.Execute(QStringLiteral("DELETE FROM E1 WHERE KEN='Bob Satz'")); });
    save("bob", *bob);
    EXPECT_EQ(projectRows(QStringLiteral("SELECT KEN || '/' || coalesce(KOM, '') FROM E1 ORDER BY ID")),
              (QStringList{QStringLiteral("Alice Satz/geprüft")}));
    EXPECT_TRUE(messages().isEmpty());
}

TEST_F(TwoUsers, ARecordChangedByBothAsksNamingTheOtherUser)
{
    addRecord(*alice, 1, QStringLiteral("Kurve"));
    save("alice", *alice);
    save("bob", *bob);  // Bob now has Alice's record too
    struct Case {
        int answer;
        QStringList expected;
    };
    const Case cases[] = {
        {vb::vbYes, {QStringLiteral("Kurve/Bob 1")}},
        {vb::vbNo, {QStringLiteral("Kurve/Alice 2")}},
        {vb::vbCancel, {QStringLiteral("Kurve/Alice 3"), QStringLiteral("Kurve (2)/Bob 3")}},
    };
    int round = 0;
    for (const Case& c : cases) {
        ++round;
        save("alice", *alice);  // takes Bob's last save; nothing of hers is unsaved
        setComment(*alice, QStringLiteral("Kurve"), QStringLiteral("Alice %1").arg(round));
        setComment(*bob, QStringLiteral("Kurve"), QStringLiteral("Bob %1").arg(round));
        save("alice", *alice);
        TestEnvironment::ui().clear();
        TestEnvironment::ui().answer(c.answer);
        save("bob", *bob);
        ASSERT_EQ(messages().size(), 1) << round;
        EXPECT_EQ(messages()[0].text, QStringLiteral("Datensatz Kurve wurde auch von ALICE geändert und gespeichert!\r\n"
                                                     "Ja: die Fassung von ALICE mit Ihrer überschreiben\r\n"
                                                     "Nein: die Fassung von ALICE behalten\r\n"
                                                     "Abbrechen: Ihre Fassung als Kopie \"Kurve (2)\" speichern"));
        EXPECT_EQ(messages()[0].buttons, vb::vbQuestion | vb::vbYesNoCancel);
        EXPECT_EQ(projectRows(QStringLiteral("SELECT KEN || '/' || KOM FROM E1 ORDER BY ID")), c.expected) << round;
    }
    // The copy took every row of Bob's record with it.
    EXPECT_EQ(projectRows(QStringLiteral("SELECT E3.ID FROM E3 JOIN E1 ON E1.ID=E3.ID WHERE KEN='Kurve (2)'")).size(), 1);
}

namespace {

// A project of the edition before the capture's own tables: each session adds them to its copy.
class TwoUsersOnAnOlderProject : public TwoUsers {
protected:
    void prepareProject() override
    {
        db::Connection c;
        c.OpenFile(project);
        c.Execute(QStringLiteral("DROP TABLE E4; DROP TABLE E5; DROP TABLE E6; PRAGMA user_version = 1"));
    }
};

}  // namespace

TEST_F(TwoUsersOnAnOlderProject, AChangeInATableTheCopyGotAtItsStartCountsAsAChange)
{
    addRecord(*alice, 1, QStringLiteral("Kurve"));
    save("alice", *alice);
    save("bob", *bob);
    addPixel(*alice, 1, 42);  // only the capture's table changes
    save("alice", *alice);
    setComment(*bob, QStringLiteral("Kurve"), QStringLiteral("Bob"));
    TestEnvironment::ui().answer(vb::vbNo);
    save("bob", *bob);
    ASSERT_EQ(messages().size(), 1);
    EXPECT_EQ(projectRows(QStringLiteral("SELECT CAST(BX AS INTEGER) FROM E6 ORDER BY BX")), (QStringList{QStringLiteral("1"), QStringLiteral("42")}));
}
