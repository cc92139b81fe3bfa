// The list routines under the transfer family (through the array members that hand them
// whole arrays), the index statistics, the record lists, deletion and the binding.
#include "DataFixture.h"

#include <QFile>

using vb::Value;

namespace {

const QString kPX = QStringLiteral("PX");

class ListWrite : public DataFixture {
protected:
    void SetUp() override
    {
        DataFixture::SetUp();
        // Polygon 1 of record 7 has three points, polygon 2 one; record 3 has a point too.
        exec("INSERT INTO E3 (ID, POLYNR, PKTNR, PX) VALUES (7, 1, 1, 10), (7, 1, 2, 20), (7, 1, 3, 30),"
             " (7, 2, 1, 40), (3, 1, 1, 50)");
        dat->ETABELLE(QStringLiteral("E3"));
    }
    QStringList polygon(int nr)
    {
        return column(QStringLiteral("SELECT PX FROM E3 WHERE ID = 7 AND POLYNR = %1 ORDER BY PKTNR").arg(nr));
    }
};

TEST_F(ListWrite, ShorterArrayOverwritesFirstRowAndDeletesTheRest)
{
    ASSERT_TRUE(dat->DVTSF(kPX, {1.5f}, {"POLYNR", Value(int16_t(1)), "PKTNR"}));
    EXPECT_EQ(column("SELECT PKTNR || ':' || PX FROM E3 WHERE ID = 7 AND POLYNR = 1"), QStringList{"1:1.5"});
    EXPECT_EQ(polygon(2), QStringList{"40"});
    EXPECT_EQ(column("SELECT PX FROM E3 WHERE ID = 3"), QStringList{"50"});
    EXPECT_TRUE(messages().isEmpty());
}

TEST_F(ListWrite, LongerArrayAppendsRowsCarryingIdAndIndexValues)
{
    ASSERT_TRUE(dat->DVTSF(kPX, {1.0f, 2.0f, 3.0f}, {"POLYNR", Value(int16_t(2)), "PKTNR"}));
    EXPECT_EQ(column("SELECT ID || '/' || POLYNR || '/' || PX FROM E3 WHERE POLYNR = 2 ORDER BY PX"),
              (QStringList{"7/2/1", "7/2/2", "7/2/3"}));
}

TEST_F(ListWrite, EmptyArrayDeletesTheSelection)
{
    ASSERT_TRUE(dat->DVTSF(kPX, {}, {"POLYNR", Value(int16_t(1)), "PKTNR"}));
    EXPECT_TRUE(polygon(1).isEmpty());
    EXPECT_EQ(polygon(2), QStringList{"40"});
}

TEST_F(ListWrite, EmptyTextIsStoredAsNull)
{
    dat->ETABELLE(QStringLiteral("E1"));
    ASSERT_TRUE(dat->DVTT(QStringLiteral("KOM"), QString()));
    EXPECT_EQ(column("SELECT KOM FROM E1 WHERE ID = 7"), QStringList{"<null>"});
    dat->ETABELLE(QStringLiteral("E3"));
    ASSERT_TRUE(dat->DVTTF(QStringLiteral("GRUPPE"), {"a", "", "c"}, {"POLYNR", Value(int16_t(1)), "PKTNR"}));
    EXPECT_EQ(column("SELECT GRUPPE FROM E3 WHERE ID = 7 AND POLYNR = 1 ORDER BY PKTNR"),
              (QStringList{"a", "<null>", "c"}));
}

TEST_F(ListWrite, SingleValueStoreLeavesExactlyOneRow)
{
    ASSERT_TRUE(dat->DVTS(kPX, 9.0f, {"POLYNR", Value(int16_t(1))}));
    EXPECT_EQ(polygon(1), QStringList{"9"});
}

TEST_F(ListWrite, KeyValueWithQuoteIsStoredAndFoundAgain)
{
    dat->ETABELLE(QStringLiteral("G2_2"));
    dat->ESPIDW(1);
    dat->ESPK1(QStringLiteral("KEN"));
    dat->ESPK1W(QStringLiteral("Messung 5'"));
    const IndexPairs point{"IDOBJEKT", Value(int16_t(11)), "LFDNR", Value(int16_t(0)), "PKTNR", Value(int16_t(4))};
    ASSERT_TRUE(dat->DVTS(kPX, 1.25f, point));
    ASSERT_TRUE(dat->DVTS(QStringLiteral("PY"), 2.5f, point));  // finds the row, no second one
    EXPECT_EQ(column("SELECT KEN || '|' || PX || '|' || PY || '|' || PKTNR FROM G2_2"), QStringList{"Messung 5'|1.25|2.5|4"});
    float px = 0;
    ASSERT_TRUE(dat->DTVS(kPX, px, point));
    EXPECT_FLOAT_EQ(px, 1.25f);
}

TEST_F(ListWrite, ReadKeepsArrayElementsOverNullAndWithoutRows)
{
    exec("UPDATE E3 SET PX = NULL WHERE ID = 7 AND POLYNR = 1 AND PKTNR = 2");
    std::vector<float> values{-1, -1, -1, -1};
    ASSERT_TRUE(dat->DTVSF(kPX, values, {"POLYNR", Value(int16_t(1)), "PKTNR"}));
    EXPECT_EQ(values, (std::vector<float>{10, -1, 30, -1}));

    std::vector<float> untouched{5, 6};
    ASSERT_TRUE(dat->DTVSF(kPX, untouched, {"POLYNR", Value(int16_t(8)), "PKTNR"}));
    EXPECT_EQ(untouched, (std::vector<float>{5, 6}));
    EXPECT_TRUE(messages().isEmpty());
}

TEST_F(ListWrite, CollectionTakesNonNullValuesOrIsLeftWithoutRows)
{
    exec("UPDATE E3 SET PX = NULL WHERE ID = 7 AND POLYNR = 1 AND PKTNR = 2");
    QList<Value> col{Value("alt")};
    ASSERT_TRUE(dat->DTVCOL(kPX, col, {"POLYNR", Value(int16_t(1)), "PKTNR"}));
    EXPECT_EQ(col, (QList<Value>{Value(10.0f), Value(30.0f)}));
    QList<Value> kept{Value("alt")};
    ASSERT_TRUE(dat->DTVCOL(kPX, kept, {"POLYNR", Value(int16_t(8))}));
    EXPECT_EQ(kept, QList<Value>{Value("alt")});
    EXPECT_FALSE(dat->DTVCOL(QStringLiteral("NIX"), kept));
    EXPECT_TRUE(messages().isEmpty());
}

// --- index statistics ----------------------------------------------------------------------

TEST_F(ListWrite, IndexReportsCountAndRangeOfALevel)
{
    exec("INSERT INTO E3 (ID, POLYNR, PKTNR) VALUES (7, 5, 2), (7, 5, 9)");
    int16_t mini = -1, maxi = -1, an = -1;
    dat->INDEX(mini, maxi, an, {"POLYNR"});
    EXPECT_EQ((std::array<int, 3>{mini, maxi, an}), (std::array<int, 3>{1, 5, 6}));
    dat->INDEX(mini, maxi, an, {"POLYNR", Value(int16_t(5)), "PKTNR"});
    EXPECT_EQ((std::array<int, 3>{mini, maxi, an}), (std::array<int, 3>{2, 9, 2}));

    int32_t lmin = -1, lmax = -1;
    dat->INDEXL(lmin, lmax, an, {"POLYNR", Value(int16_t(1)), "PKTNR"});
    EXPECT_EQ((std::array<int, 3>{lmin, lmax, an}), (std::array<int, 3>{1, 3, 3}));

    Value vmin, vmax;
    dat->INDEXV(vmin, vmax, an, {"POLYNR"});
    EXPECT_EQ(vmin, Value(int16_t(1)));  // the column's own type (SMALLINT)
    EXPECT_EQ(vmax, Value(int16_t(5)));
}

TEST_F(ListWrite, EmptyLevelGivesZeros)
{
    int16_t mini = 4, maxi = 4, an = 4;
    dat->INDEX(mini, maxi, an, {"POLYNR", Value(int16_t(8)), "PKTNR"});
    EXPECT_EQ((std::array<int, 3>{mini, maxi, an}), (std::array<int, 3>{0, 0, 0}));
}

TEST_F(ListWrite, IndexFailuresAreReportedUnderTheirTitles)
{
    dat->ETABELLE(QStringLiteral("NIX"));
    int16_t mini = 4, maxi = 4, an = 4;
    TestEnvironment::ui().answer(vb::vbCancel);
    dat->INDEX(mini, maxi, an, {"POLYNR"});
    ASSERT_EQ(messages().size(), 1);
    EXPECT_EQ(messages()[0].text, "VB-Error: -2147467259\r\nno such table: NIX");
    EXPECT_EQ(messages()[0].title, "Index");
    EXPECT_EQ(messages()[0].buttons, vb::vbOKCancel | vb::vbExclamation);
    EXPECT_EQ((std::array<int, 3>{mini, maxi, an}), (std::array<int, 3>{4, 4, 4}));  // cancelled before any was set

    int32_t lmin = 0, lmax = 0;
    dat->INDEXL(lmin, lmax, an, {"POLYNR"});
    EXPECT_EQ(messages().last().title, "Datenfehler");
}

// --- record lists and deletion -------------------------------------------------------------

TEST_F(DataFixture, RecordListsAreOrderedByName)
{
    std::vector<int32_t> ids;
    dat->LID(ids, false);
    EXPECT_EQ(ids, (std::vector<int32_t>{7, 3}));  // "Erste" before "Zweite"
    dat->LID(ids, true);
    EXPECT_EQ(ids, std::vector<int32_t>{7});
    std::vector<QString> names;
    dat->LKEN(names, false);
    EXPECT_EQ(names, (std::vector<QString>{"Erste", "Zweite"}));

    // Umlauts sort where the user's alphabet puts them, not after "Z".
    exec("INSERT INTO E1 (ID, KEN, AKT) VALUES (20, 'Ölbaum', 0), (21, 'Äpfel', 0)");
    dat->LKEN(names, false);
    EXPECT_EQ(names, (std::vector<QString>{"Äpfel", "Erste", "Ölbaum", "Zweite"}));
    dat->LID(ids, false);
    EXPECT_EQ(ids, (std::vector<int32_t>{21, 7, 20, 3}));

    exec("DELETE FROM E1");
    std::vector<int32_t> kept{42};
    dat->LID(kept, false);
    EXPECT_EQ(kept, std::vector<int32_t>{42});
}

TEST_F(ListWrite, LoeschenDeletesTheSelectionOnly)
{
    // The fourth pair's value would select nothing; it takes no part in the deletion.
    ASSERT_TRUE(dat->LOESCHEN({"POLYNR", Value(int16_t(1)), "PKTNR", Value(int16_t(2)), "GRUPPE", std::nullopt,
                               "PX", Value(int16_t(99))}));
    EXPECT_EQ(polygon(1), (QStringList{"10", "30"}));
    ASSERT_TRUE(dat->LOESCHEN());
    EXPECT_EQ(column("SELECT ID FROM E3"), QStringList{"3"});
    EXPECT_TRUE(dat->LOESCHEN({"POLYNR", Value(int16_t(1))}));  // nothing left: still True
    EXPECT_TRUE(messages().isEmpty());
}

TEST_F(ListWrite, LoeschenFailureCancelledReturnsFalse)
{
    dat->ETABELLE(QStringLiteral("NIX"));
    TestEnvironment::ui().answer(vb::vbCancel);
    EXPECT_FALSE(dat->LOESCHEN());
    ASSERT_EQ(messages().size(), 1);
    EXPECT_EQ(messages()[0].title, "Datenfehler");
    EXPECT_TRUE(messages()[0].text.startsWith("VB-Error: -2147467259\r\n"));
}

// --- binding -------------------------------------------------------------------------------

TEST_F(DataFixture, NewObjectBindsToFirstActiveRecordOrZero)
{
    EXPECT_EQ(dat->ESPIDW(), 7);
    EXPECT_EQ(dat->ETABELLE(), "E1");
    EXPECT_EQ(dat->ESPID(), "ID");
    exec("UPDATE E1 SET AKT = 0");
    EXPECT_EQ(clsDATEN(session).ESPIDW(), 0);
    EXPECT_TRUE(messages().isEmpty());
}

TEST_F(DataFixture, NewObjectOnClosedConnectionReportsDatenfehler)
{
    session.cnnX.Close();
    clsDATEN d(session);
    EXPECT_EQ(d.ESPIDW(), 0);
    ASSERT_EQ(messages().size(), 1);
    EXPECT_EQ(messages()[0].title, "Datenfehler");
    EXPECT_TRUE(messages()[0].text.startsWith("VB-Error: "));
}

TEST_F(DataFixture, PresetsConnectionExceptInADevelopmentStart)
{
    session.setProgramFolder(QStringLiteral("/opt/KELMORA/VELOR"));
    dat->EBOV(true);
    EXPECT_EQ(&dat->connection(), &session.cnnX_V);
    dat->EBOV(false);
    EXPECT_EQ(&dat->connection(), &session.cnnX);
    session.setProgramFolder(QStringLiteral("/home/dev/Source/VELOR"));
    dat->EBOV(true);
    EXPECT_EQ(&dat->connection(), &session.cnnX);
}

TEST_F(DataFixture, EmdbOpensAProjectDatabaseOrLeavesTheConnection)
{
    bool bo = true;
    dat->EMDB(bo, QStringLiteral("FEHLT"));
    EXPECT_FALSE(bo);
    EXPECT_EQ(dat->EMDB(), "FEHLT");
    EXPECT_EQ(&dat->connection(), &session.cnnX);
    EXPECT_TRUE(messages().isEmpty());

    const QString other = installation.projectFolder("P1") + "/ANDERE.mdb";
    ASSERT_TRUE(QFile::copy(TestEnvironment::velorTemplate(), other));
    dat->EMDB(bo, QStringLiteral("ANDERE"));
    EXPECT_TRUE(bo);
    EXPECT_EQ(dat->connection().path(), other);
    // Queries now run on the other file, which has no records.
    std::vector<int32_t> ids{1};
    dat->LID(ids, false);
    EXPECT_EQ(ids, std::vector<int32_t>{1});
}

TEST_F(DataFixture, EmdbOnAFileThatIsNoDatabase)
{
    QFile bad(installation.projectFolder("P1") + "/KAPUTT.mdb");
    ASSERT_TRUE(bad.open(QIODevice::WriteOnly));
    bad.write(QByteArray(4096, 'x'));
    bad.close();

    bool bo = false;
    dat->EMDB(bo, QStringLiteral("KAPUTT"));  // OK: goes on and reports the connection as opened
    EXPECT_TRUE(bo);
    ASSERT_EQ(messages().size(), 1);
    EXPECT_EQ(messages()[0].title, "Datenzugriff - Datenbank KAPUTT");
    EXPECT_TRUE(messages()[0].text.startsWith("VB-Error: -2147467259\r\n"));

    bo = false;
    TestEnvironment::ui().answer(vb::vbCancel);
    dat->EMDB(bo, QStringLiteral("KAPUTT"));
    EXPECT_FALSE(bo);
}

}  // namespace
