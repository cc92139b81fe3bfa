// The look for long rows reads the file's pages, not its values: it must never miss one.
#include "platform/db/Connection.h"
#include "platform/db/DatabaseFile.h"
#include "platform/db/EngineFile.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

struct LongRowCase {
    const char* what;
    const char* sql;  // run on a database of 3,000 short rows
    bool mayHold;
};

void PrintTo(const LongRowCase& c, std::ostream* os) { *os << c.what; }

class EngineFileLongRows : public ::testing::TestWithParam<LongRowCase> {};

TEST_P(EngineFileLongRows, AreFoundWhereverTheEngineKeepsThem)
{
    QTemporaryDir dir;
    db::Connection cn;
    const QString path = dir.filePath(QStringLiteral("rows.mdb"));
    db::DatabaseFile::create(path, QStringLiteral("CREATE TABLE T (ID LONG, TXT TEXT, X SINGLE);"
                                                  "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i+1 FROM n WHERE i<3000) "
                                                  "INSERT INTO T SELECT i, 'Punkt ' || i, i * 0.5 FROM n;"));
    cn.OpenFile(path);
    cn.Execute(QString::fromUtf8(GetParam().sql));
    EXPECT_EQ(db::EngineFile::mayHoldRowsLongerThan(cn.handle(), 65536), GetParam().mayHold) << GetParam().what;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, EngineFileLongRows,
    ::testing::Values(
        LongRowCase{"short rows only", "SELECT 1", false},
        LongRowCase{"rows just under the limit", "UPDATE T SET TXT=substr(hex(zeroblob(40000)),1,65000) WHERE ID IN (7, 2000)", false},
        LongRowCase{"a long text among short rows", "UPDATE T SET TXT=hex(zeroblob(40000)) WHERE ID=1500", true},
        LongRowCase{"a long text where a number belongs", "INSERT INTO T VALUES (5000, 'x', 'x' || hex(zeroblob(40000)))", true},
        LongRowCase{"a long value in a table without row numbers",
                    "CREATE TABLE W (K TEXT PRIMARY KEY, V TEXT) WITHOUT ROWID; INSERT INTO W VALUES ('k', hex(zeroblob(40000)))", true},
        LongRowCase{"a long row after its neighbours were deleted", "DELETE FROM T WHERE ID % 3 = 0; UPDATE T SET TXT=hex(zeroblob(40000)) WHERE ID=1",
                    true},
        LongRowCase{"a file whose log holds pages", "PRAGMA journal_mode=WAL; UPDATE T SET X=1 WHERE ID=1", true}),
    [](const ::testing::TestParamInfo<LongRowCase>& info) { return "Case" + std::to_string(info.index); });

}  // namespace
