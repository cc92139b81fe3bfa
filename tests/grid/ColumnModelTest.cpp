// The column description and what it does to the grid: defaults, fixed columns, numbering,
// refresh with formats and elapsed times, fonts, tooltips and the header overlay.
#include "GridFixture.h"

#include "platform/surface/OutputSurface.h"

#include <QImage>

TEST_F(GridFixture, GridAndWidthsStartFromTheDefaultDescription)
{
    // A grid handed over with six columns keeps them at 15 mm and one empty data row.
    EXPECT_EQ(grid->Cols(), 2);
    EXPECT_EQ(grid->Rows(), 2);
    EXPECT_EQ(flx.EDET(), -1);

    grid->setCols(6);
    flx.ELSB({10, 20, 30, 40});
    EXPECT_EQ(grid->Cols(), 4);
    EXPECT_EQ(grid->ColWidth(1), 1134);  // 20 mm
    EXPECT_EQ(flx.ELST1(), (std::vector<QString>{"I1", "I2", "I3", "I4"}));
    EXPECT_EQ(flx.ELSTTT(), (std::vector<QString>{"SpaltenNr.1", "SpaltenNr.2", "SpaltenNr.3", "SpaltenNr.4"}));
    EXPECT_EQ(flx.ELSTYP(), (std::vector<int16_t>(4, 0)));
    EXPECT_EQ(flx.ELA(), (std::vector<int16_t>(4, 2)));
    EXPECT_EQ(at(0, 3), "I4");
    EXPECT_EQ(grid->ColAlignment(2), Qt::AlignRight | Qt::AlignVCenter);
    EXPECT_TRUE(flx.EBOH());

    // A later ELSB forgets the earlier description.
    flx.ELFORMAT({"0.00", "", "", ""});
    flx.ELMIN({1.0f, {}, {}, {}});
    flx.ELSB({10, 20});
    EXPECT_EQ(flx.ELFORMAT(), (std::vector<QString>{"", ""}));
    EXPECT_FALSE(flx.ELMIN()[0].has_value());
}

TEST_F(GridFixture, FixedColumnsFollowTheConsecutiveIndexLevels)
{
    flx.ELSB({10, 10, 10, 10});
    const std::pair<std::vector<int16_t>, int> cases[] = {
        {{1, 2, 0, 0}, 2}, {{0, 2, 0, 0}, 0}, {{1, 0, 3, 0}, 1}, {{1, 2, 3, 0}, 3}, {{0, 0, 0, 0}, 0}};
    for (const auto& [types, fixed] : cases) {
        flx.ELSTYP(types);
        EXPECT_EQ(grid->FixedCols(), fixed);
    }
    // Of several columns of one type the rightmost counts.
    flx.ELSTYP({4, 0, 4, 0});
    EXPECT_EQ(flx.specialColumn(4), 2);
    EXPECT_EQ(flx.specialColumn(5), -1);
}

TEST_F(GridFixture, IndexColumnsCountLikeAnOdometer)
{
    flx.ELSB({10, 10, 10, 10});
    flx.ELSTYP({1, 2, 0, 0});
    setRows(5);
    flx.ELINDEXMIN({1, 1});
    flx.ELINDEXMAX({3});
    EXPECT_EQ(column(0), (QStringList{"1", "1", "1", "2", "2"}));
    EXPECT_EQ(column(1), (QStringList{"1", "2", "3", "1", "2"}));

    flx.ELSTYP({1, 2, 3, 0});
    setRows(6);
    flx.ELINDEXMIN({5, 0, 1});
    flx.ELINDEXMAX({1, 2});
    EXPECT_EQ(column(0), (QStringList{"5", "5", "5", "5", "6", "6"}));
    EXPECT_EQ(column(1), (QStringList{"0", "0", "1", "1", "0", "0"}));
    EXPECT_EQ(column(2), (QStringList{"1", "2", "1", "2", "1", "2"}));

    // One level counts on without limit; no level-1 column leaves the cells alone.
    flx.ELSTYP({1, 0, 0, 0});
    flx.ELINDEXMIN({});
    EXPECT_EQ(column(0), (QStringList{"0", "1", "2", "3", "4", "5"}));
    flx.ELSTYP({0, 2, 0, 0});
    put(1, 1, "x");
    flx.NUMMERIEREN();
    EXPECT_EQ(at(1, 1), "x");
}

TEST_F(GridFixture, RefreshFormatsCellsAndComputesElapsedTimes)
{
    describeMeasurementGrid();
    flx.ELFORMAT({"", "", "0.00", "", "", "", ""});
    setRows(4);
    const char* stamps[][3] = {{"1,5", "01.05.10", "10:00"}, {"", "02.05.10", "10:30"}, {"2", "02.05.10", "11:00"}, {"3", "", ""}};
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 3; ++c) put(r + 1, c + 2, stamps[r][c]);
    put(4, 5, "alt");
    flx.AKTUALISIEREN();
    EXPECT_EQ(column(2), (QStringList{"1,50", "", "2,00", "3,00"}));
    // Minutes since the row above; a row without stamps keeps its cell.
    EXPECT_EQ(column(5), (QStringList{"0", "1470", "30", "alt"}));

    flx.EDET(0);  // from the first data row
    flx.ELFORMAT({"", "", "", "", "", "0.0", ""});
    flx.AKTUALISIEREN();
    EXPECT_EQ(at(3, 5), "1500,0");

    // Date only: whole days.
    flx.ELSTYP({1, 2, 0, 4, 0, 6, 7});
    flx.EDET(-1);
    flx.ELFORMAT(std::vector<QString>(7));
    flx.AKTUALISIEREN();
    EXPECT_EQ(column(5).mid(0, 3), (QStringList{"0", "1", "0"}));
}

TEST_F(GridFixture, ElapsedTimeWithAGroupColumnMeasuresFromThePreviousGroup)
{
    describeMeasurementGrid();
    setRows(5);
    const char* rows[][3] = {{"A", "01.05.10", "10:00"}, {"A", "01.05.10", "10:10"}, {"B", "01.05.10", "10:20"},
                             {"B", "01.05.10", "10:50"}, {"B", "01.05.10", "11:00"}};
    for (int r = 0; r < 5; ++r) {
        put(r + 1, 2, rows[r][0]);
        put(r + 1, 3, rows[r][1]);
        put(r + 1, 4, rows[r][2]);
    }
    flx.EDET(2);
    flx.AKTUALISIEREN();
    // Row 2 is still in group A (measured from row 1); rows of group B from A's last row.
    EXPECT_EQ(column(5), (QStringList{"0", "10", "10", "40", "50"}));
}

TEST_F(GridFixture, FontsReachGridEditorsAndHeaderFonts)
{
    flx.SCHRIFTEINSTELLUNGEN("", 0, true, false, true, 0);
    EXPECT_EQ(grid->font().family(), "Arial");
    EXPECT_EQ(grid->font().pointSizeF(), 11.0);
    EXPECT_TRUE(txt->font().bold());
    EXPECT_TRUE(cbo->font().italic());
    EXPECT_EQ(grid->ForeColor(), QColor(Qt::black));
    EXPECT_EQ(flx.headerFont(3).Name, "Symbol");
    EXPECT_EQ(flx.headerFont(4).Size, 9.0);  // 11 / 1.175 = 9.4
    EXPECT_EQ(flx.headerFont(5).Size, 9.0);
    EXPECT_EQ(flx.headerFont(2).Name, "Arial");
    flx.SCHRIFTEINSTELLUNGEN("Arial", 10, false, false, false, 255);
    EXPECT_EQ(grid->ForeColor(), QColor(255, 0, 0));
}

TEST_F(GridFixture, TooltipNamesTheColumnUnderThePointer)
{
    flx.ELSB({10, 20, 30});
    flx.ELSTTT({"erste", "zweite", "dritte"});
    flx.TOOLTIP(700);  // the first column ends at 567 twips
    EXPECT_EQ(grid->ToolTipText(), "zweite");
    EXPECT_EQ(pic->ToolTipText(), "zweite");
    flx.TOOLTIP(100);
    EXPECT_EQ(grid->ToolTipText(), "erste");
    flx.TOOLTIP(60 * 56.7f + 1);
    EXPECT_EQ(grid->ToolTipText(), "");
    EXPECT_EQ(pic->ToolTipText(), "");
}

TEST_F(GridFixture, PropertyErrorsAreReportedUnderTheirTitles)
{
    flx.ELSB({10, 10});
    TestEnvironment::ui().clear();
    flx.ELST1({"a", "b", "c"});  // one text more than columns
    ASSERT_EQ(messages().size(), 1);
    EXPECT_EQ(messages()[0].title, "MSFlexGrid / LST1");
    EXPECT_EQ(messages()[0].text, "VB-Error: 9\r\nSubscript out of range");
    EXPECT_EQ(messages()[0].buttons, vb::vbOKCancel | vb::vbExclamation);
    EXPECT_EQ(at(0, 1), "b");

    TestEnvironment::ui().clear();
    flx.ELSTYP({1, 2});  // every column an index column leaves nothing to scroll
    ASSERT_EQ(messages().size(), 1);
    EXPECT_EQ(messages()[0].title, "LSTYP - FlexGrid");
}

TEST_F(GridFixture, HeaderOverlayCoversTheHeaderRowAndShowsBothLines)
{
    describeMeasurementGrid();
    flx.ELST1({"Nr", "Pkt", "m{h,2}", "Datum", "Zeit", "{g,D}t", "Art"});
    flx.ELST2({"", "", "[kg]", "", "", "[min]", ""});
    flx.BESCHRIFTEN();
    // All seven columns (129 mm) fit the 700-pixel grid: the overlay is as wide as they are.
    EXPECT_EQ(pic->width(), grid->toPixels(static_cast<int>(129 * 56.7)));
    EXPECT_EQ(pic->height(), grid->toPixels(grid->RowHeight(0)));
    EXPECT_EQ(pic->pos(), grid->pos() + QPoint(grid->toPixels(28), grid->toPixels(28)));
    const QImage image = pic->image();
    int inked = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) inked += qGray(image.pixel(x, y)) < 100;
    EXPECT_GT(inked, 50);

    // Too many columns for the grid: the overlay stops short of the scroll bar.
    flx.ELSB(std::vector<float>(20, 20.0f));
    setRows(200);
    flx.BESCHRIFTEN();
    EXPECT_EQ(pic->width(), grid->toPixels(static_cast<int>(grid->toTwips(grid->width()) - 311.85)));
}
