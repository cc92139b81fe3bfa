#include "CaptureFixture.h"

namespace {

class PointGridTest : public CaptureFixture {
protected:
    void SetUp() override
    {
        CaptureFixture::SetUp();
        grid = new PointGrid(session(), model, &owner);
        grid->show();
    }

    // Rows of (group, polygon, X, Y); point numbers are left to the grid.
    void fill(const std::vector<std::array<QString, 4>>& rows)
    {
        vb::FlexGrid& g = *grid->msgFLX;
        g.setRows(static_cast<int>(rows.size()) + 1);
        for (size_t i = 0; i < rows.size(); ++i) {
            const int r = static_cast<int>(i) + 1;
            g.setTextMatrix(r, PointGrid::GRUPPE, rows[i][0]);
            g.setTextMatrix(r, PointGrid::POLYNR, rows[i][1]);
            g.setTextMatrix(r, PointGrid::X, rows[i][2]);
            g.setTextMatrix(r, PointGrid::Y, rows[i][3]);
        }
    }
    QStringList gridColumn(int col) const
    {
        QStringList out;
        for (int r = 1; r < grid->msgFLX->Rows(); ++r) out << grid->msgFLX->TextMatrix(r, col);
        return out;
    }
    QStringList heads() { return column("SELECT LFDNR || ':' || IFNULL(TXT, '') FROM G2_1 WHERE IDOBJEKT=11 AND KEN=3 ORDER BY LFDNR"); }
    QStringList points()
    {
        return column("SELECT LFDNR || '/' || PKTNR || ' ' || PX || ' ' || PY FROM G2_2 WHERE IDOBJEKT=11 AND KEN='D' "
                      "ORDER BY LFDNR, PKTNR");
    }

    CaptureModel model;
    PointGrid* grid = nullptr;
};

TEST_F(PointGridTest, StartsWithOneRowOfPolygonZeroPointZero)
{
    EXPECT_EQ(grid->msgFLX->Rows(), 2);
    EXPECT_EQ(gridColumn(PointGrid::POLYNR), QStringList({"0"}));
    EXPECT_EQ(gridColumn(PointGrid::PKTNR), QStringList({"0"}));
    EXPECT_EQ(grid->flx().ELSTTT().at(1), QStringLiteral("Polygonnummer (0:M)"));
    EXPECT_FALSE(grid->hasUnstoredPoints());
}

TEST_F(PointGridTest, NumbersCarryDownAndRestartWithANewPolygon)
{
    fill({{"A", "7", "1", "1"}, {"", "", "2", "2"}, {"", "3", "3", "3"}, {"", "", "4", "4"}, {"B", "", "5", "5"}});
    grid->PUNKTNUMMERN();
    EXPECT_EQ(gridColumn(PointGrid::GRUPPE), QStringList({"A", "A", "A", "A", "B"}));
    EXPECT_EQ(gridColumn(PointGrid::POLYNR), QStringList({"0", "0", "3", "3", "3"}));
    // A change of the group label alone does not restart the numbers shown.
    EXPECT_EQ(gridColumn(PointGrid::PKTNR), QStringList({"0", "1", "0", "1", "2"}));
}

TEST_F(PointGridTest, AGridOfTwoDataRowsIsNumberedToo)
{
    fill({{"", "0", "1", "1"}, {"", "", "", ""}});
    grid->PUNKTNUMMERN();
    EXPECT_EQ(gridColumn(PointGrid::POLYNR), QStringList({"0", "0"}));
    EXPECT_EQ(gridColumn(PointGrid::PKTNR), QStringList({"0", "1"}));
}

struct SplitCase {
    const char* name;
    std::vector<std::array<QString, 4>> rows;
    QStringList heads;
    QStringList points;
};

class Splitting : public PointGridTest, public ::testing::WithParamInterface<SplitCase> {};

TEST_P(Splitting, PolygonsAreRunsOfEqualNumberAndLabel)
{
    fill(GetParam().rows);
    ASSERT_TRUE(grid->store(11));
    EXPECT_EQ(heads(), GetParam().heads);
    EXPECT_EQ(points(), GetParam().points);
    EXPECT_TRUE(TestEnvironment::ui().messages.isEmpty());
}

INSTANTIATE_TEST_SUITE_P(
    PointGrid, Splitting,
    ::testing::Values(
        SplitCase{"TwoPolygons",
                  {{"S", "0", "1", "10"}, {"S", "0", "2", "20"}, {"S", "0", "3", "30"}, {"S", "1", "4", "40"}, {"S", "1", "5", "50"}},
                  {"0:S", "1:S"},
                  {"0/0 1 10", "0/1 2 20", "0/2 3 30", "1/0 4 40", "1/1 5 50"}},
        SplitCase{"LabelChangeStartsAPolygon",
                  {{"A", "0", "1", "1"}, {"A", "0", "2", "2"}, {"B", "0", "3", "3"}},
                  {"0:A", "1:B"},
                  {"0/0 1 1", "0/1 2 2", "1/0 3 3"}},
        SplitCase{"JumpingNumbersRunOnFromZero",
                  {{"", "0", "1", "1"}, {"", "5", "2", "2"}, {"", "5", "3", "3"}},
                  {"0:", "1:"},
                  {"0/0 1 1", "1/0 2 2", "1/1 3 3"}},
        SplitCase{"LastRowWithoutXIsNotStored",
                  {{"", "0", "1,5", "-2,25"}, {"", "0", "", "7"}},
                  {"0:"},
                  {"0/0 1.5 -2.25"}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(PointGridTest, OkReplacesTheDiagramsPolygonsAndLeavesOthers)
{
    exec("INSERT INTO G2_1 (ID, IDOBJEKT, LFDNR, KEN, TXT) VALUES (1, 11, 5, 3, 'alt'), (1, 12, 0, 3, 'anderes')");
    exec("INSERT INTO G2_2 (ID, IDOBJEKT, LFDNR, PKTNR, KEN, PX, PY) VALUES (1, 11, 5, 0, 'D', 9, 9), (1, 12, 0, 0, 'D', 8, 8)");
    fill({{"neu", "0", "1", "2"}});
    ASSERT_TRUE(grid->store(11));
    EXPECT_EQ(heads(), QStringList({"0:neu"}));
    EXPECT_EQ(points(), QStringList({"0/0 1 2"}));
    EXPECT_EQ(column("SELECT COUNT(*) FROM G2_2 WHERE IDOBJEKT=12"), QStringList({"1"}));
}

// A cell that is not a number in the session's format is refused with one message naming
// its row, and nothing is written: not its "leading numeric part, or 0".
TEST_F(PointGridTest, NonNumbersAreRefusedAndNothingIsStored)
{
    exec("INSERT INTO G2_1 (ID, IDOBJEKT, LFDNR, KEN, TXT) VALUES (1, 11, 0, 3, 'alt')");
    for (const QString bad : {QStringLiteral("1.5"), QStringLiteral("abc"), QString()}) {
        TestEnvironment::ui().clear();
        fill({{"", "0", "1", "1"}, {"", "0", bad, "2"}, {"", "0", "3", "3"}});
        EXPECT_FALSE(grid->store(11)) << bad.toStdString();
        ASSERT_EQ(TestEnvironment::ui().messages.size(), 1);
        EXPECT_TRUE(messageTexts().at(0).startsWith(QStringLiteral("Eingegeber Wert ist kein gültiges Zahlenformat!")));
        EXPECT_TRUE(messageTexts().at(0).contains(QStringLiteral("Zeile 2")));
        EXPECT_EQ(heads(), QStringList({"0:alt"}));
    }
}

// A number beyond what its column can hold gets the range message in every number column:
// infinity would be stored without a word.
TEST_F(PointGridTest, NumbersBeyondTheColumnsRangeGetTheRangeMessage)
{
    for (int col : {PointGrid::POLYNR, PointGrid::X, PointGrid::Y}) {
        TestEnvironment::ui().clear();
        grid->msgFLX->setRow(1);
        grid->msgFLX->setCol(col);
        grid->msgFLX_DblClick();
        grid->txtFLX->setText(QStringLiteral("1E40"));
        grid->txtFLX_KeyPress(13);
        ASSERT_EQ(TestEnvironment::ui().messages.size(), 1) << col;
        EXPECT_TRUE(messageTexts().at(0).startsWith(QStringLiteral("Zahlenwert außerhalb der vorgegeben Schranken:")));
        EXPECT_EQ(model.pointCount(), 0);
        grid->txtFLX->clear();
        grid->txtFLX_KeyPress(13);
    }
}

TEST_F(PointGridTest, AFailingWriteRollsBackEverything)
{
    exec("INSERT INTO G2_1 (ID, IDOBJEKT, LFDNR, KEN, TXT) VALUES (1, 11, 0, 3, 'alt')");
    exec("INSERT INTO G2_2 (ID, IDOBJEKT, LFDNR, PKTNR, KEN, PX, PY) VALUES (1, 11, 0, 0, 'D', 9, 9)");
    exec("CREATE TRIGGER full BEFORE INSERT ON G2_2 WHEN NEW.PKTNR = 2 BEGIN SELECT RAISE(ABORT, 'disk full'); END");
    fill({{"neu", "0", "1", "1"}, {"neu", "0", "2", "2"}, {"neu", "0", "3", "3"}});
    EXPECT_FALSE(grid->store(11));
    EXPECT_EQ(TestEnvironment::ui().messages.size(), 1);
    EXPECT_EQ(heads(), QStringList({"0:alt"}));
    EXPECT_EQ(points(), QStringList({"0/0 9 9"}));
    EXPECT_EQ(grid->msgFLX->Rows(), 5);
    EXPECT_TRUE(grid->hasUnstoredPoints());
}

TEST_F(PointGridTest, APolygonBeyondSixteenBitPointNumbersIsRefused)
{
    vb::FlexGrid& g = *grid->msgFLX;
    g.setRows(32770);
    for (int r = 1; r < g.Rows(); ++r) {
        g.setTextMatrix(r, PointGrid::POLYNR, QStringLiteral("0"));
        g.setTextMatrix(r, PointGrid::X, QStringLiteral("1"));
        g.setTextMatrix(r, PointGrid::Y, QStringLiteral("1"));
    }
    EXPECT_FALSE(grid->store(11));
    ASSERT_EQ(TestEnvironment::ui().messages.size(), 1);
    EXPECT_TRUE(messageTexts().at(0).contains(QStringLiteral("Zeile 32769")));
    EXPECT_EQ(points(), QStringList());
}

}  // namespace
