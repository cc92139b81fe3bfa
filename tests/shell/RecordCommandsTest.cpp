// The record commands of the main window with the real entry window and selection dialog.
#include "platform/widgets/PanelBar.h"
#include "records/frmAUSWAHL.h"
#include "records/mdiEINGABE.h"
#include "shell/ShellFixture.h"

#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QTest>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

namespace {

class RecordCommandFlows : public ShellFixture {
protected:
    // "Neu", type the input, and save it with panel 8.
    void newRecord(const QString& name, const QString& comment = QString())
    {
        w->mnuNEU_Click();
        ASSERT_NE(w->entryWindow(), nullptr);
        w->entryWindow()->txtKEN->setText(name);
        w->entryWindow()->txtKOM->setText(comment);
        w->stbMAIN_PanelClick(8);
    }
    bool editing()
    {
        const bool panels = w->stbMAIN()->isPanelVisible(8) && w->stbMAIN()->isPanelVisible(9);
        const bool menus = !w->menu(QStringLiteral("mnuDATEI"))->isEnabled() && !w->menu(QStringLiteral("mnuAUSWERTEN"))->isEnabled()
                           && !w->menu(QStringLiteral("mnuEXTRAS"))->isEnabled();
        EXPECT_EQ(panels, menus);
        EXPECT_EQ(panels, w->entryWindow() != nullptr);
        return panels;
    }
    // The next selection dialog confirms with the given records (by name) selected.
    static void selectInDialog(const QStringList& names)
    {
        TestEnvironment::ui().onModal([names](QDialog& d) {
            auto& a = dynamic_cast<frmAUSWAHL&>(d);
            // Deselect first: the click rules judge each selection against what is selected.
            for (int i = 0; i < a.lstKEN->count(); ++i)
                if (!names.contains(a.lstKEN->item(i)->text())) a.lstKEN->item(i)->setSelected(false);
            for (int i = 0; i < a.lstKEN->count(); ++i)
                if (names.contains(a.lstKEN->item(i)->text())) a.lstKEN->item(i)->setSelected(true);
            a.cmdOK->click();
        });
    }
    static void cancelDialog()
    {
        TestEnvironment::ui().onModal([](QDialog& d) { dynamic_cast<frmAUSWAHL&>(d).cmdABBRECHEN->click(); });
    }
    QStringList records() { return column(QStringLiteral("SELECT ID || ':' || KEN || ':' || AKT FROM E1 ORDER BY ID")); }
};

}  // namespace

TEST_F(RecordCommandFlows, SavingNewRecordsNumbersThemAndLeavesOnlyTheSavedOneActive)
{
    start();
    w->mnuNEU_Click();
    EXPECT_TRUE(editing());
    EXPECT_EQ(w->stbMAIN()->text(6), QStringLiteral("-"));
    w->entryWindow()->txtKEN->setText(QStringLiteral("Erster"));
    w->entryWindow()->chkLOGY->setChecked(true);
    w->stbMAIN_PanelClick(8);
    EXPECT_FALSE(editing());
    newRecord(QStringLiteral("Zweiter"), QStringLiteral("k2"));
    EXPECT_EQ(records(), (QStringList{QStringLiteral("1:Erster:0"), QStringLiteral("2:Zweiter:1")}));
    EXPECT_EQ(column(QStringLiteral("SELECT ID || ':' || LOGY FROM E2 ORDER BY ID")), (QStringList{QStringLiteral("1:1"), QStringLiteral("2:0")}));
    EXPECT_EQ(w->stbMAIN()->text(6), QStringLiteral("Zweiter"));
    EXPECT_EQ(w->stbMAIN()->toolTip(6), QStringLiteral("k2"));
    EXPECT_TRUE(w->session().BOGEAENDERT);
    EXPECT_TRUE(messages().isEmpty());
}

TEST_F(RecordCommandFlows, SavingUnderAnExistingNameAsksBeforeOverwriting)
{
    start(QLocale(QLocale::English, QLocale::UnitedKingdom));
    newRecord(QStringLiteral("Alt"));
    newRecord(QStringLiteral("Anders"));
    // What was captured for record 1 must survive saving its name row again.
    exec(QStringLiteral("INSERT INTO E3 (ID, POLYNR, PKTNR, PX, PY) VALUES (1, 1, 1, 2, 3)"));

    TestEnvironment::ui().answer(vb::vbNo);
    newRecord(QStringLiteral("alt"), QStringLiteral("neu"));  // names compare without regard to case
    ASSERT_EQ(messages().size(), 1);
    EXPECT_EQ(messages()[0].text, QStringLiteral("Do you want to overwrite the filealt?"));
    EXPECT_EQ(messages()[0].buttons, vb::vbQuestion | vb::vbYesNo);
    EXPECT_EQ(messages()[0].title, QStringLiteral("OK"));
    EXPECT_TRUE(editing());  // the input stays for another name
    EXPECT_EQ(records(), (QStringList{QStringLiteral("1:Alt:0"), QStringLiteral("2:Anders:1")}));

    TestEnvironment::ui().answer(vb::vbYes);
    w->stbMAIN_PanelClick(8);
    EXPECT_FALSE(editing());
    EXPECT_EQ(records(), (QStringList{QStringLiteral("1:alt:1"), QStringLiteral("2:Anders:0")}));
    EXPECT_EQ(column(QStringLiteral("SELECT count(*) FROM E3 WHERE ID=1")), QStringList{QStringLiteral("1")});
}

// Names are one record whatever the case of any letter and whatever blanks stand around them.
TEST_F(RecordCommandFlows, NamesMatchWithoutRegardToCaseOrSurroundingBlanks)
{
    start();
    newRecord(QStringLiteral("Äpfel"));
    newRecord(QStringLiteral("  pad  "));
    EXPECT_EQ(records(), (QStringList{QStringLiteral("1:Äpfel:0"), QStringLiteral("2:pad:1")}));
    TestEnvironment::ui().clear();
    TestEnvironment::ui().answer(vb::vbYes);
    TestEnvironment::ui().answer(vb::vbYes);
    newRecord(QStringLiteral("äpfel"));
    newRecord(QStringLiteral("PAD "));
    EXPECT_EQ(messageTexts(), (QStringList{QStringLiteral("Soll der vorhandene Datensatz äpfel überschrieben werden?"),
                                           QStringLiteral("Soll der vorhandene Datensatz PAD überschrieben werden?")}));
    EXPECT_EQ(records(), (QStringList{QStringLiteral("1:äpfel:0"), QStringLiteral("2:PAD:1")}));

    // The status bar lists active records in the user's alphabet: umlauts do not go after "Z".
    exec(QStringLiteral("INSERT INTO E1 (ID, KEN, AKT) VALUES (3, 'Zeder', 1), (4, 'Öl', 1)"));
    exec(QStringLiteral("UPDATE E1 SET AKT=1"));
    w->SATZANZEIGE();
    EXPECT_EQ(w->stbMAIN()->toolTip(6), QStringLiteral("äpfel, Öl, PAD, Zeder"));
}

struct FailingWrite {
    const char* name;
    const char* table;  // the table whose write fails
};

void PrintTo(const FailingWrite& c, std::ostream* os) { *os << c.name; }

class OverwriteFailing : public RecordCommandFlows, public ::testing::WithParamInterface<FailingWrite> {};

// Overwriting a record is one piece of work: a write that fails brings the old record back
// whole and keeps the input for another try.
TEST_P(OverwriteFailing, KeepsTheOldRecord)
{
    start();
    newRecord(QStringLiteral("Alt"), QStringLiteral("erster Stand"));
    exec(QStringLiteral("INSERT INTO E3 (ID, POLYNR, PKTNR, PX, PY) VALUES (1, 1, 1, 2, 3)"));
    const QString table = QString::fromLatin1(GetParam().table);
    exec(QStringLiteral("CREATE TRIGGER voll BEFORE INSERT ON [%1] BEGIN SELECT RAISE(ABORT, 'database or disk is full'); END").arg(table));
    exec(QStringLiteral("CREATE TRIGGER voll2 BEFORE UPDATE ON [%1] BEGIN SELECT RAISE(ABORT, 'database or disk is full'); END").arg(table));
    TestEnvironment::ui().clear();
    TestEnvironment::ui().answer(vb::vbYes);
    newRecord(QStringLiteral("Alt"), QStringLiteral("zweiter Stand"));
    EXPECT_TRUE(editing());
    EXPECT_GE(messages().size(), 2) << messageTexts().join(QStringLiteral(" | ")).toStdString();
    EXPECT_EQ(column(QStringLiteral("SELECT ID || ':' || KEN || ':' || KOM FROM E1")), QStringList{QStringLiteral("1:Alt:erster Stand")});
    EXPECT_EQ(column(QStringLiteral("SELECT count(*) FROM E3 WHERE ID=1")), QStringList{QStringLiteral("1")});
    w->stbMAIN_PanelClick(9);
}

INSTANTIATE_TEST_SUITE_P(Tables, OverwriteFailing,
                         ::testing::Values(FailingWrite{"NameRow", "E1"}, FailingWrite{"AxisRow", "E2"}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(RecordCommandFlows, ABlankNameIsNotSavedAndDiscardWritesNothing)
{
    start();
    newRecord(QStringLiteral("  "));
    EXPECT_EQ(messageTexts(), QStringList{QStringLiteral("Datensatzkennzeichnung fehlt!")});
    EXPECT_TRUE(editing());
    w->stbMAIN_PanelClick(9);
    EXPECT_FALSE(editing());
    EXPECT_TRUE(records().isEmpty());
    EXPECT_FALSE(w->session().BOGEAENDERT);
}

TEST_F(RecordCommandFlows, SaveTheSecondGermanMessageAndANewNumberLeavesNoInheritedData)
{
    start();
    // A file from an older program: rows of a record 1 whose name row is gone.
    exec(QStringLiteral("INSERT INTO E3 (ID, POLYNR, PKTNR, PX, PY) VALUES (1, 1, 1, 2, 3)"));
    exec(QStringLiteral("INSERT INTO A1 (ID, BONEU) VALUES (1, 0)"));
    newRecord(QStringLiteral("Neu"));
    EXPECT_EQ(records(), QStringList{QStringLiteral("1:Neu:1")});
    EXPECT_EQ(column(QStringLiteral("SELECT (SELECT count(*) FROM E3 WHERE ID=1) + (SELECT count(*) FROM A1 WHERE ID=1)")),
              QStringList{QStringLiteral("0")});

    TestEnvironment::ui().answer(vb::vbNo);
    newRecord(QStringLiteral("Neu"));
    EXPECT_EQ(messageTexts(), QStringList{QStringLiteral("Soll der vorhandene Datensatz Neu überschrieben werden?")});
    w->stbMAIN_PanelClick(9);
}

TEST_F(RecordCommandFlows, OpenNeedsExactlyOneActiveRecord)
{
    start();
    newRecord(QStringLiteral("Alpha"), QStringLiteral("a"));
    newRecord(QStringLiteral("Beta"));
    exec(QStringLiteral("UPDATE E2 SET LOGX=1 WHERE ID=1"));

    // None chosen: told, and OK shows the dialog again; Cancel ends the command.
    selectInDialog({});
    selectInDialog({});
    TestEnvironment::ui().answer(vb::vbOK);
    TestEnvironment::ui().answer(vb::vbCancel);
    w->mnuOEFFNEN_Click();
    EXPECT_EQ(messageTexts(), (QStringList{QStringLiteral("Es gibt keinen aktuellen Datensatz!"), QStringLiteral("Es gibt keinen aktuellen Datensatz!")}));
    EXPECT_EQ(messages()[0].buttons, vb::vbExclamation | vb::vbOKCancel);
    EXPECT_EQ(messages()[0].title, QStringLiteral("&Öffnen"));
    EXPECT_FALSE(editing());

    // Two active records (the dialog cannot choose them, an old file can hold them).
    TestEnvironment::ui().clear();
    TestEnvironment::ui().onModal([this](QDialog&) {
        exec(QStringLiteral("UPDATE E1 SET AKT=1"));
        w->setTag(QStringLiteral("OK"));
    });
    selectInDialog({QStringLiteral("Alpha")});
    w->mnuOEFFNEN_Click();
    EXPECT_EQ(messageTexts(), QStringList{QStringLiteral("Es kann nur ein aktueller Datensatz geöffnet werden!")});
    ASSERT_TRUE(editing());
    EXPECT_EQ(w->entryWindow()->txtKEN->text(), QStringLiteral("Alpha"));
    EXPECT_EQ(w->entryWindow()->txtKOM->text(), QStringLiteral("a"));
    EXPECT_TRUE(w->entryWindow()->chkLOGX->isChecked());
    EXPECT_EQ(w->stbMAIN()->text(6), QStringLiteral("Alpha"));

    // A cancelled dialog ends the command.
    w->stbMAIN_PanelClick(9);
    cancelDialog();
    w->mnuOEFFNEN_Click();
    EXPECT_FALSE(editing());
}

TEST_F(RecordCommandFlows, SelectionMarksTheCopyChangedOnlyWhenConfirmed)
{
    start();
    newRecord(QStringLiteral("Alpha"));
    newRecord(QStringLiteral("Beta"));
    w->session().BOGEAENDERT = false;
    cancelDialog();
    w->mnuAUSWAHL_Click();
    EXPECT_FALSE(w->session().BOGEAENDERT);
    EXPECT_EQ(w->Tag(), QStringLiteral("Abbrechen"));
    selectInDialog({QStringLiteral("Alpha")});
    w->mnuAUSWAHL_Click();
    EXPECT_TRUE(messages().isEmpty());
    EXPECT_TRUE(w->session().BOGEAENDERT);
    EXPECT_EQ(w->stbMAIN()->text(6), QStringLiteral("Alpha"));
}

TEST_F(RecordCommandFlows, DeleteAsksPerRecordAndRemovesAllOfItsRows)
{
    start();
    newRecord(QStringLiteral("Alpha"));
    newRecord(QStringLiteral("Beta"));
    for (const char* t : {"E3", "A1", "G0", "G2_1", "G2_2"})
        for (int id : {1, 2}) exec(QStringLiteral("INSERT INTO [%1] (ID) VALUES (%2)").arg(QString::fromLatin1(t)).arg(id));
    const QString rowsOf1 = QStringLiteral("SELECT (SELECT count(*) FROM E1 WHERE ID=1) + (SELECT count(*) FROM E2 WHERE ID=1)"
                                           " + (SELECT count(*) FROM E3 WHERE ID=1) + (SELECT count(*) FROM A1 WHERE ID=1)"
                                           " + (SELECT count(*) FROM G0 WHERE ID=1) + (SELECT count(*) FROM G2_1 WHERE ID=1)"
                                           " + (SELECT count(*) FROM G2_2 WHERE ID=1)");

    // Cancel for every record deletes nothing and still marks the copy as changed.
    w->session().BOGEAENDERT = false;
    selectInDialog({QStringLiteral("Alpha"), QStringLiteral("Beta")});
    TestEnvironment::ui().answer(vb::vbCancel);
    TestEnvironment::ui().answer(vb::vbCancel);
    w->mnuLOESCHEN_Click();
    EXPECT_EQ(messageTexts(), (QStringList{QStringLiteral("Datensatz Alpha wird gelöscht!"), QStringLiteral("Datensatz Beta wird gelöscht!")}));
    EXPECT_EQ(messages()[0].title, QStringLiteral("&Löschen"));
    EXPECT_EQ(records().size(), 2);
    EXPECT_TRUE(w->session().BOGEAENDERT);

    // OK removes the record from every table; the next new record starts clean.
    TestEnvironment::ui().clear();
    selectInDialog({QStringLiteral("Alpha")});
    TestEnvironment::ui().answer(vb::vbOK);
    w->mnuLOESCHEN_Click();
    EXPECT_EQ(records(), QStringList{QStringLiteral("2:Beta:0")});
    EXPECT_EQ(column(rowsOf1), QStringList{QStringLiteral("0")});
    EXPECT_EQ(column(QStringLiteral("SELECT count(*) FROM G2_2 WHERE ID=2")), QStringList{QStringLiteral("1")});
    EXPECT_EQ(w->stbMAIN()->text(6), QStringLiteral("-"));
}

TEST_F(RecordCommandFlows, CommandPanelsLookPressedUntilTheirCommandHasRun)
{
    start();
    w->mnuNEU_Click();
    w->entryWindow()->txtKEN->setText(QStringLiteral("Gedrückt"));
    w->show();
    QLabel* ok = w->stbMAIN()->label(8);
    const int sleptBefore = TestEnvironment::ui().slept;
    QTest::mousePress(ok, Qt::LeftButton);
    EXPECT_EQ(w->stbMAIN()->bevel(8), vb::PanelBar::Bevel::Sunken);
    EXPECT_EQ(TestEnvironment::ui().slept - sleptBefore, 250);
    QTest::mouseRelease(ok, Qt::LeftButton);
    EXPECT_EQ(w->stbMAIN()->bevel(8), vb::PanelBar::Bevel::Raised);
    EXPECT_FALSE(editing());
    EXPECT_EQ(records(), QStringList{QStringLiteral("1:Gedrückt:1")});
    QTest::mousePress(w->stbMAIN()->label(6), Qt::LeftButton);  // an information panel is no button: no pause
    EXPECT_EQ(TestEnvironment::ui().slept - sleptBefore, 250);
}

TEST_F(RecordCommandFlows, ExportImportGreysTheMenusWhileItsDialogIsOpen)
{
    start();
    const auto menus = [this] {
        QString states;
        for (const char* name : {"mnuDATEI", "mnuAUSWERTEN", "mnuEXTRAS"})
            states += w->menu(QString::fromLatin1(name))->isEnabled() ? QLatin1Char('1') : QLatin1Char('0');
        return states;
    };
    QString during;
    TestEnvironment::ui().onModal([&](QDialog& d) {
        during = menus();
        d.reject();
    });
    w->mnuEXPIMP_Click();
    EXPECT_EQ(during, QStringLiteral("000"));
    EXPECT_EQ(menus(), QStringLiteral("111"));
}
