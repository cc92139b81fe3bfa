// The record entry window on a real working copy: writing and reading a record, the name
// check, the value check, the keyboard and the layout rule.
#include "records/mdiEINGABE.h"
#include "records/RecordsFixture.h"

#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QTabWidget>
#include <QTest>

namespace {

class EntryWindow : public RecordsFixture {
protected:
    std::unique_ptr<mdiEINGABE> load()
    {
        auto w = std::make_unique<mdiEINGABE>(shell);
        w->Form_Load();
        return w;
    }
};

}  // namespace

TEST_F(EntryWindow, OkWritesNameCommentAndAxesAndOeffnenReadsThemBack)
{
    {
        auto w = load();
        w->txtKEN->setText(QStringLiteral("Sieblinie"));
        w->txtKOM->setText(QStringLiteral("Probe 4"));
        w->chkLOGX->setChecked(true);
        EXPECT_TRUE(w->OK(5));
    }
    EXPECT_EQ(column(QStringLiteral("SELECT KEN || '|' || KOM || '|' || AKT FROM E1 WHERE ID=5")), QStringList{QStringLiteral("Sieblinie|Probe 4|1")});
    EXPECT_EQ(column(QStringLiteral("SELECT LOGX || '|' || LOGY FROM E2 WHERE ID=5")), QStringList{QStringLiteral("1|0")});

    auto w = load();
    w->OEFFNEN(5);
    EXPECT_EQ(w->txtKEN->text(), QStringLiteral("Sieblinie"));
    EXPECT_EQ(w->txtKOM->text(), QStringLiteral("Probe 4"));
    EXPECT_TRUE(w->chkLOGX->isChecked());
    EXPECT_FALSE(w->chkLOGY->isChecked());
    EXPECT_TRUE(messages().isEmpty());
}

TEST_F(EntryWindow, OkOnAnExistingRecordKeepsItsOtherDiagramValues)
{
    // Opened the way "Öffnen" does it: the record is the active one when the window loads.
    addRecord(cn(), 3, QStringLiteral("alt"), QString(), true);
    auto w = load();
    w->OEFFNEN(3);
    w->chkLOGY->setChecked(true);
    w->txtKOM->clear();  // an empty comment is stored as NULL
    ASSERT_TRUE(w->OK(3));
    EXPECT_EQ(column(QStringLiteral("SELECT LOGX || '|' || LOGY || '|' || OX || '|' || XMIN FROM E2 WHERE ID=3")),
              QStringList{QStringLiteral("1|1|2|0.5")});
    EXPECT_EQ(column(QStringLiteral("SELECT KOM FROM E1 WHERE ID=3")), QStringList{QStringLiteral("<null>")});
}

TEST_F(EntryWindow, ABlankNameCannotBeLeft)
{
    auto w = load();
    w->show();
    w->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(w.get()));
    w->txtKEN->setFocus();
    QTest::keyClicks(w->txtKEN, QStringLiteral("   "));
    QTest::keyClick(w->txtKEN, Qt::Key_Tab);
    ASSERT_EQ(messages().size(), 1);
    EXPECT_EQ(messages()[0].text, QStringLiteral("Datensatzkennzeichnung fehlt!"));
    EXPECT_EQ(messages()[0].title, QStringLiteral("Datenfehler"));
    EXPECT_EQ(messages()[0].buttons, vb::vbExclamation);
    EXPECT_EQ(QApplication::focusWidget(), w->txtKEN);

    // With a name the focus moves on silently.
    QTest::keyClicks(w->txtKEN, QStringLiteral("B1"));
    QTest::keyClick(w->txtKEN, Qt::Key_Tab);
    EXPECT_EQ(messages().size(), 1);
    EXPECT_NE(QApplication::focusWidget(), w->txtKEN);
}

TEST_F(EntryWindow, KeyboardShortcutsAndTheKeypadDecimalKey)
{
    auto w = load();
    QTest::keyClick(w->txtKOM, Qt::Key_Q, Qt::AltModifier);
    QTest::keyClick(w->chkLOGX, Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(shell.calls, (QStringList{QStringLiteral("mnuBEENDEN_Click"), QStringLiteral("stbMAIN_PanelClick(8)")}));

    // The keypad's key types the session's separator, whatever its own character is.
    QTest::keyClicks(w->txtKOM, QStringLiteral("2"));
    QTest::keyClick(w->txtKOM, Qt::Key_Period, Qt::KeypadModifier);
    QTest::keyClicks(w->txtKOM, QStringLiteral("5"));
    EXPECT_EQ(w->txtKOM->text(), QStringLiteral("2,5"));
    shell.session_.setDecimalSeparator(QStringLiteral("."));
    QTest::keyClick(w->txtKOM, Qt::Key_Comma, Qt::KeypadModifier);
    EXPECT_EQ(w->txtKOM->text(), QStringLiteral("2,5."));
    shell.session_.setDecimalSeparator(QStringLiteral(","));
    // The main keyboard's period stays a period.
    QTest::keyClick(w->txtKOM, Qt::Key_Period);
    EXPECT_EQ(w->txtKOM->text(), QStringLiteral("2,5.."));
}

struct ValueCheck {
    const char* name;
    const char* text;
    float minimum, maximum;
    bool integerOnly, date, english;
    bool valid;
    const char* message;  // nullptr: none
    int buttons;
    const char* trimmed;
};

inline void PrintTo(const ValueCheck& c, std::ostream* os) { *os << c.name; }

class EntryWindowValueCheck : public EntryWindow, public ::testing::WithParamInterface<ValueCheck> {};

TEST_P(EntryWindowValueCheck, ReportsAndReturns)
{
    const ValueCheck& c = GetParam();
    if (c.english) shell.session_.setLanguage(1);
    auto w = load();
    QString text = QString::fromUtf8(c.text);
    EXPECT_EQ(w->WERTPRUEFUNG(text, c.minimum, c.maximum, c.integerOnly, c.date, QStringLiteral("Wert")), c.valid);
    EXPECT_EQ(text, QString::fromUtf8(c.trimmed));
    if (!c.message) {
        EXPECT_TRUE(messages().isEmpty());
        return;
    }
    ASSERT_EQ(messages().size(), 1);
    EXPECT_EQ(messages()[0].text, QString::fromUtf8(c.message));
    EXPECT_EQ(messages()[0].buttons, c.buttons);
    EXPECT_EQ(messages()[0].title, QStringLiteral("Wert"));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, EntryWindowValueCheck,
    ::testing::Values(
        ValueCheck{"EmptyIsValid", "   ", 0, 10, false, false, false, true, nullptr, 0, ""},
        ValueCheck{"InRangeTrimmed", " 7,5 ", 0, 10, false, false, false, true, nullptr, 0, "7,5"},
        ValueCheck{"NotNumeric", "abc", 0, 10, false, false, false, false, "Eingegeber Wert ist kein gültiges Zahlenformat!", vb::vbOKOnly, "abc"},
        ValueCheck{"NotNumericEnglish", "abc", 0, 10, false, false, true, false, "Type of value is not numeric!", vb::vbOKOnly, "abc"},
        ValueCheck{"NotInteger", "2,5", 0, 10, true, false, false, false, "Eingegeber Wert ist keine ganze Zahl!", vb::vbOKOnly, "2,5"},
        ValueCheck{"NotIntegerEnglish", "2,5", 0, 10, true, false, true, false, "Type of value is not an integer!", vb::vbOKOnly, "2,5"},
        ValueCheck{"OutOfRange", "12", 0, 10.5f, false, false, false, false,
                   "Zahlenwert außerhalb der vorgegeben Schranken:\r\nMinimum: 0, Maximum: 10,5", vb::vbOKOnly, "12"},
        ValueCheck{"OutOfRangeEnglish", "-1", 0, 10, false, false, true, false,
                   "Numeric value out of preset limits:\r\nMinimum: 0, Maximum: 10", vb::vbOKOnly, "-1"},
        // Numbers beyond what the check can hold are out of any limits, not an error.
        ValueCheck{"TooLargeForTheCheck", "1e40", 0, 10, false, false, false, false,
                   "Zahlenwert außerhalb der vorgegeben Schranken:\r\nMinimum: 0, Maximum: 10", vb::vbOKOnly, "1e40"},
        ValueCheck{"FortyFourDigits", "-12345678901234567890123456789012345678901234", 0, 10, false, false, true, false,
                   "Numeric value out of preset limits:\r\nMinimum: 0, Maximum: 10", vb::vbOKOnly,
                   "-12345678901234567890123456789012345678901234"},
        ValueCheck{"Date", "24.12.2001", 0, 0, false, true, false, true, nullptr, 0, "24.12.2001"},
        ValueCheck{"NotADate", "gestern", 0, 0, false, true, false, false,
                   "Eingegeber Wert ist kein gültiges Datums- oder Zeitformat!", vb::vbExclamation, "gestern"},
        ValueCheck{"NotADateEnglish", "gestern", 0, 0, false, true, true, false, "Type of value is neither date nor time!",
                   vb::vbExclamation, "gestern"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(EntryWindow, ResizeCentresTheTabAndKeepsTheNameFrameAboveIt)
{
    auto w = load();
    w->show();
    w->resize(1000, 600);
    const int h = w->fraKEN->height();
    EXPECT_EQ(w->SSTab->y(), qRound(1.5 * h));
    EXPECT_EQ(w->SSTab->x(), (1000 - w->SSTab->width()) / 2);
    EXPECT_EQ(w->fraKEN->x(), w->SSTab->x());
    EXPECT_EQ(w->fraKEN->y(), w->SSTab->y() - qRound(1.15 * h));
    EXPECT_EQ(w->SSTab->tabText(0), QStringLiteral(" Allgemeine Daten"));
}
