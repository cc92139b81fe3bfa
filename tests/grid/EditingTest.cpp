// In-place editors, validation, appending by Enter, row commands, clipboard and drag-fill.
#include "GridFixture.h"

#include <QApplication>
#include <QClipboard>

namespace {

class Editing : public GridFixture {
protected:
    void SetUp() override
    {
        GridFixture::SetUp();
        describeMeasurementGrid();
        flx.ELMIN({1.0f, {}, 0.0f, {}, {}, {}, {}});
        flx.ELMAX({10.0f, {}, 5.0f, {}, {}, {}, {}});
        setRows(3);
        flx.NUMMERIEREN();
        TestEnvironment::ui().clear();
    }

    void current(int row, int col)
    {
        grid->setRow(row);
        grid->setCol(col);
    }

    // Opens the text editor on a cell, types the value and commits with Enter.
    void commit(int row, int col, const QString& value)
    {
        current(row, col);
        flx.BEARBEITEN(0);
        txt->setText(value);
        flx.EINFUEGEN(13);
    }
};

}  // namespace

TEST_F(Editing, EditorsLieExactlyOverTheCellAndStartWithTheTypedCharacter)
{
    put(2, 5, "3,5");
    current(2, 5);
    flx.BEARBEITEN('7');
    ASSERT_FALSE(txt->isHidden());
    EXPECT_EQ(txt->text(), "7");
    EXPECT_EQ(txt->geometry(), grid->cellRect(2, 5).translated(grid->pos()));
    EXPECT_EQ(txt->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignRight);  // the cell held a number
    EXPECT_EQ(flx.EZNR(), 2);
    EXPECT_EQ(flx.ESNR(), 5);
    EXPECT_EQ(txt->font(), grid->font());
    flx.EINFUEGEN(13);
    EXPECT_TRUE(txt->isHidden());
    EXPECT_EQ(at(2, 5), "7");

    // Code 0 shows the cell's text, all selected.
    current(1, 3);
    put(1, 3, "01.05.10");
    flx.BEARBEITEN(0);
    EXPECT_EQ(txt->text(), "01.05.10");
    EXPECT_EQ(txt->selectedText(), "01.05.10");
    EXPECT_EQ(txt->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignLeft);
    flx.EINFUEGEN(0);

    // A list column opens the combo box with its items, the character after the cell's text.
    put(3, 6, "A");
    current(3, 6);
    flx.BEARBEITEN('7');
    EXPECT_TRUE(txt->isHidden());
    ASSERT_FALSE(cbo->isHidden());
    EXPECT_EQ(cbo->currentText(), "A7");
    EXPECT_EQ(cbo->count(), 2);
    const QRect cell = grid->cellRect(3, 6).translated(grid->pos());
    EXPECT_EQ(cbo->geometry().topLeft(), cell.topLeft());
    EXPECT_EQ(cbo->width(), cell.width());
    flx.EINFUEGEN(13);
    EXPECT_EQ(at(3, 6), "A7");
    EXPECT_TRUE(cbo->isHidden());
}

TEST_F(Editing, ValidationMessagesKeepTheEditorOpen)
{
    struct Case {
        int col;
        QString value;
        QString text;
        QString title;
    };
    const Case rejected[] = {
        {0, "12", "Zahlenwert außerhalb der vorgegeben Schranken:\r\nMinimum: 1, Maximum: 10", "MSFlexGrid / Indexspalte Nr"},
        {0, "2,5", "Eingegeber Wert ist keine ganze Zahl!", "MSFlexGrid / Indexspalte Nr"},
        {2, "abc", "Eingegeber Wert ist kein gültiges Zahlenformat!", "MSFlexGrid / Spalte Wert"},
        {2, "-1", "Zahlenwert außerhalb der vorgegeben Schranken:\r\nMinimum: 0, Maximum: 5", "MSFlexGrid / Spalte Wert"},
        {3, "31.02.2003", "Eingegeber Wert ist kein gültiges Datums- oder Zeitformat!", "MSFlexGrid / Datumsspalte Datum"},
        {4, "25:70", "Eingegeber Wert ist kein gültiges Datums- oder Zeitformat!", "MSFlexGrid / Uhrzeitspalte Zeit"},
    };
    for (const Case& c : rejected) {
        TestEnvironment::ui().clear();
        put(1, c.col, "alt");
        commit(1, c.col, c.value);
        ASSERT_EQ(messages().size(), 1) << c.value.toStdString();
        EXPECT_EQ(messages()[0].text, c.text);
        EXPECT_EQ(messages()[0].title, c.title);
        EXPECT_EQ(messages()[0].buttons, vb::vbOKOnly | vb::vbExclamation);
        EXPECT_FALSE(txt->isHidden());
        EXPECT_EQ(at(1, c.col), "alt");
        txt->clear();
        flx.EINFUEGEN(0);  // an empty value always passes
        EXPECT_TRUE(txt->isHidden());
        EXPECT_EQ(at(1, c.col), "");
    }

    TestEnvironment::ui().clear();
    commit(1, 3, "28.02.2003");
    commit(1, 4, "10:30");
    commit(2, 0, " 7 ");
    // Without limits (or equal ones) anything goes, numeric or not.
    flx.ELMIN({1.0f, {}, 3.0f, {}, {}, {}, {}});
    flx.ELMAX({10.0f, {}, 3.0f, {}, {}, {}, {}});
    commit(2, 2, "abc");
    commit(2, 5, "xyz");
    EXPECT_TRUE(messages().isEmpty()) << messageTexts().join('|').toStdString();
    EXPECT_EQ(at(1, 3), "28.02.2003");
    EXPECT_EQ(at(2, 2), "abc");
}

TEST_F(Editing, CommittedValuesTakeTheColumnFormat)
{
    flx.ELFORMAT({"", "", "0.000", "", "", "", ""});
    commit(1, 2, "2,5");
    EXPECT_EQ(at(1, 2), "2,500");
    commit(1, 2, "");
    EXPECT_EQ(at(1, 2), "");
}

TEST_F(Editing, EnterOnTheLastCellAppendsARowWhenAllowed)
{
    current(3, 6);
    flx.BEARBEITEN(13);
    EXPECT_EQ(grid->Rows(), 5);
    EXPECT_EQ(grid->Row(), 4);
    EXPECT_EQ(grid->Col(), grid->FixedCols());
    // Numbered: level 2 runs from 0 to 0 by default, so level 1 counts the rows.
    EXPECT_EQ(at(4, 0), "3");
    EXPECT_EQ(at(4, 1), "0");

    current(2, 6);  // not the last row
    flx.BEARBEITEN(13);
    EXPECT_EQ(grid->Rows(), 5);

    flx.EBOH(false);
    current(4, 6);
    flx.BEARBEITEN(13);
    EXPECT_EQ(grid->Rows(), 5);
}

TEST_F(Editing, RemovingTheLastRowLeavesTheEmptyStateAndInsertingRevivesIt)
{
    put(2, 2, "zwei");
    current(2, 2);
    flx.ZEILEEINFUEGEN();
    EXPECT_EQ(grid->Rows(), 5);
    EXPECT_EQ(at(2, 2), "");
    EXPECT_EQ(at(3, 2), "zwei");
    EXPECT_EQ(column(0), (QStringList{"0", "1", "2", "3"}));

    for (int i = 0; i < 3; ++i) flx.ZEILEENTFERNEN();
    EXPECT_EQ(grid->Rows(), 2);
    EXPECT_TRUE(grid->isEnabled());
    put(1, 2, "x");
    flx.ZEILEENTFERNEN();
    EXPECT_EQ(grid->Rows(), 2);
    EXPECT_FALSE(grid->isEnabled());
    EXPECT_EQ(at(1, 2), "");
    EXPECT_EQ(at(1, 0), "");
    EXPECT_EQ(grid->BackColor(), grid->BackColorFixed());

    flx.ZEILEEINFUEGEN();
    EXPECT_EQ(grid->Rows(), 2);  // no row added: the empty row is used again
    EXPECT_TRUE(grid->isEnabled());
    EXPECT_EQ(grid->BackColor(), grid->palette().color(QPalette::Base));
    EXPECT_EQ(at(1, 0), "0");
    EXPECT_TRUE(messages().isEmpty());
}

TEST_F(Editing, RowCommandsAreRepeatedOnTheCoupledGrid)
{
    vb::FlexGrid second(&window);
    flx.EFLXK().EFLX(&second);
    flx.EFLXK().ELSB({10, 10});
    flx.EFLXK().ELSTYP({1, 0});
    current(3, 6);
    flx.BEARBEITEN(13);
    EXPECT_EQ(second.Rows(), 3);
    EXPECT_EQ(second.TextMatrix(2, 0), "1");
    second.setRow(1);
    flx.ZEILEENTFERNEN();
    EXPECT_EQ(second.Rows(), 2);
    flx.ZEILEENTFERNEN();
    flx.ZEILEENTFERNEN();
    flx.ZEILEENTFERNEN();
    EXPECT_FALSE(second.isEnabled());
    flx.ZEILEEINFUEGEN();
    EXPECT_TRUE(second.isEnabled());
}

TEST_F(Editing, ClipboardRoundTripKeepsTheBlock)
{
    put(1, 2, "1");
    put(1, 3, "01.05.10");
    put(2, 2, "2");
    put(2, 3, "");
    current(1, 2);
    grid->setRowSel(2);
    grid->setColSel(3);
    flx.BEARBEITEN(-1);
    EXPECT_EQ(QApplication::clipboard()->text(), "1\t01.05.10\n2\t");

    current(2, 5);
    flx.EINFUEGEN(-1);
    EXPECT_EQ(at(2, 5), "1");
    EXPECT_EQ(at(2, 6), "01.05.10");
    EXPECT_EQ(at(3, 5), "2");
    EXPECT_EQ(at(3, 6), "");

    // What does not fit is dropped, never written past the grid.
    QApplication::clipboard()->setText("a\tb\tc\r\nd\te\tf\r\ng\th\ti\r\n");
    current(3, 5);
    flx.EINFUEGEN(-1);
    EXPECT_EQ(at(3, 5), "a");
    EXPECT_EQ(at(3, 6), "b");
    EXPECT_EQ(grid->Rows(), 4);
}

TEST_F(Editing, DragFillArmsOnlyInTheRightFifteenPercent)
{
    put(1, 2, "4");
    current(1, 2);
    const float left = grid->CellLeft(), width = grid->CellWidth();
    flx.BEARBEITEN(-2, left + 0.5f * width);
    EXPECT_EQ(grid->MousePointer(), vb::Pointer::Default);
    flx.BEARBEITEN(-2, left + width);  // the right edge itself is outside
    EXPECT_EQ(grid->MousePointer(), vb::Pointer::Default);
    flx.BEARBEITEN(-2, left + 0.9f * width);
    EXPECT_EQ(grid->MousePointer(), vb::Pointer::Cross);

    grid->setRowSel(3);
    grid->setColSel(3);
    flx.EINFUEGEN(-2);
    EXPECT_EQ(grid->MousePointer(), vb::Pointer::Default);
    EXPECT_EQ(column(2), (QStringList{"4", "4", "4"}));
    EXPECT_EQ(column(3), (QStringList{"4", "4", "4"}));

    // A selection ending above or left of the current cell fills nothing.
    put(3, 4, "9");
    current(3, 4);
    flx.BEARBEITEN(-2, grid->CellLeft() + 0.9f * grid->CellWidth());
    grid->setRowSel(1);
    grid->setColSel(2);
    flx.EINFUEGEN(-2);
    EXPECT_EQ(column(4), (QStringList{"", "", "9"}));
    EXPECT_EQ(column(2), (QStringList{"4", "4", "4"}));

    // Unarmed, mouse up changes nothing.
    grid->setRowSel(3);
    flx.EINFUEGEN(-2);
    EXPECT_EQ(column(4), (QStringList{"", "", "9"}));
}
