// Export/import between the working copy and other real project folders.
#include "records/DriveList.h"
#include "records/FolderList.h"
#include "records/frmEXPIMP.h"
#include "records/RecordTables.h"
#include "records/RecordsFixture.h"

#include <QFile>
#include <QGroupBox>
#include <QListWidget>
#include <QPushButton>

namespace {

class ExportImport : public RecordsFixture {
protected:
    void SetUp() override
    {
        RecordsFixture::SetUp();
        addRecord(cn(), 1, QStringLiteral("Anna"), QStringLiteral("hier"), true);
        addRecord(cn(), 2, QStringLiteral("M"), QString(), false);  // never listed
        other = inst.addProject(QStringLiteral("P2"));
        db::Connection c;
        c.OpenFile(other);
        addRecord(c, 4, QStringLiteral("Anna"), QStringLiteral("dort"), false);
        addRecord(c, 9, QStringLiteral("Bruno"), QString(), true);
    }
    std::unique_ptr<frmEXPIMP> open()
    {
        auto d = std::make_unique<frmEXPIMP>(shell);
        d->Form_Load();
        return d;
    }
    static QStringList texts(const QListWidget* list)
    {
        QStringList out;
        for (int i = 0; i < list->count(); ++i) out << list->item(i)->text();
        return out;
    }
    static void select(QListWidget* list, const QStringList& names)
    {
        for (int i = 0; i < list->count(); ++i)
            list->item(i)->setSelected(names.contains(list->item(i)->text().section(QLatin1Char(' '), 0, 0)));
    }

    QString other;
};

}  // namespace

TEST_F(ExportImport, ListsBothProjectsAndIgnoresFoldersWithoutAProject)
{
    auto d = open();
    EXPECT_EQ(d->fraIMP->title(), QStringLiteral("Aktuelles Projekt: P1"));
    EXPECT_EQ(d->fraEXP->title(), QStringLiteral("Externes Projekt"));
    EXPECT_EQ(texts(d->lstIMP), QStringList{QStringLiteral("Anna (hier)")});
    EXPECT_EQ(d->dirEXP->path(), inst.projectsFolder());
    EXPECT_EQ(d->drvEXP->drive(), DriveList::driveOf(inst.projectsFolder()));

    d->dirEXP->setPath(shell.session_.XMDBPFAD().section(QLatin1Char('/'), 0, -2));  // the user's own working folder
    d->dirEXP->setPath(inst.programFolder() + QStringLiteral("/..") + QStringLiteral("/INFO"));  // no VELOR.mdb there
    EXPECT_FALSE(d->otherProjectOpen());
    EXPECT_EQ(d->fraEXP->title(), QStringLiteral("Externes Projekt"));

    d->dirEXP->setPath(inst.projectFolder(QStringLiteral("P2")));
    EXPECT_TRUE(d->otherProjectOpen());
    EXPECT_EQ(d->fraEXP->title(), QStringLiteral("Projekt P2"));
    // A record without a comment shows its name alone.
    EXPECT_EQ(texts(d->lstEXP), (QStringList{QStringLiteral("Anna (dort)"), QStringLiteral("Bruno")}));

    // Closing after another project was opened marks the working copy as changed.
    shell.tag.clear();
    d->cmdSCHLIESSEN->click();
    EXPECT_EQ(shell.tag, QStringLiteral("OK"));
    shell.tag.clear();
    open()->cmdSCHLIESSEN->click();
    EXPECT_EQ(shell.tag, QString());
    EXPECT_TRUE(messages().isEmpty());
}

TEST_F(ExportImport, ImportCopiesWholeRecordsUnderNewNumbersAndReportsDuplicates)
{
    auto d = open();
    d->dirEXP->setPath(inst.projectFolder(QStringLiteral("P2")));
    select(d->lstEXP, {QStringLiteral("Anna"), QStringLiteral("Bruno")});
    TestEnvironment::ui().answer(vb::vbOK);  // skip the duplicate, go on
    d->cmdIMP->click();
    ASSERT_EQ(messages().size(), 1);
    EXPECT_EQ(messages()[0].text, QStringLiteral("Datensatz Anna ist bereits vorhanden!"));
    EXPECT_EQ(messages()[0].buttons, vb::vbExclamation | vb::vbOKCancel);
    // Bruno arrives as record 3 (highest 2 + 1) with every row.
    EXPECT_EQ(column(QStringLiteral("SELECT ID || ':' || KEN FROM E1 ORDER BY ID")),
              (QStringList{QStringLiteral("1:Anna"), QStringLiteral("2:M"), QStringLiteral("3:Bruno")}));
    EXPECT_EQ(rowCounts(cn(), 3), QStringLiteral("E1:1 E2:1 E3:2 A1:1 G0:1 G2_1:1 G2_2:1"));
    EXPECT_EQ(column(QStringLiteral("SELECT PX || '/' || PY FROM E3 WHERE ID=3 ORDER BY PKTNR")),
              (QStringList{QStringLiteral("1.5/2"), QStringLiteral("3/4")}));
    EXPECT_EQ(texts(d->lstIMP), (QStringList{QStringLiteral("Anna (hier)"), QStringLiteral("Bruno")}));

    // Cancel on a duplicate ends the whole copy.
    TestEnvironment::ui().clear();
    select(d->lstEXP, {QStringLiteral("Anna"), QStringLiteral("Bruno")});
    TestEnvironment::ui().answer(vb::vbCancel);
    d->cmdIMP->click();
    EXPECT_EQ(messages().size(), 1);
    EXPECT_EQ(column(QStringLiteral("SELECT count(*) FROM E1")), QStringList{QStringLiteral("3")});
}

// Browsing a project only reads it: it keeps the journal mode it had (a file left in
// write-ahead mode could no longer be opened from a read-only folder).
TEST_F(ExportImport, BrowsingAnotherProjectLeavesItsJournalMode)
{
    const auto journalMode = [](const QString& path) {
        QFile f(path);
        f.open(QIODevice::ReadOnly);
        return static_cast<int>(f.read(20).at(18));  // 1: rollback journal, 2: write-ahead log
    };
    ASSERT_EQ(journalMode(other), 1);
    auto d = open();
    d->dirEXP->setPath(inst.projectFolder(QStringLiteral("P2")));
    ASSERT_TRUE(d->otherProjectOpen());
    select(d->lstIMP, {QStringLiteral("Anna")});
    TestEnvironment::ui().answer(vb::vbOK);
    d->cmdEXP_Click();
    d->cmdSCHLIESSEN->click();
    d.reset();
    EXPECT_EQ(journalMode(other), 1);
    EXPECT_FALSE(QFile::exists(other + QStringLiteral("-wal")));
}

// A name that differs only in the case of an umlaut is the same record; the lists follow the
// alphabet of the user's language.
TEST_F(ExportImport, NamesCompareWithoutRegardToCaseForEveryLetter)
{
    {
        db::Connection c;
        c.OpenFile(other);
        addRecord(c, 11, QStringLiteral("äpfel"), QString(), false);
        addRecord(c, 12, QStringLiteral("Zeder"), QString(), false);
    }
    addRecord(cn(), 5, QStringLiteral("Äpfel"), QString(), false);
    auto d = open();
    d->dirEXP->setPath(inst.projectFolder(QStringLiteral("P2")));
    EXPECT_EQ(texts(d->lstEXP), (QStringList{QStringLiteral("Anna (dort)"), QStringLiteral("äpfel"), QStringLiteral("Bruno"),
                                             QStringLiteral("Zeder")}));
    select(d->lstEXP, {QStringLiteral("äpfel"), QStringLiteral("Zeder")});
    TestEnvironment::ui().answer(vb::vbOK);
    d->cmdIMP_Click();
    ASSERT_EQ(messages().size(), 1);
    EXPECT_EQ(messages()[0].text, QStringLiteral("Datensatz äpfel ist bereits vorhanden!"));
    EXPECT_EQ(column(QStringLiteral("SELECT KEN FROM E1 ORDER BY ID")),
              (QStringList{QStringLiteral("Anna"), QStringLiteral("M"), QStringLiteral("Äpfel"), QStringLiteral("Zeder")}));
}

TEST_F(ExportImport, ExportIntoAnEmptyProjectStartsAtOne)
{
    const QString empty = inst.addProject(QStringLiteral("LEER"));
    auto d = open();
    d->dirEXP->setPath(inst.projectFolder(QStringLiteral("LEER")));
    EXPECT_EQ(texts(d->lstEXP), QStringList{QStringLiteral("<leer>")});
    select(d->lstIMP, {QStringLiteral("Anna")});
    d->cmdEXP->click();
    EXPECT_EQ(texts(d->lstEXP), QStringList{QStringLiteral("Anna (hier)")});
    d->cmdSCHLIESSEN->click();
    db::Connection c;
    c.OpenFile(empty);
    EXPECT_EQ(rowCounts(c, 1), QStringLiteral("E1:1 E2:1 E3:2 A1:1 G0:1 G2_1:1 G2_2:1"));
    EXPECT_TRUE(messages().isEmpty());
}

TEST_F(ExportImport, ACopiedRecordInheritsNoRowsLeftUnderItsNewNumber)
{
    const QString empty = inst.addProject(QStringLiteral("LEER"));
    {
        // An older program left polygon heads under ID 1 without a record.
        db::Connection c;
        c.OpenFile(empty);
        c.Execute(QStringLiteral("INSERT INTO G2_1 (ID, IDOBJEKT, LFDNR, KEN, TXT) VALUES (1, 11, 0, 3, 'fremd')"));
    }
    exec(QStringLiteral("DELETE FROM G2_1 WHERE ID=1"));  // the copied record has none of its own
    auto d = open();
    d->dirEXP->setPath(inst.projectFolder(QStringLiteral("LEER")));
    select(d->lstIMP, {QStringLiteral("Anna")});
    d->cmdEXP->click();
    d->cmdSCHLIESSEN->click();
    db::Connection c;
    c.OpenFile(empty);
    EXPECT_EQ(rowCounts(c, 1), QStringLiteral("E1:1 E2:1 E3:2 A1:1 G0:1 G2_1:0 G2_2:1"));
}

TEST_F(ExportImport, AFailedCopyLeavesNoPartOfTheRecord)
{
    {
        // A target whose last table has another layout: the copy fails on its last step.
        db::Connection c;
        c.OpenFile(other);
        c.Execute(QStringLiteral("DROP TABLE G2_2"));
    }
    auto d = open();
    d->dirEXP->setPath(inst.projectFolder(QStringLiteral("P2")));
    select(d->lstIMP, {QStringLiteral("Anna")});
    exec(QStringLiteral("UPDATE E1 SET KEN='Anton' WHERE ID=1"));  // no duplicate in the target
    d->lstIMP->clear();
    auto* item = new QListWidgetItem(QStringLiteral("Anton (hier)"));
    item->setData(Qt::UserRole, 1);
    d->lstIMP->addItem(item);
    item->setSelected(true);
    d->cmdEXP->click();
    ASSERT_EQ(messages().size(), 1);
    EXPECT_TRUE(messages()[0].text.startsWith(QStringLiteral("VB-Error: -2147467259\r\n")));
    EXPECT_EQ(messages()[0].buttons, vb::vbOKCancel);  // no icon
    EXPECT_EQ(messages()[0].title, QStringLiteral("Export/Import"));
    EXPECT_EQ(column(d->otherProject(), QStringLiteral("SELECT KEN FROM E1 ORDER BY ID")),
              (QStringList{QStringLiteral("Anna"), QStringLiteral("Bruno")}));
    EXPECT_EQ(column(d->otherProject(), QStringLiteral("SELECT count(*) FROM E3 WHERE ID=10")), QStringList{QStringLiteral("0")});
}

// What a record remembers of its capture travels with it; a project of an older edition gets
// the tables for it when a record is exported into it, and gives records without them.
TEST_F(ExportImport, CaptureTablesTravelWithTheRecordAlsoIntoAndFromOlderProjects)
{
    exec(QStringLiteral("INSERT INTO E4 (ID, BILD) VALUES (1, 'scan.png')"));
    exec(QStringLiteral("INSERT INTO E5 (ID, LFDNR, ART, BX, BY, WX, WY) VALUES (1, 0, 0, 10.25, 20.5, 100, 0)"));
    exec(QStringLiteral("INSERT INTO E6 (ID, POLYNR, PKTNR, BX, BY, PX, PY) VALUES (1, 1, 1, 3.5, 4.5, 1.5, 2)"));
    {
        db::Connection c;
        c.OpenFile(other);
        for (const char* t : {"E4", "E5", "E6"}) c.Execute(QStringLiteral("DROP TABLE ") + QLatin1String(t));
        c.Execute(QStringLiteral("PRAGMA user_version = 1"));
    }
    exec(QStringLiteral("UPDATE E1 SET KEN='Anton' WHERE ID=1"));  // no duplicate in the target
    auto d = open();
    d->dirEXP->setPath(inst.projectFolder(QStringLiteral("P2")));
    select(d->lstEXP, {QStringLiteral("Bruno")});
    d->cmdIMP->click();  // from the older project: a record with no capture rows
    EXPECT_EQ(column(QStringLiteral("SELECT count(*) FROM E4 WHERE ID=3")), QStringList{QStringLiteral("0")});
    select(d->lstIMP, {QStringLiteral("Anton")});
    d->cmdEXP->click();
    EXPECT_TRUE(messages().isEmpty());
    db::Connection& target = d->otherProject();
    EXPECT_EQ(column(target, QStringLiteral("SELECT ID || BILD FROM E4")), QStringList{QStringLiteral("10scan.png")});
    EXPECT_EQ(column(target, QStringLiteral("SELECT BX || '/' || WX FROM E5 WHERE ID=10")), QStringList{QStringLiteral("10.25/100.0")});
    EXPECT_EQ(column(target, QStringLiteral("SELECT BY || '/' || PX FROM E6 WHERE ID=10")), QStringList{QStringLiteral("4.5/1.5")});

    // A deleted record leaves none of them behind.
    records::removeRecord(cn(), 1);
    for (const char* t : {"E4", "E5", "E6"})
        EXPECT_EQ(column(QStringLiteral("SELECT count(*) FROM ") + QLatin1String(t)), QStringList{QStringLiteral("0")}) << t;
}

TEST(DriveListOnLinux, ListsTheRootAndNoPseudoFileSystems)
{
    const QStringList drives = DriveList::drives();
    ASSERT_FALSE(drives.isEmpty());
    EXPECT_EQ(drives.first(), QStringLiteral("/"));
    for (const QString& d : drives) {
        EXPECT_FALSE(d.startsWith(QStringLiteral("/proc")) || d.startsWith(QStringLiteral("/sys")) || d == QStringLiteral("/dev/pts")) << d.toStdString();
    }
    DriveList list;
    list.setDrive(QStringLiteral("/proc/self"));
    EXPECT_EQ(list.drive(), QStringLiteral("/proc"));  // a folder on an unlisted volume is still reachable
}

// A colleague's project may declare its columns in another order: every value arrives in its
// own column. A copy is never the active record of the project it arrives in.
TEST_F(ExportImport, ColumnsAreCopiedByNameAndACopyArrivesInactive)
{
    {
        db::Connection c;
        c.OpenFile(other);
        c.Execute(QStringLiteral("DROP TABLE E3"));
        c.Execute(QStringLiteral("CREATE TABLE E3 (ID LONG NOT NULL, POLYNR SMALLINT, PKTNR SMALLINT, GRUPPE TEXT COLLATE NOCASE, "
                                 "PY SINGLE, PX SINGLE)"));
        c.Execute(QStringLiteral("CREATE INDEX E3_KEY ON E3 (ID, POLYNR, PKTNR)"));
        c.Execute(QStringLiteral("INSERT INTO E3 (ID, POLYNR, PKTNR, GRUPPE, PX, PY) VALUES (9, 1, 1, 'a', 1.5, 2)"));
    }
    auto d = open();
    d->dirEXP->setPath(inst.projectFolder(QStringLiteral("P2")));
    select(d->lstEXP, {QStringLiteral("Bruno")});
    d->cmdIMP->click();
    EXPECT_TRUE(messages().isEmpty());
    EXPECT_EQ(column(QStringLiteral("SELECT PX || '/' || PY FROM E3 WHERE ID=3")), QStringList{QStringLiteral("1.5/2")});
    EXPECT_EQ(column(QStringLiteral("SELECT ID FROM E1 WHERE AKT=1")), QStringList{QStringLiteral("1")});

    // A source that lacks a column has records that do not fit: nothing of them arrives.
    {
        db::Connection c;
        c.OpenFile(other);
        c.Execute(QStringLiteral("ALTER TABLE E3 DROP COLUMN GRUPPE"));
        c.Execute(QStringLiteral("UPDATE E1 SET KEN='Berta' WHERE ID=9"));
    }
    d->dirEXP->setPath(inst.projectsFolder());
    d->dirEXP->setPath(inst.projectFolder(QStringLiteral("P2")));
    select(d->lstEXP, {QStringLiteral("Berta")});
    TestEnvironment::ui().answer(vb::vbOK);
    d->cmdIMP->click();
    ASSERT_EQ(messages().size(), 1);
    EXPECT_TRUE(messages()[0].text.contains(QStringLiteral("The column GRUPPE of the table E3 is missing in the source.")))
        << messages()[0].text.toStdString();
    EXPECT_EQ(column(QStringLiteral("SELECT count(*) FROM E1 WHERE KEN='Berta'")), QStringList{QStringLiteral("0")});
}

// Looking at a project from elsewhere runs nothing of it, changes nothing in it, and does not
// read values no window would write.
TEST_F(ExportImport, AProjectWithForeignObjectsOrHugeValuesIsNotListed)
{
    const struct {
        const char* sql;
        QString message;
    } cases[] = {
        {"CREATE VIEW ZAHLEN AS WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i+1 FROM n) SELECT i FROM n;"
         "CREATE TRIGGER WEG AFTER INSERT ON E3 BEGIN DELETE FROM E1 WHERE ID<>new.ID; END",
         QStringLiteral("Die Projektdatenbank %1 enthält fremde Objekte: view ZAHLEN, trigger WEG")},
        {"DROP VIEW ZAHLEN; DROP TRIGGER WEG; UPDATE E1 SET KOM=substr(hex(zeroblob(40000)), 1, 70000)",
         QStringLiteral("Die Projektdatenbank %1 enthält Werte mit mehr als 65536 Zeichen: E1.KOM")},
    };
    for (const auto& c : cases) {
        {
            db::Connection cn;
            cn.OpenFile(other);
            cn.Execute(QString::fromUtf8(c.sql));
        }
        QFile file(other);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        const QByteArray before = file.readAll();
        file.close();
        TestEnvironment::ui().clear();
        auto d = open();
        d->dirEXP->setPath(inst.projectFolder(QStringLiteral("P2")));
        EXPECT_FALSE(d->otherProjectOpen()) << c.sql;
        EXPECT_EQ(d->lstEXP->count(), 0);
        ASSERT_EQ(messages().size(), 1);
        EXPECT_EQ(messages()[0].text, c.message.arg(other));
        d.reset();
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        EXPECT_EQ(file.readAll(), before);
    }
}
