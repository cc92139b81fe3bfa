// The database layer against real SQLite files made from the real templates.
#include "platform/db/Connection.h"
#include "platform/db/DatabaseFile.h"
#include "platform/db/ParameterizedSql.h"
#include "platform/db/Recordset.h"
#include "platform/db/Statement.h"
#include "platform/db/Transaction.h"
#include "platform/os/TemporaryFile.h"
#include "platform/vb/VbError.h"
#include "support/TestEnvironment.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <chrono>
#include <fcntl.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

using vb::Value;

namespace {

class Database : public ::testing::Test {
protected:
    void SetUp() override
    {
        path = dir.path() + QStringLiteral("/VELOR.mdb");
        ASSERT_TRUE(QFile::copy(TestEnvironment::velorTemplate(), path));
        cn.OpenFile(path);
    }

    void addRecord(int id, const QString& ken, bool akt)
    {
        db::Recordset rs(QStringLiteral("SELECT * FROM [E1]"), cn);
        rs.AddNew();
        rs.setField(QStringLiteral("ID"), id);
        rs.setField(QStringLiteral("KEN"), ken);
        rs.setField(QStringLiteral("AKT"), akt);
        rs.Update();
    }

    QTemporaryDir dir;
    QString path;
    db::Connection cn;
};

int errorOf(const std::function<void()>& f)
{
    try {
        f();
    } catch (const vb::VbError& e) {
        return e.number();
    }
    return 0;
}

}  // namespace

TEST_F(Database, FieldsComeBackInTheirDeclaredKinds)
{
    db::Recordset rs(QStringLiteral("SELECT * FROM [G0]"), cn);
    rs.AddNew();
    rs.setField(QStringLiteral("ID"), Value(7.0));  // a double into a LONG column
    rs.setField(QStringLiteral("IDOBJEKT"), 11);
    rs.setField(QStringLiteral("XMIN"), Value("2,5"));  // text typed in the German session
    rs.Update();
    db::Recordset back(QStringLiteral("SELECT [ID],[IDOBJEKT],[XMIN],[MX] FROM [G0] WHERE [ID] = 7"), cn);
    ASSERT_EQ(back.RecordCount(), 1);
    EXPECT_EQ(back.field(QStringLiteral("ID")), Value(int32_t(7)));
    EXPECT_EQ(back.field(QStringLiteral("IDOBJEKT")), Value(int16_t(11)));
    EXPECT_EQ(back.field(QStringLiteral("XMIN")), Value(2.5f));
    EXPECT_TRUE(back.field(QStringLiteral("MX")).isNull());
}

TEST_F(Database, WritesThatDoNotFitTheColumnFail)
{
    db::Recordset rs(QStringLiteral("SELECT * FROM [G0]"), cn);
    rs.AddNew();
    EXPECT_EQ(errorOf([&] { rs.setField(QStringLiteral("IDOBJEKT"), Value("elf")); }), vb::errTypeMismatch);
    EXPECT_EQ(errorOf([&] { rs.setField(QStringLiteral("IDOBJEKT"), 70000); }), vb::errOverflow);
    EXPECT_EQ(errorOf([&] { rs.setField(QStringLiteral("NOSUCH"), 1); }), 3265);
}

TEST_F(Database, CursorWalksEditsAndDeletesLikeAStaticRecordset)
{
    addRecord(1, QStringLiteral("b"), true);
    addRecord(2, QStringLiteral("A"), false);
    addRecord(3, QStringLiteral("c"), true);
    db::Recordset rs(QStringLiteral("SELECT * FROM [E1] ORDER BY [KEN]"), cn);
    ASSERT_EQ(rs.RecordCount(), 3);
    EXPECT_EQ(rs.field(QStringLiteral("KEN")), Value("A"));  // text sorts without regard to case
    rs.MoveNext();
    rs.Delete();
    EXPECT_EQ(errorOf([&] { rs.field(QStringLiteral("KEN")); }), vb::errNoCurrentRecord);
    rs.MoveNext();
    rs.setField(QStringLiteral("AKT"), false);
    rs.MoveNext();  // a pending edit is written by the move
    EXPECT_TRUE(rs.IsEOF());
    EXPECT_EQ(errorOf([&] { rs.MoveNext(); }), vb::errNoCurrentRecord);
    db::Recordset active(QStringLiteral("SELECT [KEN] FROM [E1] WHERE [AKT]=true"), cn);
    EXPECT_EQ(active.RecordCount(), 0);
    db::Recordset all(QStringLiteral("SELECT [KEN] FROM [E1]"), cn);
    EXPECT_EQ(all.RecordCount(), 2);
}

TEST_F(Database, QuotedNamesAreStoredAndFoundAndCannotChangeTheStatement)
{
    addRecord(1, QStringLiteral("Messung 5'"), true);
    addRecord(2, QStringLiteral("x"), true);
    db::Recordset rs(QStringLiteral("SELECT * FROM [E1] WHERE [KEN]='Messung 5'''"), cn);
    ASSERT_EQ(rs.RecordCount(), 1);
    EXPECT_EQ(rs.field(QStringLiteral("ID")), Value(int32_t(1)));
    db::Recordset injected(QStringLiteral("SELECT * FROM [E1] WHERE [KEN]='x'' OR ''1''=''1'"), cn);
    EXPECT_EQ(injected.RecordCount(), 0);
}

// A statement belongs to whoever prepared it: neither the cache turning over nor a second
// use of the same text may finalize or rewind it under its holder.
TEST_F(Database, AStatementStaysWithItsHolder)
{
    for (int id = 1; id <= 3; ++id) addRecord(id, QStringLiteral("R%1").arg(id), true);
    const QString sql = QStringLiteral("SELECT [KEN] FROM [E1] ORDER BY [ID]");
    db::Statement names = cn.prepare(sql);
    ASSERT_TRUE(names.next());
    EXPECT_EQ(names.text(0), QStringLiteral("R1"));
    for (int i = 0; i < 300; ++i) cn.prepare(QStringLiteral("SELECT %1").arg(i)).next();
    {
        db::Statement again = cn.prepare(sql);
        ASSERT_TRUE(again.next());
        EXPECT_EQ(again.text(0), QStringLiteral("R1"));
    }
    ASSERT_TRUE(names.next());
    EXPECT_EQ(names.text(0), QStringLiteral("R2"));
    cn.Close();  // the statement outlives its connection and is finalized when it goes
}

// A full disk is the disk-full error naming the database's folder, wherever the engine
// meets it: in a statement or in the COMMIT.
TEST_F(Database, AFullDiskIsTheDiskFullErrorNamingTheFolder)
{
    db::Statement count = cn.prepare(QStringLiteral("PRAGMA page_count"));
    ASSERT_TRUE(count.next());
    cn.Execute(QStringLiteral("PRAGMA max_page_count=%1").arg(count.integer(0) + 2));
    const QString longName(20000, QLatin1Char('x'));
    try {
        for (int id = 1; id < 100; ++id) cn.Execute(QStringLiteral("INSERT INTO [E1] ([ID],[KEN]) VALUES (?,?)"), {Value(id), Value(longName)});
        FAIL() << "the database never filled";
    } catch (const vb::VbError& e) {
        EXPECT_EQ(e.number(), vb::errDiskFull);
        EXPECT_TRUE(e.description().startsWith(QStringLiteral("Der Datenträger ist voll: Im Ordner ") + dir.path() + QLatin1Char(' ')))
            << e.description().toStdString();
    }
    EXPECT_EQ(errorOf([&] { cn.Execute(QStringLiteral("INSERT INTO [E1] ([ID],[KEN]) VALUES (0,'") + longName + QStringLiteral("')")); }),
              vb::errDiskFull);
}

TEST(ParameterizedSql, LiftsWhereLiteralsButLeavesNamesAndOrder)
{
    const auto p = db::ParameterizedSql::from(
        QStringLiteral("SELECT [X],[ID] FROM [G2_1] WHERE [ID] = 7 AND [LFDNR]=2.5 AND [KEN] ='O''Brien' ORDER BY [NR1]"));
    EXPECT_EQ(p.sql, QStringLiteral("SELECT [X],[ID] FROM [G2_1] WHERE [ID] = ? AND [LFDNR]=? AND [KEN] =? ORDER BY [NR1]"));
    ASSERT_EQ(p.parameters.size(), 3u);
    EXPECT_EQ(p.parameters[0], Value(int32_t(7)));
    EXPECT_EQ(p.parameters[1], Value(2.5));
    EXPECT_EQ(p.parameters[2], Value("O'Brien"));
    const auto q = db::ParameterizedSql::from(QStringLiteral("SELECT [ID] FROM E1 WHERE [AKT]=true"));
    EXPECT_EQ(q.sql, QStringLiteral("SELECT [ID] FROM E1 WHERE [AKT]=true"));
}

TEST(ConnectionOpen, RefusesMissingFilesAndFilesThatAreNoDatabase)
{
    QTemporaryDir dir;
    db::Connection cn;
    const QString missing = dir.path() + QStringLiteral("/ARCHIV.mdb");
    try {
        cn.Open(QStringLiteral("Provider=Microsoft.Jet.OLEDB.4.0; Data Source=") + missing + QStringLiteral(";Persist Security Info=False"));
        FAIL() << "opened a missing file";
    } catch (const vb::VbError& e) {
        EXPECT_EQ(e.number(), vb::errDatabase);
        EXPECT_TRUE(e.description().contains(missing));
    }
    QFile text(missing);
    ASSERT_TRUE(text.open(QIODevice::WriteOnly));
    text.write(QByteArray(4096, 'x'));
    text.close();
    EXPECT_EQ(errorOf([&] { cn.OpenFile(missing); }), vb::errDatabase);
    EXPECT_FALSE(cn.isOpen());
    EXPECT_FALSE(db::DatabaseFile::isDatabase(missing));
}

TEST_F(Database, OpeningWaitsForAWriterInsteadOfFailing)
{
    cn.Execute(QStringLiteral("BEGIN EXCLUSIVE"));
    std::thread writer([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        cn.Execute(QStringLiteral("COMMIT"));
    });
    db::Connection second;
    EXPECT_EQ(errorOf([&] { second.OpenFile(path, 5); }), 0);
    writer.join();
    EXPECT_TRUE(second.isOpen());
}

TEST_F(Database, CopiesOfAnOpenDatabaseAreConsistent)
{
    cn.BeginTrans();
    addRecord(1, QStringLiteral("kept"), true);
    cn.CommitTrans();
    cn.BeginTrans();
    addRecord(2, QStringLiteral("uncommitted"), true);
    const QString copy = dir.path() + QStringLiteral("/copy.mdb");
    db::DatabaseFile::copy(path, copy);
    cn.RollbackTrans();
    db::Connection other;
    other.OpenFile(copy);
    db::Recordset rs(QStringLiteral("SELECT [KEN] FROM [E1]"), other);
    ASSERT_EQ(rs.RecordCount(), 1);
    EXPECT_EQ(rs.field(QStringLiteral("KEN")), Value("kept"));
}

// Whether another program could take the engine's write lock (its reserved byte) of the
// database at `path` now, asked of the system by a child process that holds no lock itself.
bool anotherProgramMayWrite(const QString& path)
{
    const QByteArray name = QFile::encodeName(path);
    const pid_t child = ::fork();
    if (child == 0) {
        const int fd = ::open(name.constData(), O_RDWR);
        struct flock lock {};
        lock.l_type = F_WRLCK;
        lock.l_whence = SEEK_SET;
        lock.l_start = 0x40000001;
        lock.l_len = 1;
        ::_exit(fd >= 0 && ::fcntl(fd, F_GETLK, &lock) == 0 && lock.l_type == F_UNLCK ? 0 : 1);
    }
    int status = -1;
    ::waitpid(child, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

TEST_F(Database, CopiesKeepTheProgramsLocksAndStandAloneWithTheLoggedCommits)
{
    // The file is read past the engine: the engine's locks must outlive the copy.
    const QString copy = dir.path() + QStringLiteral("/copy.mdb");
    cn.Execute(QStringLiteral("BEGIN IMMEDIATE"));
    db::DatabaseFile::copy(path, copy);
    EXPECT_FALSE(anotherProgramMayWrite(path));
    cn.Execute(QStringLiteral("COMMIT"));
    EXPECT_TRUE(anotherProgramMayWrite(path));

    // A session's working copy keeps its last commits in its log; the copy holds them and
    // is a database of its own, in rollback mode.
    cn.useWriteAheadLog();
    addRecord(1, QStringLiteral("im Log"), true);
    db::DatabaseFile::copy(cn, copy);
    QFile file(copy);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.read(20).mid(18), QByteArray("\x01\x01", 2));
    db::Connection other;
    other.OpenFile(copy);
    EXPECT_EQ(TestEnvironment::column(other, QStringLiteral("SELECT [KEN] FROM [E1]")), QStringList{QStringLiteral("im Log")});
    EXPECT_FALSE(QFile::exists(copy + QStringLiteral("-wal")));
}

TEST_F(Database, ARefusedCommitIsRolledBackAndTheConnectionWritesAgain)
{
    cn.OpenFile(path, 0);
    db::Connection reader;
    reader.OpenFile(path, 0);
    reader.BeginTrans();
    reader.Execute(QStringLiteral("SELECT count(*) FROM [E1]"));  // holds the file while it reads
    {
        db::Transaction transaction(cn);
        addRecord(1, QStringLiteral("refused"), true);
        EXPECT_EQ(errorOf([&] { transaction.commit(); }), vb::errDatabase);
    }
    reader.RollbackTrans();
    EXPECT_EQ(errorOf([&] {
                  db::Transaction transaction(cn);
                  addRecord(2, QStringLiteral("later"), true);
                  transaction.commit();
              }),
              0);
    EXPECT_EQ(TestEnvironment::column(reader, QStringLiteral("SELECT [KEN] FROM [E1]")), QStringList{QStringLiteral("later")});
}

TEST_F(Database, AtomicReplaceLeavesOnlyTheNewDatabase)
{
    addRecord(1, QStringLiteral("neu"), true);
    const QString project = dir.path() + QStringLiteral("/project.mdb");
    ASSERT_TRUE(QFile::copy(TestEnvironment::velorTemplate(), project));
    db::DatabaseFile::copy(path, project);
    EXPECT_TRUE(vb::TemporaryFile::leftovers(project).isEmpty());
    db::Connection other;
    other.OpenFile(project);
    db::Recordset rs(QStringLiteral("SELECT [KEN] FROM [E1]"), other);
    EXPECT_EQ(rs.RecordCount(), 1);
}

TEST_F(Database, CompactionWritesASmallerCopy)
{
    cn.BeginTrans();
    for (int i = 0; i < 3000; ++i) addRecord(i + 1, QString(200, QLatin1Char('x')), false);
    cn.CommitTrans();
    cn.Execute(QStringLiteral("DELETE FROM [E1]"));
    cn.Execute(QStringLiteral("PRAGMA wal_checkpoint(TRUNCATE)"));
    const QString target = dir.path() + QStringLiteral("/VELORTEMP.mdb");
    db::DatabaseFile::compact(path, target);
    EXPECT_LT(QFile(target).size(), QFile(path).size() / 4);
    EXPECT_TRUE(db::DatabaseFile::isDatabase(target));
}

// An older database gets the tables (and their indexes) its schema edition lacks, keeps its
// rows, and is never touched again once it has the edition; a newer one is left alone.
TEST(DatabaseUpgrade, AddsMissingTablesWithTheirIndexesOnce)
{
    QTemporaryDir dir;
    const QString path = dir.path() + QStringLiteral("/old.mdb");
    db::DatabaseFile::create(path, QStringLiteral("PRAGMA user_version = 1; CREATE TABLE A (ID LONG); INSERT INTO A VALUES (7);"));
    const QString schema = QStringLiteral("PRAGMA user_version = 2; CREATE TABLE A (ID LONG, EXTRA TEXT);"
                                          "CREATE TABLE B (ID LONG, V DOUBLE); CREATE INDEX B_ID ON B (ID);");
    db::Connection cn;
    cn.OpenFile(path);
    db::DatabaseFile::upgrade(cn, schema);
    const auto objects = [&] {
        return TestEnvironment::column(cn, QStringLiteral("SELECT type || ' ' || name FROM sqlite_master ORDER BY name"));
    };
    EXPECT_EQ(objects(), (QStringList{QStringLiteral("table A"), QStringLiteral("table B"), QStringLiteral("index B_ID")}));
    EXPECT_EQ(TestEnvironment::column(cn, QStringLiteral("PRAGMA user_version")), QStringList{QStringLiteral("2")});
    // The existing table keeps its columns and rows: tables are only ever added.
    EXPECT_EQ(TestEnvironment::column(cn, QStringLiteral("SELECT * FROM A")), QStringList{QStringLiteral("7")});
    cn.Execute(QStringLiteral("DROP TABLE B"));
    db::DatabaseFile::upgrade(cn, schema);
    EXPECT_EQ(objects(), QStringList{QStringLiteral("table A")});
    cn.Execute(QStringLiteral("PRAGMA user_version = 1"));
    EXPECT_THROW(db::DatabaseFile::upgrade(cn, QStringLiteral("PRAGMA user_version = 3; CREATE TABLE")), vb::VbError);
}
