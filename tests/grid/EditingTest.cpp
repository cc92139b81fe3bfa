// In-place editors, validation, appending by Enter, row commands, clipboard and drag-fill.
#include "GridFixture.h"

#include "data/SessionContext.h"
#include "platform/vb/VbLocale.h"

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

    struct Rejection {
        int col;
        QString value;
        QString text;
        QString title;
    };
    // Commits a refused value in row 1: one warning, the editor stays open and the cell keeps
    // its text; the emptied editor then always passes.
    void expectRejected(const Rejection& c)
    {
        TestEnvironment::ui().clear();
        put(1, c.col, "alt");
        commit(1, c.col, c.value);
        ASSERT_EQ(messageTexts(), QStringList{c.text}) << c.value.toStdString();
        EXPECT_EQ(messages()[0].title, c.title);
        EXPECT_EQ(messages()[0].buttons, vb::vbOKOnly | vb::vbExclamation);
        EXPECT_FALSE(txt->isHidden());
        EXPECT_EQ(at(1, c.col), "alt");
        txt->clear();
        flx.EINFUEGEN(0);
        EXPECT_TRUE(txt->isHidden());
        EXPECT_EQ(at(1, c.col), "");
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
    const Rejection rejected[] = {
        {0, "12", "Zahlenwert außerhalb der vorgegeben Schranken:\r\nMinimum: 1, Maximum: 10", "MSFlexGrid / Indexspalte Nr"},
        {0, "2,5", "Eingegeber Wert ist keine ganze Zahl!", "MSFlexGrid / Indexspalte Nr"},
        {2, "abc", "Eingegeber Wert ist kein gültiges Zahlenformat!", "MSFlexGrid / Spalte Wert"},
        {2, "-1", "Zahlenwert außerhalb der vorgegeben Schranken:\r\nMinimum: 0, Maximum: 5", "MSFlexGrid / Spalte Wert"},
        // Too large for any check: the range message, not an overflow error.
        {2, "1e40", "Zahlenwert außerhalb der vorgegeben Schranken:\r\nMinimum: 0, Maximum: 5", "MSFlexGrid / Spalte Wert"},
        {0, "12345678901234567890123456789012345678901234", "Zahlenwert außerhalb der vorgegeben Schranken:\r\nMinimum: 1, Maximum: 10",
         "MSFlexGrid / Indexspalte Nr"},
        {3, "31.02.2003", "Eingegeber Wert ist kein gültiges Datums- oder Zeitformat!", "MSFlexGrid / Datumsspalte Datum"},
        {4, "25:70", "Eingegeber Wert ist kein gültiges Datums- oder Zeitformat!", "MSFlexGrid / Uhrzeitspalte Zeit"},
    };
    for (const Rejection& c : rejected) expectRejected(c);

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

    // Cells right of the last column are not pasted.
    QApplication::clipboard()->setText("a\tb\tc\r\n");
    current(3, 5);
    flx.EINFUEGEN(-1);
    EXPECT_EQ(at(3, 5), "a");
    EXPECT_EQ(at(3, 6), "b");
    EXPECT_EQ(grid->Cols(), 7);
}

TEST_F(Editing, NumericColumnsCheckTheNumberFormatWithOrWithoutLimits)
{
    // No limits anywhere; the value column is numeric by its number format, the index column by its type.
    flx.ELMIN(std::vector<std::optional<float>>(7));
    flx.ELMAX(std::vector<std::optional<float>>(7));
    flx.ELFORMAT({"", "", "0.000", "", "", "", ""});
    const Rejection rejected[] = {
        {2, "1.5", "Eingegeber Wert ist kein gültiges Zahlenformat!", "MSFlexGrid / Spalte Wert"},  // the other notation
        {2, "1,5x", "Eingegeber Wert ist kein gültiges Zahlenformat!", "MSFlexGrid / Spalte Wert"},
        {0, "eins", "Eingegeber Wert ist kein gültiges Zahlenformat!", "MSFlexGrid / Indexspalte Nr"},
        {0, "2,5", "Eingegeber Wert ist keine ganze Zahl!", "MSFlexGrid / Indexspalte Nr"},
    };
    for (const Rejection& c : rejected) expectRejected(c);
    TestEnvironment::ui().clear();
    commit(1, 2, "1,5");
    commit(1, 0, "4");
    EXPECT_EQ(at(1, 2), "1,500");
    EXPECT_EQ(at(1, 0), "4");

    // An English session reads the point and refuses the comma.
    vb::VbLocale::setDecimalSeparator(QLatin1Char('.'));
    commit(2, 2, "2.5");
    commit(3, 2, "3,5");
    vb::VbLocale::setDecimalSeparator(QLatin1Char(','));
    EXPECT_EQ(messageTexts(), QStringList{"Eingegeber Wert ist kein gültiges Zahlenformat!"});
    EXPECT_EQ(at(2, 2), "2.500");
    txt->clear();
    flx.EINFUEGEN(0);

    // Without a number format or limits a column holds free text, such as a group label.
    TestEnvironment::ui().clear();
    flx.ELFORMAT(std::vector<QString>(7));
    commit(1, 2, "Gruppe 1.5");
    EXPECT_TRUE(messages().isEmpty());
    EXPECT_EQ(at(1, 2), "Gruppe 1.5");
}

TEST_F(Editing, PastedValuesPassTheColumnChecksAndRowsBeyondTheEndAreAppended)
{
    vb::FlexGrid second(&window);
    flx.EFLXK().EFLX(&second);
    flx.EFLXK().ELSB({10, 10});
    flx.EFLXK().ELSTYP({1, 0});
    flx.ELFORMAT({"", "", "0.0", "", "", "", ""});
    const auto paste = [&](int row, int col, const QString& text) {
        TestEnvironment::ui().clear();
        QApplication::clipboard()->setText(text);
        current(row, col);
        flx.EINFUEGEN(-1);
    };

    // One refused value (text in the date column, a number out of range) pastes nothing.
    paste(1, 2, "3\t01.05.10\n4\tkein Datum\n");
    ASSERT_EQ(messageTexts(), QStringList{"Eingegeber Wert ist kein gültiges Datums- oder Zeitformat!"});
    EXPECT_EQ(messages()[0].title, "MSFlexGrid / Datumsspalte Datum");
    paste(1, 2, "3\t01.05.10\n9\t02.05.10\n");
    EXPECT_EQ(messageTexts(), QStringList{"Zahlenwert außerhalb der vorgegeben Schranken:\r\nMinimum: 0, Maximum: 5"});
    EXPECT_EQ(column(2), (QStringList{"", "", ""}));
    EXPECT_EQ(column(3), (QStringList{"", "", ""}));

    // Accepted values take the column's format; rows beyond the end are appended, on the
    // coupled grid too, and numbered.
    paste(2, 2, "1\t01.05.10\r\n2\t02.05.10\r\n3\t03.05.10\r\n4\t04.05.10\r\n");
    EXPECT_TRUE(messages().isEmpty()) << messageTexts().join('|').toStdString();
    EXPECT_EQ(column(2), (QStringList{"", "1,0", "2,0", "3,0", "4,0"}));
    EXPECT_EQ(column(3), (QStringList{"", "01.05.10", "02.05.10", "03.05.10", "04.05.10"}));
    EXPECT_EQ(column(0), (QStringList{"0", "1", "2", "3", "4"}));
    EXPECT_EQ(second.Rows(), 4);  // its own data row and the two appended
    EXPECT_EQ(second.TextMatrix(3, 0), "2");

    // Without appending, what fits is pasted and one message counts the rows left out.
    flx.EBOH(false);
    paste(5, 2, "5\t05.05.10\n6\t06.05.10\n7\t07.05.10\n");
    ASSERT_EQ(messageTexts(), QStringList{"2 Zeilen der Zwischenablage wurden nicht eingefügt, da die Tabelle keine weiteren "
                                          "Zeilen aufnimmt!"});
    EXPECT_EQ(messages()[0].title, "MSFlexGrid / Einfügen");
    EXPECT_EQ(messages()[0].buttons, vb::vbOKOnly | vb::vbExclamation);
    EXPECT_EQ(grid->Rows(), 6);
    EXPECT_EQ(at(5, 2), "5,0");
    paste(4, 2, "1\n2\n3\n");
    EXPECT_EQ(messageTexts(), QStringList{"1 Zeile der Zwischenablage wurde nicht eingefügt, da die Tabelle keine weiteren "
                                          "Zeilen aufnimmt!"});

    // The English session hears it in English.
    SessionContext english;
    english.setLanguage(1);
    clsFLX flxEnglish(&english);
    vb::FlexGrid third(&window);
    flxEnglish.EFLX(&third);
    flxEnglish.EBOH(false);
    QApplication::clipboard()->setText("1\n2\n3\n");
    TestEnvironment::ui().clear();
    flxEnglish.EINFUEGEN(-1);
    EXPECT_EQ(messageTexts(), QStringList{"2 rows of the clipboard were not pasted because the table takes no further rows!"});
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
