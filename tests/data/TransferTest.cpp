// The transfer family by widget kind and variable type, its failure messages, and the grid
// and combo-list members. Real widgets, offscreen.
#include "DataFixture.h"

#include "platform/widgets/FlexGrid.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>
#include <QWidget>

using vb::Value;

namespace {

class Transfer : public DataFixture {
protected:
    void SetUp() override
    {
        DataFixture::SetUp();
        dat->ETABELLE(QStringLiteral("E2"));
    }
    QStringList e2(const char* col) { return column(QStringLiteral("SELECT %1 FROM E2 WHERE ID = 7").arg(col)); }
    const vb::ScriptedUi::Message& onlyMessage()
    {
        EXPECT_EQ(messages().size(), 1);
        return messages().last();
    }
};

// --- widgets -------------------------------------------------------------------------------

TEST_F(Transfer, CheckBoxStatesTravelAsZeroOneTwo)
{
    const std::pair<Qt::CheckState, const char*> states[] = {
        {Qt::Unchecked, "0"}, {Qt::Checked, "1"}, {Qt::PartiallyChecked, "2"}};
    for (const auto& [state, stored] : states) {
        QCheckBox in, out;
        in.setTristate(true);
        in.setCheckState(state);
        ASSERT_TRUE(dat->DFTC("LOGX", &in));
        EXPECT_EQ(e2("LOGX"), QStringList{stored});
        ASSERT_TRUE(dat->DTFCV("LOGX", &out));
        EXPECT_EQ(out.checkState(), state);
    }
    exec("UPDATE E2 SET LOGX = 3");
    QCheckBox chk;
    EXPECT_FALSE(dat->DTFC("LOGX", &chk));  // no such check state
    EXPECT_EQ(onlyMessage().text, "Wert 3 kann nicht aus der Spalte LOGX der Tabelle E2 eingelesen werden!");
}

TEST_F(Transfer, OptionButtonValueClearsEvenInAGroup)
{
    QWidget group;
    QRadioButton a(&group), b(&group);  // b makes the group exclusive
    a.setChecked(true);
    dat->ETABELLE(QStringLiteral("A1"));
    ASSERT_TRUE(dat->DFTO("BONEU", &a));
    EXPECT_EQ(column("SELECT BONEU FROM A1 WHERE ID = 7"), QStringList{"True"});
    exec("UPDATE A1 SET BONEU = 0");
    ASSERT_TRUE(dat->DTFOV("BONEU", &a));  // a stored False clears even the checked button of a group
    EXPECT_FALSE(a.isChecked());

}

TEST_F(Transfer, LabelIndexNumber)
{
    QLabel lbl;
    lbl.setProperty("index", 3);
    ASSERT_TRUE(dat->DFTLI("OX", &lbl));
    EXPECT_EQ(e2("OX"), QStringList{"3"});
}

TEST_F(Transfer, ListBoxTextIndexAndAppend)
{
    QListWidget lst;
    dat->ETABELLE(QStringLiteral("E1"));
    ASSERT_TRUE(dat->DFTIL("KOM", &lst));
    EXPECT_EQ(column("SELECT KOM FROM E1 WHERE ID = 7"), QStringList{"-1"});  // none selected
    lst.addItems({"a", "b", "c"});
    lst.setCurrentRow(2);
    ASSERT_TRUE(dat->DFTIS("KOM", &lst));
    EXPECT_EQ(column("SELECT KOM FROM E1 WHERE ID = 7"), QStringList{"c"});
    ASSERT_TRUE(dat->DTFI("KOM", &lst));  // appends the value as a new item
    EXPECT_EQ(lst.count(), 4);
    EXPECT_EQ(lst.item(3)->text(), "c");

    dat->ETABELLE(QStringLiteral("E2"));
    exec("INSERT INTO E2 (ID, OX) VALUES (7, 1)");
    QListWidget empty;
    ASSERT_TRUE(dat->DTFIL("OX", &empty));  // an empty list is left alone
    ASSERT_TRUE(dat->DTFIL("OX", &lst));
    EXPECT_EQ(lst.currentRow(), 1);
    exec("UPDATE E2 SET OX = 9");
    EXPECT_FALSE(dat->DTFIL("OX", &lst));
    EXPECT_EQ(onlyMessage().text, "Wert 9 kann nicht aus der Spalte OX der Tabelle E2 eingelesen werden!");
}

TEST_F(Transfer, ComboBoxMembers)
{
    QComboBox cbo;
    cbo.addItems({"lin", "log"});
    cbo.setCurrentIndex(-1);
    dat->ETABELLE(QStringLiteral("E1"));
    ASSERT_TRUE(dat->DFTMS("KOM", &cbo));  // no selection: an empty value, stored as NULL
    EXPECT_EQ(column("SELECT KOM FROM E1 WHERE ID = 7"), QStringList{"<null>"});
    cbo.setCurrentIndex(1);
    ASSERT_TRUE(dat->DFTMS("KOM", &cbo));
    EXPECT_EQ(column("SELECT KOM FROM E1 WHERE ID = 7"), QStringList{"log"});

    // A drop-down list searches its items; a value matching none leaves the selection.
    exec("UPDATE E1 SET KOM = 'lin' WHERE ID = 7");
    ASSERT_TRUE(dat->DTFMT("KOM", &cbo));
    EXPECT_EQ(cbo.currentIndex(), 0);
    exec("UPDATE E1 SET KOM = 'quadratisch' WHERE ID = 7");
    ASSERT_TRUE(dat->DTFMT("KOM", &cbo));
    EXPECT_EQ(cbo.currentIndex(), 0);
    // An editable combo box takes the value as its edit text.
    QComboBox edit;
    edit.setEditable(true);
    ASSERT_TRUE(dat->DTFMT("KOM", &edit));
    EXPECT_EQ(edit.currentText(), "quadratisch");
    ASSERT_TRUE(dat->DFTMT("KEN", &edit));
    EXPECT_EQ(column("SELECT KEN FROM E1 WHERE ID = 7"), QStringList{"quadratisch"});

    dat->ETABELLE(QStringLiteral("E2"));
    QComboBox fill;
    fill.addItem(QStringLiteral("bleibt"));
    exec("INSERT INTO E2 (ID, OY) VALUES (7, NULL), (7, 5)");
    ASSERT_TRUE(dat->DTFMM("OY", &fill));
    EXPECT_EQ(fill.count(), 2);  // existing item kept, NULL skipped
    EXPECT_EQ(fill.itemText(1), "5");
}

TEST_F(Transfer, TextBoxEmptiedWithoutRowButKeptOverNull)
{
    QLineEdit txt(QStringLiteral("vorher"));
    ASSERT_TRUE(dat->DTFT("XMIN", &txt));
    EXPECT_EQ(txt.text(), "");
    txt.setText(QStringLiteral("vorher"));
    exec("INSERT INTO E2 (ID, XMIN) VALUES (7, NULL)");
    ASSERT_TRUE(dat->DTFTT("XMIN", &txt));
    EXPECT_EQ(txt.text(), "vorher");
    exec("UPDATE E2 SET XMIN = 0.5");
    ASSERT_TRUE(dat->DTFT("XMIN", &txt));
    EXPECT_EQ(txt.text(), "0,5");

    txt.clear();
    dat->ETABELLE(QStringLiteral("E1"));
    ASSERT_TRUE(dat->DFTTT("KOM", &txt));
    EXPECT_EQ(column("SELECT KOM FROM E1 WHERE ID = 7"), QStringList{"<null>"});
}

// --- variables -----------------------------------------------------------------------------

TEST_F(Transfer, VariablesGetTheirTypesEmptyValueWithoutRowOrOverNull)
{
    int16_t i = 5;
    QString t = QStringLiteral("x");
    bool b = true;
    Value v(int16_t(1));
    vb::DateValue d{3.0};
    EXPECT_TRUE(dat->DTVI("OX", i));
    EXPECT_TRUE(dat->DTVT("OX", t));
    EXPECT_TRUE(dat->DTVV("OX", v));
    EXPECT_EQ(i, 0);
    EXPECT_EQ(t, "");
    EXPECT_TRUE(v.isEmpty());
    exec("INSERT INTO E2 (ID, OX) VALUES (7, NULL)");
    EXPECT_TRUE(dat->DTVA("OX", d));
    EXPECT_TRUE(dat->DTVV("OX", v));
    EXPECT_EQ(d.serial, 0.0);
    EXPECT_TRUE(v.isEmpty());
    dat->ETABELLE(QStringLiteral("A1"));
    EXPECT_TRUE(dat->DTVB("BONEU", b));
    EXPECT_FALSE(b);
}

TEST_F(Transfer, UntypedAndDateValuesRoundTrip)
{
    ASSERT_TRUE(dat->DVTV("YMIN", Value("7,75")));
    Value v;
    ASSERT_TRUE(dat->DTVV("YMIN", v));
    EXPECT_EQ(v, Value(7.75f));  // the column's type, not the text handed in

    dat->ETABELLE(QStringLiteral("E1"));
    // A date kept in a text column comes back as the same date.
    ASSERT_TRUE(dat->DVTA("KOM", vb::DateValue{45001.5}));
    EXPECT_EQ(column("SELECT KOM FROM E1 WHERE ID = 7"), QStringList{"16.03.2023 12:00:00"});
    vb::DateValue d;
    ASSERT_TRUE(dat->DTVA("KOM", d));
    EXPECT_EQ(d.serial, 45001.5);
    EXPECT_TRUE(messages().isEmpty());
}

// --- failures ------------------------------------------------------------------------------

TEST_F(Transfer, FailedStoresAndLoadsNameValueColumnAndTable)
{
    EXPECT_FALSE(dat->DVTS("NIX", 1.5f));
    EXPECT_EQ(onlyMessage().text, "Wert 1,5 kann nicht in die Spalte NIX der Tabelle E2 gespeichert werden!");
    EXPECT_EQ(messages().last().title, "Datenfehler");
    EXPECT_EQ(messages().last().buttons, vb::vbOKOnly | vb::vbExclamation);

    TestEnvironment::ui().clear();
    QLineEdit txt(QStringLiteral("abc"));
    EXPECT_FALSE(dat->DFTT("XMIN", &txt));  // type mismatch in a SINGLE column
    EXPECT_EQ(onlyMessage().text, "Wert abc kann nicht in die Spalte XMIN der Tabelle E2 gespeichert werden!");
    EXPECT_TRUE(e2("XMIN").isEmpty());

    TestEnvironment::ui().clear();
    dat->ETABELLE(QStringLiteral("NIX"));
    float s = 3;
    EXPECT_FALSE(dat->DTVS("XMIN", s));
    EXPECT_EQ(onlyMessage().text, "Wert  kann nicht aus der Spalte XMIN der Tabelle NIX eingelesen werden!");
    EXPECT_EQ(messages().last().buttons, vb::vbOKOnly | vb::vbExclamation);

    TestEnvironment::ui().clear();
    EXPECT_FALSE(dat->DVTIF("OX", {1, 2}));
    EXPECT_EQ(onlyMessage().text, "Werte können nicht in Spalte OX der Tabelle NIX gespeichert werden!");
}

class ArrayLoad : public Transfer {
protected:
    void SetUp() override
    {
        Transfer::SetUp();
        dat->ETABELLE(QStringLiteral("E3"));
        exec("INSERT INTO E3 (ID, POLYNR, PKTNR) VALUES (7, 1, 1), (7, 1, 2), (7, 1, 3)");
    }
    const QString expected = QStringLiteral(
        "Werte der Spalte PKTNR der Tabelle E3 können nicht aus der Spalte PKTNR eingelesen werden!\r\n"
        "VB-Error: 9\r\nSubscript out of range");
};

TEST_F(ArrayLoad, RowBeyondTheArrayOkSkipsIt)
{
    std::vector<int16_t> a(2, 0);
    EXPECT_TRUE(dat->DTVIF("PKTNR", a, {"POLYNR", Value(int16_t(1)), "PKTNR"}));
    EXPECT_EQ(a, (std::vector<int16_t>{1, 2}));
    EXPECT_EQ(onlyMessage().text, expected);
    EXPECT_EQ(messages().last().buttons, vb::vbOKCancel | vb::vbExclamation);
    EXPECT_EQ(messages().last().title, "Datenfehler");
}

TEST_F(ArrayLoad, CancelEndsTheLoad)
{
    std::vector<int16_t> a(2, 0);
    TestEnvironment::ui().answer(vb::vbCancel);
    EXPECT_FALSE(dat->DTVIF("PKTNR", a, {"POLYNR", Value(int16_t(1)), "PKTNR"}));
}

TEST_F(ArrayLoad, FailingElementIsSkippedAndTheRestRead)
{
    exec("UPDATE E3 SET GRUPPE = 'x' WHERE PKTNR = 2");
    exec("UPDATE E3 SET GRUPPE = '1' WHERE PKTNR <> 2");
    std::vector<int16_t> a(3, -1);
    EXPECT_TRUE(dat->DTVIF("GRUPPE", a, {"POLYNR", Value(int16_t(1)), "PKTNR"}));
    EXPECT_EQ(a, (std::vector<int16_t>{1, -1, 1}));
    EXPECT_TRUE(onlyMessage().text.endsWith("VB-Error: 13\r\nType mismatch"));

}

// --- grid ----------------------------------------------------------------------------------

class Grid : public Transfer {
protected:
    void SetUp() override
    {
        Transfer::SetUp();
        dat->ETABELLE(QStringLiteral("E3"));
        exec("INSERT INTO E3 (ID, POLYNR, PKTNR, PX) VALUES (7, 1, 1, 1), (7, 1, 2, 2), (7, 1, 3, 3), (7, 1, 4, 4),"
             " (7, 1, 5, 5), (7, 1, 6, 6), (7, 1, 7, 7), (7, 1, 8, 8), (7, 2, 1, 99)");
        grid.setRows(6);  // one fixed row and five data rows
        grid.setCols(3);
        grid.setIndex(2);
    }
    QStringList stored(int polygon)
    {
        return column(QStringLiteral("SELECT PX FROM E3 WHERE ID = 7 AND POLYNR = %1 ORDER BY PKTNR").arg(polygon));
    }
    const IndexPairs polygon1{"POLYNR", Value(int16_t(1)), "PKTNR"};
    vb::FlexGrid grid;
};

TEST_F(Grid, StoreOverwritesFiveOfEightRowsAndDeletesThree)
{
    const char* cells[] = {" 10 ", "1,5", "", "12", "13"};
    for (int r = 0; r < 5; ++r) grid.setTextMatrix(r + 1, 2, cells[r]);
    ASSERT_TRUE(dat->DFTF("PX", &grid, "2", polygon1));
    EXPECT_EQ(stored(1), (QStringList{"10", "1,5", "<null>", "12", "13"}));
    EXPECT_EQ(stored(2), QStringList{"99"});
    EXPECT_TRUE(messages().isEmpty());
}

TEST_F(Grid, DisabledGridDeletesItsSelection)
{
    grid.setEnabled(false);
    ASSERT_TRUE(dat->DFTFM("PX", &grid, "2", polygon1));
    EXPECT_TRUE(stored(1).isEmpty());
    EXPECT_EQ(stored(2), QStringList{"99"});
}

TEST_F(Grid, StoreFailureNamesGridColumnAndIndex)
{
    grid.setTextMatrix(1, 2, "abc");
    TestEnvironment::ui().answer(vb::vbCancel);
    EXPECT_FALSE(dat->DFTF("PX", &grid, "2", polygon1));
    EXPECT_EQ(onlyMessage().text,
              "Werte der Spalte PX der Tabelle E3 können nicht in die Spalte 2\r\n"
              "der FlexGrid-Tabelle 2 geschrieben werden!\r\nVB-Error: 13\r\nType mismatch");
    EXPECT_EQ(messages().last().buttons, vb::vbOKCancel | vb::vbExclamation);
    // Cancel leaves the column as it was stored, not half new and half old.
    EXPECT_EQ(stored(1), (QStringList{"1", "2", "3", "4", "5", "6", "7", "8"}));
}

TEST_F(Grid, ACancelledStoreInsideALargerTransactionLeavesTheOuterWork)
{
    session.cnnX.BeginTrans();
    exec("UPDATE E3 SET PX = 100 WHERE POLYNR = 2");
    grid.setTextMatrix(1, 2, "abc");
    TestEnvironment::ui().answer(vb::vbCancel);
    EXPECT_FALSE(dat->DFTF("PX", &grid, "2", polygon1));
    session.cnnX.CommitTrans();
    EXPECT_EQ(stored(1).size(), 8);
    EXPECT_EQ(stored(2), QStringList{"100"});
}

TEST_F(Grid, LoadFillsFromTheFirstDataRowOrAfterZnr)
{
    ASSERT_TRUE(dat->DTFFM("PX", &grid, "2", polygon1));
    EXPECT_EQ(grid.Rows(), 9);  // raised to hold eight rows after the fixed one
    EXPECT_EQ(grid.TextMatrix(1, 2), "1");
    EXPECT_EQ(grid.TextMatrix(8, 2), "8");

    vb::FlexGrid more;
    more.setRows(20);
    ASSERT_TRUE(dat->DTFF("PX", &more, "1", polygon1, 4));
    EXPECT_EQ(more.Rows(), 20);  // never lowered
    EXPECT_EQ(more.TextMatrix(4, 1), "");
    EXPECT_EQ(more.TextMatrix(5, 1), "1");
    EXPECT_EQ(more.TextMatrix(12, 1), "8");
}

TEST_F(Grid, NullCellsStillAdvanceTheRow)
{
    exec("UPDATE E3 SET PX = NULL WHERE POLYNR = 1 AND PKTNR = 2");
    grid.setTextMatrix(2, 2, "alt");
    ASSERT_TRUE(dat->DTFFM("PX", &grid, "2", polygon1));
    EXPECT_EQ(grid.TextMatrix(2, 2), "alt");
    EXPECT_EQ(grid.TextMatrix(3, 2), "3");
}

TEST_F(Grid, EmptySelectionDisablesGridUntilRowsArrive)
{
    const IndexPairs none{"POLYNR", Value(int16_t(5)), "PKTNR"};
    QPalette white = grid.palette();  // a window colour that differs from the fixed cells' grey
    white.setColor(QPalette::Base, Qt::white);
    grid.setPalette(white);
    ASSERT_TRUE(dat->DTFFM("PX", &grid, "2", none));
    EXPECT_FALSE(grid.isEnabled());
    EXPECT_EQ(grid.BackColor(), grid.BackColorFixed());
    ASSERT_TRUE(dat->DTFFM("PX", &grid, "2", polygon1));
    EXPECT_TRUE(grid.isEnabled());
    EXPECT_EQ(grid.BackColor(), QColor(Qt::white));
}

TEST_F(Grid, LoadAndComboFillFailures)
{
    TestEnvironment::ui().answer(vb::vbCancel);
    EXPECT_FALSE(dat->DTFF("NIX", &grid, "2", polygon1, 0));
    EXPECT_EQ(onlyMessage().text,
              "Werte der Spalte NIX der Tabelle E3 können nicht in die Spalte 2\r\n"
              "der FlexGrid-Tabelle 2 eingelesen werden!\r\nVB-Error: -2147467259\r\nno such column: NIX");

    TestEnvironment::ui().clear();
    QComboBox cbo;
    EXPECT_TRUE(dat->DTFMM("NIX", &cbo));  // OK goes on to the end
    EXPECT_EQ(onlyMessage().text, "Werte der Spalte NIX der Tabelle E3 eingelesen werden!");
    EXPECT_EQ(messages().last().buttons, vb::vbOKCancel | vb::vbExclamation);
}

}  // namespace
