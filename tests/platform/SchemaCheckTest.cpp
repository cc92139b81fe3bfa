// A database measured against the template: what it holds beyond it, and what of it can be
// taken over into a fresh one.
#include "platform/db/Connection.h"
#include "platform/db/SchemaCheck.h"
#include "support/TestEnvironment.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

class SchemaCheckTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        path = dir.filePath(QStringLiteral("VELOR.mdb"));
        ASSERT_TRUE(QFile::copy(TestEnvironment::velorTemplate(), path));
        cn.OpenFile(path);
    }

    QTemporaryDir dir;
    QString path;
    db::Connection cn;
    const db::SchemaCheck check{TestEnvironment::velorTemplate()};
};

}  // namespace

TEST_F(SchemaCheckTest, NamesEveryObjectTheTemplateDoesNotKnow)
{
    const struct {
        const char* sql;
        const char* foreign;
    } cases[] = {
        {"CREATE TRIGGER HOCH AFTER INSERT ON E3 BEGIN UPDATE E3 SET PY=PY*1.1; END", "trigger HOCH"},
        {"CREATE VIEW ZAHLEN AS WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i+1 FROM n) SELECT i FROM n", "view ZAHLEN"},
        {"CREATE TABLE NOTIZ (T TEXT)", "table NOTIZ"},
        {"CREATE INDEX E3_PX ON E3 (PX)", "index E3_PX"},
        {"ALTER TABLE E3 ADD COLUMN Z SINGLE", "column E3.Z"},
        {"ALTER TABLE E1 ADD COLUMN LANG AS (KEN || KEN)", "column E1.LANG"},
    };
    EXPECT_TRUE(check.foreignObjects(cn).isEmpty());
    for (const auto& c : cases) {
        cn.Execute(QString::fromUtf8(c.sql));
        EXPECT_TRUE(check.foreignObjects(cn).contains(QString::fromUtf8(c.foreign))) << c.sql;
    }
    EXPECT_EQ(check.foreignObjects(cn).size(), 6);

    // A table an older project lacks is no foreign object.
    db::Connection older;
    const QString olderPath = dir.filePath(QStringLiteral("alt.mdb"));
    ASSERT_TRUE(QFile::copy(TestEnvironment::velorTemplate(), olderPath));
    older.OpenFile(olderPath);
    older.Execute(QStringLiteral("DROP TABLE G2_2"));
    EXPECT_TRUE(check.foreignObjects(older).isEmpty());
}

TEST_F(SchemaCheckTest, KnownDataComesOverByNameWithoutWhatActsOnItsOwnAndCutToTheLimit)
{
    cn.Execute(QStringLiteral("DROP TABLE E3"));
    cn.Execute(QStringLiteral("CREATE TABLE E3 (ID LONG, POLYNR SMALLINT, PKTNR SMALLINT, GRUPPE TEXT, PY SINGLE, PX SINGLE, Z TEXT)"));
    cn.Execute(QStringLiteral("INSERT INTO E3 VALUES (1, 1, 1, 'a', 2, 1, 'fremd')"));
    cn.Execute(QStringLiteral("INSERT INTO E1 (ID, KEN, KOM, AKT) VALUES (1, 'lang', substr(hex(zeroblob(40000)), 1, 70000), 1)"));
    cn.Execute(QStringLiteral("CREATE TRIGGER WEG AFTER INSERT ON E1 BEGIN DELETE FROM E1; END"));
    EXPECT_EQ(check.oversizedValues(cn), QStringList{QStringLiteral("E1.KOM")});
    cn.Close();

    const QString fresh = dir.filePath(QStringLiteral("neu.mdb"));
    ASSERT_TRUE(QFile::copy(TestEnvironment::velorTemplate(), fresh));
    db::Connection target;
    target.OpenFile(fresh);
    check.copyKnownData(path, target);
    EXPECT_EQ(TestEnvironment::column(target, QStringLiteral("SELECT PX || '/' || PY || '/' || GRUPPE FROM E3")),
              QStringList{QStringLiteral("1/2/a")});
    EXPECT_EQ(TestEnvironment::column(target, QStringLiteral("SELECT length(KOM) FROM E1")), QStringList{QStringLiteral("65536")});
    EXPECT_TRUE(check.foreignObjects(target).isEmpty());
}
