#include "DialogsFixture.h"

#include "graphics/clsGRAFIK.h"
#include "pages/OutputDiagram.h"
#include "pages/frmKONTEXT11.h"
#include "platform/surface/RecordingSurface.h"
#include "platform/ui/Procedure.h"
#include "platform/vb/Convert.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <algorithm>
#include <memory>

namespace {

struct Frame {
    double xmin, xmax, ymin, ymax;
};

}  // namespace

class DiagramDialogTest : public DialogsFixture {
protected:
    void SetUp() override
    {
        DialogsFixture::SetUp();
        axes(0, 0);
        frame({0, 10, -5, 5});
    }

    void axes(int logx, int logy)
    {
        exec(QStringLiteral("DELETE FROM E2"));
        exec(QStringLiteral("INSERT INTO E2 (ID, LOGX, LOGY) VALUES (7, %1, %2)").arg(logx).arg(logy));
    }
    void frame(Frame f, int ox = 1, int oy = 1, double mx = 0.5, double my = 0)
    {
        exec(QStringLiteral("DELETE FROM G0"));
        exec(QStringLiteral("INSERT INTO G0 (ID, IDOBJEKT, OX, OY, RL, RR, RO, RU, XMIN, XMAX, YMIN, YMAX, MX, MY, MYMX) "
                            "VALUES (7, 11, %1, %2, 11, 8, 8, 11, %3, %4, %5, %6, %7, %8, 0)")
                 .arg(ox)
                 .arg(oy)
                 .arg(f.xmin, 0, 'g', 9)
                 .arg(f.xmax, 0, 'g', 9)
                 .arg(f.ymin, 0, 'g', 9)
                 .arg(f.ymax, 0, 'g', 9)
                 .arg(mx)
                 .arg(my));
    }

    std::unique_ptr<frmKONTEXT11> open(bool frameEditable = true)
    {
        auto d = std::make_unique<frmKONTEXT11>(shell, 7, frameEditable);
        d->Form_Load();
        return d;
    }

    QString g0(const char* fields) { return row(QStringLiteral("SELECT %1 FROM G0 WHERE ID=7 AND IDOBJEKT=11"), fields); }
    QString e2(const char* fields) { return row(QStringLiteral("SELECT %1 FROM E2 WHERE ID=7"), fields); }

    // The fields of one row as "a|b|c", each as the program writes it.
    QString row(const QString& sql, const char* fields)
    {
        QStringList out;
        for (const QString& f : QString::fromLatin1(fields).split(QLatin1Char(',')))
            out << TestEnvironment::column(session.cnnX, sql.arg(f.trimmed())).join(QLatin1Char(';'));
        return out.join(QLatin1Char('|'));
    }

    static QString selection(const QComboBox* box) { return box->currentIndex() < 0 ? QStringLiteral("<none>") : box->currentText(); }
    static void choose(QComboBox* box, const QString& text)
    {
        const int i = box->findText(text);
        ASSERT_GE(i, 0) << text.toStdString();
        box->setCurrentIndex(i);
    }
};

TEST_F(DiagramDialogTest, OpensOnTheStoredFrame)
{
    frame({0, 10, -5, 5}, 1, -1, 0.5, 0);
    auto d = open();
    EXPECT_EQ(d->windowTitle(), QStringLiteral("Kontextmenü Diagramm"));
    EXPECT_EQ(d->cboXMIN->count(), 101);
    EXPECT_EQ(selection(d->cboXMIN), QStringLiteral("0"));
    EXPECT_EQ(selection(d->cboXDIFF), QStringLiteral("10"));
    EXPECT_EQ(selection(d->cboYMIN), QStringLiteral("-5"));
    EXPECT_EQ(selection(d->cboYDIFF), QStringLiteral("10"));
    EXPECT_TRUE(d->optOX[0]->isChecked());
    EXPECT_TRUE(d->optOY[1]->isChecked());
    EXPECT_EQ(d->txtMX->text(), QStringLiteral("0,5"));
    EXPECT_FALSE(d->chkLOGX->isChecked());
}

// Stored ends come back from single precision and spans are their differences: a value
// selects its candidate within that precision, and a value that is no candidate selects none.
struct MatchCase {
    const char* name;
    int log;
    Frame f;
    const char* end;
    const char* second;
};
inline void PrintTo(const MatchCase& c, std::ostream* os) { *os << c.name; }

class CandidateMatchTest : public DiagramDialogTest, public ::testing::WithParamInterface<MatchCase> {};

TEST_P(CandidateMatchTest, SelectsTheCandidateWithinSinglePrecision)
{
    const MatchCase& c = GetParam();
    axes(c.log, 0);
    frame(c.f);
    auto d = open();
    EXPECT_EQ(selection(d->cboXMIN), QString::fromUtf8(c.end));
    EXPECT_EQ(selection(d->cboXDIFF), QString::fromUtf8(c.second));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CandidateMatchTest,
    ::testing::Values(MatchCase{"SpanOfSinglesOffInTheLastDigit", 0, {0.2f, 0.7f, 0, 1}, "<none>", "0,5"},
                      MatchCase{"CapturedEndIsNoCandidate", 0, {0.37f, 10.37f, 0, 1}, "<none>", "10"},
                      MatchCase{"NegativeEndAndLargeSpan", 0, {-450, 550, 0, 1}, "-450", "1000"},
                      MatchCase{"SpanNotInTheList", 0, {0, 11, 0, 1}, "0", "<none>"},
                      MatchCase{"SmallEndBesideALargeOne", 0, {0.45f, 10000, 0, 1}, "<none>", "<none>"},
                      MatchCase{"LogarithmicEndsBothBoxes", 1, {0.0063f, 63, 1, 10}, "0,0063", "63"},
                      MatchCase{"LogarithmicNeighboursStayApart", 1, {0.001f, 0.002f, 1, 10}, "0,001", "0,002"},
                      MatchCase{"LogarithmicEndOffTheList", 1, {0.37f, 100, 1, 10}, "<none>", "100"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(DiagramDialogTest, BoxesWithoutAChoiceKeepTheStoredFrame)
{
    frame({0.37f, 10.37f, -0.2f, 0.3f}, 1, 1, 0.25, 0.125);
    auto d = open();
    d->cmdOK_Click();
    EXPECT_TRUE(d->written());
    EXPECT_EQ(g0("XMIN, XMAX, YMIN, YMAX, MX, MY"), QStringLiteral("0,37|10,37|-0,2|0,3|0,25|0,125"));
    EXPECT_TRUE(ui().messages.isEmpty());
}

TEST_F(DiagramDialogTest, ChosenEndAndSpanSetBothEnds)
{
    frame({0.37f, 10.37f, 0, 10});
    auto d = open();
    choose(d->cboXMIN, QStringLiteral("-2"));
    choose(d->cboYDIFF, QStringLiteral("25"));
    d->txtMX->setText(QStringLiteral("2,5"));
    QTest::mouseClick(d->cmdOK, Qt::LeftButton);
    // x keeps its span of 10 from its new end; y keeps its end and takes the new span.
    EXPECT_EQ(g0("XMIN, XMAX, YMIN, YMAX, MX"), QStringLiteral("-2|8|0|25|2,5"));
}

TEST_F(DiagramDialogTest, LogarithmicAxisOffersItsEndsAndKeepsThemWhenUnchosen)
{
    axes(1, 0);
    frame({0.002f, 63, 0, 10});
    auto d = open();
    EXPECT_TRUE(d->cboXMIN->isVisibleTo(d.get()));
    EXPECT_EQ(d->cboXMIN->count(), 12);
    EXPECT_EQ(d->lblDEX->text(), QStringLiteral("Xmax"));
    d->cmdOK_Click();
    EXPECT_EQ(g0("XMIN, XMAX"), QStringLiteral("0,002|63"));
    EXPECT_EQ(e2("LOGX, LOGY"), QStringLiteral("1|0"));

    auto again = open();
    choose(again->cboXMIN, QStringLiteral("0,02"));
    choose(again->cboXDIFF, QStringLiteral("100"));
    again->cmdOK_Click();
    EXPECT_EQ(g0("XMIN, XMAX"), QStringLiteral("0,02|100"));
}

TEST_F(DiagramDialogTest, LogarithmicUpperEndBelowTheLowerOneIsRefused)
{
    axes(1, 0);
    frame({0.002f, 63, 0, 10});
    auto d = open();
    choose(d->cboXMIN, QStringLiteral("20"));
    choose(d->cboXDIFF, QStringLiteral("2"));
    d->cmdOK_Click();
    EXPECT_FALSE(d->written());
    ASSERT_EQ(ui().messages.size(), 1);
    EXPECT_EQ(ui().messages[0].text, QStringLiteral("Xmax muss größer als Xmin sein."));
    EXPECT_EQ(g0("XMIN, XMAX"), QStringLiteral("0,002|63"));
}

TEST_F(DiagramDialogTest, SwitchingAnAxisToLogarithmicRefillsItsBoxes)
{
    frame({0.2f, 20, 0, 10});
    auto d = open();
    QTest::mouseClick(d->chkLOGX, Qt::LeftButton);
    EXPECT_EQ(d->cboXMIN->count(), 12);
    EXPECT_EQ(selection(d->cboXMIN), QStringLiteral("0,2"));
    EXPECT_EQ(selection(d->cboXDIFF), QStringLiteral("20"));
    EXPECT_EQ(d->cboYMIN->count(), 101);
    EXPECT_EQ(d->txtMX->text(), QStringLiteral("0"));
    d->cmdOK_Click();
    EXPECT_EQ(e2("LOGX, LOGY"), QStringLiteral("1|0"));
    EXPECT_EQ(g0("MX"), QStringLiteral("0"));
}

TEST_F(DiagramDialogTest, NonNumberInAScaleBoxGivesTheMessage)
{
    frame({0, 10, 0, 10}, 1, 1, 0.5, 0);
    auto d = open();
    d->txtMX->setText(QStringLiteral("abc"));
    d->txtMY->setText(QStringLiteral("3"));

    // Cancel: nothing written, the dialog stays for a correction.
    ui().answer(vb::vbCancel);
    d->cmdOK_Click();
    ASSERT_EQ(ui().messages.size(), 1);
    EXPECT_EQ(ui().messages[0].text, vb::Procedure::message(QStringLiteral("VB-Fehler: "), 13, QStringLiteral("Type mismatch")));
    EXPECT_EQ(ui().messages[0].title, QStringLiteral("Kontextmenü Diagramm"));
    EXPECT_FALSE(d->written());
    EXPECT_EQ(g0("MX, MY"), QStringLiteral("0,5|0"));

    // OK: the box keeps the stored scale, the rest is written.
    ui().answer(vb::vbOK);
    d->cmdOK_Click();
    EXPECT_TRUE(d->written());
    EXPECT_EQ(g0("MX, MY"), QStringLiteral("0,5|3"));
}

TEST_F(DiagramDialogTest, WithTheCalibrationOpenOnlyTheDivisionIsWritten)
{
    frame({0.37f, 10.37f, 1, 10}, 1, 1);
    auto d = open(false);
    EXPECT_FALSE(d->cboXMIN->isEnabled());
    EXPECT_FALSE(d->optOX[1]->isEnabled());
    EXPECT_TRUE(d->chkLOGY->isEnabled());
    d->chkLOGY->setChecked(true);
    d->cboXMIN->setCurrentIndex(0);
    d->txtMX->setText(QStringLiteral("abc"));
    d->cmdOK_Click();
    EXPECT_TRUE(ui().messages.isEmpty());
    EXPECT_EQ(e2("LOGX, LOGY"), QStringLiteral("0|1"));
    EXPECT_EQ(g0("XMIN, XMAX, MX, OX"), QStringLiteral("0,37|10,37|0,5|1"));
}

TEST_F(DiagramDialogTest, ALogarithmicAxisFromZeroIsNeverStored)
{
    // The output page: the stored 0 is no logarithmic end, so OK asks for one.
    frame({0, 100, 0, 50});
    auto d = open();
    QTest::mouseClick(d->chkLOGX, Qt::LeftButton);
    d->cmdOK_Click();
    EXPECT_FALSE(d->written());
    ASSERT_EQ(ui().messages.size(), 1);
    EXPECT_EQ(ui().messages[0].text,
              QStringLiteral("Xmin muss auf einer logarithmischen Achse größer als 0 sein. Bitte wählen Sie Xmin."));
    EXPECT_EQ(e2("LOGX, LOGY"), QStringLiteral("0|0"));
    choose(d->cboXMIN, QStringLiteral("0,2"));
    d->cmdOK_Click();
    EXPECT_TRUE(d->written());
    EXPECT_EQ(e2("LOGX, LOGY"), QStringLiteral("1|0"));
    EXPECT_EQ(g0("XMIN, XMAX"), QStringLiteral("0,2|100"));

    // The input page: a calibration from 0 cannot be divided logarithmically.
    auto c = open(false);
    QTest::mouseClick(c->chkLOGY, Qt::LeftButton);
    c->cmdOK_Click();
    EXPECT_FALSE(c->written());
    ASSERT_EQ(ui().messages.size(), 2);
    EXPECT_TRUE(ui().messages[1].text.startsWith(QStringLiteral("Die Kalibrierung beginnt bei Ymin = 0:")));
    EXPECT_EQ(e2("LOGX, LOGY"), QStringLiteral("1|0"));
}

TEST_F(DiagramDialogTest, CancelWritesNothing)
{
    auto d = open();
    choose(d->cboXMIN, QStringLiteral("5"));
    QTest::mouseClick(d->chkLOGY, Qt::LeftButton);
    QTest::mouseClick(d->cmdABBRECHEN, Qt::LeftButton);
    EXPECT_EQ(d->result(), QDialog::Rejected);
    EXPECT_EQ(g0("XMIN, XMAX"), QStringLiteral("0|10"));
    EXPECT_EQ(e2("LOGX, LOGY"), QStringLiteral("0|0"));
}

TEST_F(DiagramDialogTest, LeftwardsStoresMinusOneAndTheRedrawnLabelsDescend)
{
    frame({0, 10, 100, 200}, 1, 1, 0, 0);
    auto d = open();
    QTest::mouseClick(d->optOX[1], Qt::LeftButton);
    d->cmdOK_Click();
    EXPECT_EQ(g0("OX, OY"), QStringLiteral("-1|1"));

    vb::RecordingSurface surface(vb::OutputSurface::Kind::Picture, 605, 472);  // 160 x 125 mm
    surface.ScaleMode(vb::OutputSurface::vbMillimeters);
    OutputDiagram diagram(shell.session(), 7);
    vb::Procedure p(QStringLiteral("VB-Fehler: "), QStringLiteral("Bild 11"));
    diagram.draw(p, DrawTarget::screen(surface), {});
    // The x labels are the numbers up to 10 (the y axis runs from 100), read left to right.
    std::vector<std::pair<double, double>> labels;
    for (const auto& t : surface.ofType(vb::RecordingSurface::Type::Text))
        if (const auto v = vb::parseNumber(t.text); v && *v <= 10) labels.emplace_back(t.x1, *v);
    std::sort(labels.begin(), labels.end());
    ASSERT_GE(labels.size(), 2u);
    EXPECT_EQ(labels.front().second, 10);
    EXPECT_EQ(labels.back().second, 0);
}

// A new evaluation starts the diagram from the record's ends: a logarithmic axis chosen here
// must find its own ends there, or Neuberechnen draws it from 0 again.
TEST_F(DiagramDialogTest, ChosenEndsReachTheRecordSoANewEvaluationKeepsThem)
{
    frame({0, 100, 0, 50});
    auto d = open();
    QTest::mouseClick(d->chkLOGX, Qt::LeftButton);
    choose(d->cboXMIN, QStringLiteral("2"));
    d->cmdOK_Click();
    ASSERT_TRUE(d->written());
    EXPECT_EQ(e2("LOGX, XMIN, XMAX, YMIN, YMAX"), QStringLiteral("1|2|100|0|50"));

    OutputDiagram diagram(shell.session(), 7);
    vb::Procedure p(QStringLiteral("VB-Fehler: "), QStringLiteral("Bild 11"));
    diagram.copyRecordFrame(p, {});
    vb::RecordingSurface surface(vb::OutputSurface::Kind::Picture, 605, 472);
    surface.ScaleMode(vb::OutputSurface::vbMillimeters);
    diagram.draw(p, DrawTarget::screen(surface), {});
    EXPECT_EQ(g0("XMIN, XMAX"), QStringLiteral("2|100"));
    EXPECT_TRUE(ui().messages.isEmpty()) << ui().messages.value(0).text.toStdString();
}

// A scale stored for one range does not fit another: a new end or span is drawn at the
// computed scale, as a new division is.
TEST_F(DiagramDialogTest, ANewEndOrSpanStartsOnTheComputedScale)
{
    frame({0, 100, 0, 50}, 1, 1, 0.709, 0.4);
    const auto boxes = [](frmKONTEXT11& d) {
        return std::vector<std::pair<QComboBox*, QLineEdit*>>{
            {d.cboXMIN, d.txtMX}, {d.cboXDIFF, d.txtMX}, {d.cboYMIN, d.txtMY}, {d.cboYDIFF, d.txtMY}};
    };
    for (std::size_t i = 0; i < 4; ++i) {
        auto d = open();
        const auto [box, scale] = boxes(*d)[i];
        const auto [other, otherScale] = boxes(*d)[(i + 2) % 4];
        const int at = box->findText(QStringLiteral("200")) >= 0 ? box->findText(QStringLiteral("200")) : 0;
        box->setCurrentIndex(at);
        emit box->activated(at);
        EXPECT_EQ(scale->text(), QStringLiteral("0")) << box->objectName().toStdString();
        EXPECT_NE(otherScale->text(), QStringLiteral("0")) << other->objectName().toStdString();
    }
}

TEST_F(DiagramDialogTest, AScaleBelowZeroOrBeyondASingleIsRefusedWithItsLimits)
{
    frame({0, 10, 0, 10}, 1, 1, 0.5, 0);
    for (const char* typed : {"-1", "1E40"}) {
        ui().clear();
        auto d = open();
        d->txtMY->setText(QString::fromLatin1(typed));
        d->cmdOK_Click();
        EXPECT_FALSE(d->written()) << typed;
        ASSERT_EQ(ui().messages.size(), 1) << typed;
        EXPECT_EQ(ui().messages[0].text, QStringLiteral("Zahlenwert außerhalb der vorgegeben Schranken:\r\n"
                                                        "Minimum: 0, Maximum: 3,402823E+38"));
        EXPECT_EQ(g0("MX, MY"), QStringLiteral("0,5|0"));
    }
}
