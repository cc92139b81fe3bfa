// The grid widget itself: fixed rows and columns stay while the rest scrolls, the selection's
// clip text, geometry in twips and the transfer members of the data layer working on it.
#include "GridFixture.h"

#include <QTest>

TEST_F(GridFixture, FixedRowsAndColumnsStayWhileTheRestScrolls)
{
    grid->setCols(30);
    grid->setRows(10001);
    grid->setFixedCols(2);
    grid->setTopRow(5000);
    grid->setLeftCol(10);
    EXPECT_EQ(grid->TopRow(), 5000);
    EXPECT_EQ(grid->LeftCol(), 10);
    EXPECT_TRUE(grid->RowIsVisible(0));
    EXPECT_TRUE(grid->ColIsVisible(1));
    EXPECT_FALSE(grid->RowIsVisible(1));
    EXPECT_FALSE(grid->ColIsVisible(5));
    EXPECT_TRUE(grid->RowIsVisible(5000));
    EXPECT_EQ(grid->cellRect(5000, 10).top(), grid->cellRect(0, 10).bottom() + 1);
    EXPECT_EQ(grid->cellRect(0, 10).left(), grid->cellRect(0, 1).right() + 1);
    EXPECT_TRUE(grid->cellRect(4999, 10).isNull());

    // The last page never scrolls past the end.
    grid->setTopRow(10000);
    EXPECT_TRUE(grid->RowIsVisible(10000));
    EXPECT_GT(grid->TopRow(), 9950);
}

TEST_F(GridFixture, MouseAndKeysMoveTheCurrentCellAndReportTwips)
{
    grid->setCols(5);
    grid->setRows(6);
    float downX = -1;
    QObject::connect(grid, &vb::FlexGrid::MouseDown, [&](int, int, float x, float) { downX = x; });
    QList<int> keys;
    QObject::connect(grid, &vb::FlexGrid::KeyPress, [&](int key) { keys << key; });

    const QRect cell = grid->cellRect(3, 2);
    QTest::mousePress(grid->viewport(), Qt::LeftButton, {}, cell.center() - grid->viewport()->pos());
    EXPECT_EQ(grid->Row(), 3);
    EXPECT_EQ(grid->Col(), 2);
    EXPECT_NEAR(downX, grid->toTwips(cell.center().x()), 15);  // the cell already current
    QTest::mouseRelease(grid->viewport(), Qt::LeftButton, {}, cell.center() - grid->viewport()->pos());

    QTest::keyClick(grid, Qt::Key_Down, Qt::ShiftModifier);
    QTest::keyClick(grid, Qt::Key_Right, Qt::ShiftModifier);
    EXPECT_EQ(grid->RowSel(), 4);
    EXPECT_EQ(grid->ColSel(), 3);
    EXPECT_EQ(grid->Row(), 3);
    QTest::keyClick(grid, Qt::Key_A);
    QTest::keyClick(grid, Qt::Key_Return);
    EXPECT_EQ(keys, (QList<int>{'a', 13}));
}

TEST_F(GridFixture, ClipTextOfASelectionInEitherDirection)
{
    grid->setCols(4);
    grid->setRows(4);
    for (int r = 1; r < 4; ++r)
        for (int c = 1; c < 4; ++c) put(r, c, QString("%1%2").arg(r).arg(c));
    grid->setRow(3);
    grid->setCol(3);
    grid->setRowSel(2);
    grid->setColSel(2);
    EXPECT_EQ(grid->Clip(), "22\t23\n32\t33");
    grid->setRow(1);  // setting the current row collapses the selection's rows
    EXPECT_EQ(grid->Clip(), "12\t13");
}
