// The SQL texts the binding object composes, case by case: blanks, brackets, the forms of
// index values (the German session must not leak its decimal comma into SQL) and quoting.
#include "DataFixture.h"

namespace {

struct Binding {
    QString table = QStringLiteral("E1");
    QString idColumn = QStringLiteral("ID");
    int32_t id = 7;
    QString keys[3];
    QString values[3];

    void apply(clsDATEN& dat) const
    {
        dat.ETABELLE(table);
        dat.ESPID(idColumn);
        dat.ESPIDW(id);
        dat.ESPK1(keys[0]), dat.ESPK1W(values[0]);
        dat.ESPK2(keys[1]), dat.ESPK2W(values[1]);
        dat.ESPK3(keys[2]), dat.ESPK3W(values[2]);
    }
};

struct SqlCase {
    const char* name;
    Binding binding;
    QString spv;  // unused by INDEX and LOESCHEN
    IndexPairs idx;
    QString expected;
};

void PrintTo(const SqlCase& c, std::ostream* os) { *os << c.name; }

std::string caseName(const ::testing::TestParamInfo<SqlCase>& info) { return info.param.name; }

Binding g22(const QString& ken = QStringLiteral("D"))
{
    Binding b;
    b.table = QStringLiteral("G2_2");
    b.id = 1;
    b.keys[0] = QStringLiteral("KEN");
    b.values[0] = ken;
    return b;
}

Binding presets()
{
    Binding b;
    b.table = QStringLiteral("VELOR_VE2");
    b.idColumn.clear();
    b.keys[0] = QStringLiteral("AKVK");
    b.values[0] = QStringLiteral("a");
    return b;
}

Binding threeKeys()
{
    Binding b = g22();
    b.keys[1] = QStringLiteral("K2"), b.values[1] = QStringLiteral("b");
    b.keys[2] = QStringLiteral("K3"), b.values[2] = QStringLiteral("c");
    return b;
}

Binding e2Example()
{
    Binding b;
    b.table = QStringLiteral("E2");
    b.keys[0] = QStringLiteral("KEN");
    b.values[0] = QStringLiteral("A");
    return b;
}

using vb::Value;
const QString I1 = QStringLiteral("IDOBJEKT"), I2 = QStringLiteral("LFDNR"), I3 = QStringLiteral("PKTNR");

class DtSql : public DataFixture, public ::testing::WithParamInterface<SqlCase> {};

TEST_P(DtSql, ComposesTheDocumentedText)
{
    GetParam().binding.apply(*dat);
    EXPECT_EQ(dat->sqlDT(GetParam().spv, GetParam().idx), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, DtSql, ::testing::Values(
    SqlCase{"DocumentedExample", e2Example(), "X", {"NR"},
            "SELECT [X],[ID],[NR],[KEN] FROM [E2] WHERE [ID] = 7 AND [KEN] ='A' ORDER BY [NR]"},
    SqlCase{"IdOnly", Binding{}, "KEN", {}, "SELECT [KEN],[ID] FROM [E1] WHERE [ID] = 7"},
    SqlCase{"NoIdColumnStartsWithKey1", presets(), "MNR", {},
            "SELECT [MNR],[AKVK] FROM [VELOR_VE2] WHERE [AKVK] ='a'"},
    SqlCase{"IndexValuesFilterAndAllNamesOrder", g22(), "PX", {I1, Value(int16_t(11)), I2, Value(int16_t(0)), I3},
            "SELECT [PX],[ID],[IDOBJEKT],[LFDNR],[PKTNR],[KEN] FROM [G2_2] WHERE [ID] = 1 AND [IDOBJEKT]=11"
            " AND [LFDNR]=0 AND [KEN] ='D' ORDER BY [IDOBJEKT],[LFDNR],[PKTNR]"},
    SqlCase{"ThreeKeysKeepTheirBlanks", threeKeys(), "PX", {},
            "SELECT [PX],[ID],[KEN],[K2],[K3] FROM [G2_2] WHERE [ID] = 1 AND [KEN] ='D' AND [K2] ='b'  AND [K3] ='c'"},
    SqlCase{"QuoteInKeyIsDoubled", g22(QStringLiteral("Messung 5'")), "PX", {},
            "SELECT [PX],[ID],[KEN] FROM [G2_2] WHERE [ID] = 1 AND [KEN] ='Messung 5'''"},
    SqlCase{"SingleWithDecimalPoint", g22(), "PX", {I1, Value(2.5f)},
            "SELECT [PX],[ID],[IDOBJEKT],[KEN] FROM [G2_2] WHERE [ID] = 1 AND [IDOBJEKT]=2.5 AND [KEN] ='D' ORDER BY [IDOBJEKT]"},
    SqlCase{"SmallDoubleWithoutExponent", g22(), "PX", {I1, Value(0.00001)},
            "SELECT [PX],[ID],[IDOBJEKT],[KEN] FROM [G2_2] WHERE [ID] = 1 AND [IDOBJEKT]=0.00001 AND [KEN] ='D' ORDER BY [IDOBJEKT]"},
    SqlCase{"NegativeLongAndTextUnquoted", g22(), "PX", {I1, Value(int32_t(-3)), I2, Value("12")},
            "SELECT [PX],[ID],[IDOBJEKT],[LFDNR],[KEN] FROM [G2_2] WHERE [ID] = 1 AND [IDOBJEKT]=-3 AND [LFDNR]=12"
            " AND [KEN] ='D' ORDER BY [IDOBJEKT],[LFDNR]"}),
    caseName);

class IndexSql : public DataFixture, public ::testing::WithParamInterface<SqlCase> {};

TEST_P(IndexSql, CountsTheDeepestNamedLevel)
{
    GetParam().binding.apply(*dat);
    EXPECT_EQ(dat->sqlINDEX(GetParam().idx), GetParam().expected);
}

Binding e3()
{
    Binding b;
    b.table = QStringLiteral("E3");
    return b;
}

Binding g22TwoKeys()
{
    Binding b = g22();
    b.keys[1] = QStringLiteral("K2"), b.values[1] = QStringLiteral("y");
    return b;
}

INSTANTIATE_TEST_SUITE_P(Cases, IndexSql, ::testing::Values(
    SqlCase{"FirstLevelIgnoresItsOwnValue", e3(), "", {"POLYNR", Value(int16_t(4))},
            "SELECT [POLYNR] FROM E3 WHERE [ID] = 7 ORDER BY [POLYNR]"},
    SqlCase{"SecondLevelFilteredByFirst", e3(), "", {"POLYNR", Value(int16_t(2)), "PKTNR"},
            "SELECT [PKTNR] FROM E3 WHERE [POLYNR]=2 AND [ID] = 7 ORDER BY [PKTNR]"},
    SqlCase{"FourthLevelWithKeysBeforeId", g22TwoKeys(), "",
            {I1, Value(int16_t(11)), I2, Value(int16_t(3)), I3, Value(1.5), "Z"},
            "SELECT [Z] FROM G2_2 WHERE [IDOBJEKT]=11 AND [LFDNR]=3 AND [PKTNR]=1.5 AND [KEN] ='D' AND [K2]='y'"
            " AND [ID] = 1 ORDER BY [Z]"},
    SqlCase{"KeyOpensTheClauseWithoutLevels", g22(QStringLiteral("O'Neil")), "", {I1},
            "SELECT [IDOBJEKT] FROM G2_2 WHERE [KEN] ='O''Neil' AND [ID] = 1 ORDER BY [IDOBJEKT]"},
    SqlCase{"NoIdColumn", presets(), "", {"MNR"}, "SELECT [MNR] FROM VELOR_VE2 WHERE [AKVK] ='a' ORDER BY [MNR]"}),
    caseName);

class LoeschenSql : public DataFixture, public ::testing::WithParamInterface<SqlCase> {};

TEST_P(LoeschenSql, SelectsByIdColumnAndThreePairs)
{
    GetParam().binding.apply(*dat);
    EXPECT_EQ(dat->sqlLOESCHEN(GetParam().idx), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, LoeschenSql, ::testing::Values(
    SqlCase{"FourthPairTakesNoPart", g22(), "",
            {I1, Value(int16_t(11)), I2, Value(int16_t(2)), I3, Value(int16_t(5)), "X", Value(int16_t(9))},
            "SELECT [ID],[ID],[IDOBJEKT],[LFDNR],[PKTNR],[KEN] FROM [G2_2] WHERE [ID] = 1 AND [IDOBJEKT]=11"
            " AND [LFDNR]=2 AND [PKTNR]=5 AND [KEN] ='D' ORDER BY [IDOBJEKT],[LFDNR],[PKTNR]"},
    SqlCase{"WholeRecord", e3(), "", {}, "SELECT [ID],[ID] FROM [E3] WHERE [ID] = 7"}),
    caseName);

}  // namespace
