#include "PageFixture.h"

#include "pages/mdiESEITE1.h"

#include <QDir>
#include <QPainter>
#include <memory>

namespace {

class InputPage : public PageFixture {
protected:
    mdiESEITE1& open(bool neverEvaluated = true)
    {
        exec(QStringLiteral("INSERT INTO A1 (ID, BONEU) VALUES (7, %1)").arg(neverEvaluated ? 1 : 0));
        page = std::make_unique<mdiESEITE1>(shell);
        page->resize(1000, 700);
        page->Form_Load();
        return *page;
    }
    QStringList g0() { return column(QStringLiteral("SELECT IDOBJEKT||'/'||OX||'/'||OY||'/'||RL||'/'||RR||'/'||RO||'/'||RU||'/'||MYMX FROM G0 WHERE ID=7")); }
    QStringList e3()
    {
        return column(QStringLiteral("SELECT POLYNR||'/'||PKTNR||'/'||IFNULL(GRUPPE,'<null>')||'/'||IFNULL(PX,'<null>')||'/'||IFNULL(PY,'<null>') "
                                     "FROM E3 WHERE ID=7 ORDER BY POLYNR, PKTNR"));
    }
    // What a capture run leaves in the working tables: the calibration and `polygons`
    // polygons of two points each, all labelled `label`.
    void captured(int polygons, const QString& label)
    {
        exec(QStringLiteral("UPDATE G0 SET XMIN=0, XMAX=10, YMIN=0, YMAX=5, OY=-1 WHERE ID=7 AND IDOBJEKT=11"));
        for (int p = 0; p < polygons; ++p) {
            exec(QStringLiteral("INSERT INTO G2_1 (ID, IDOBJEKT, LFDNR, KEN, TXT) VALUES (7, 11, %1, 3, '%2')").arg(p).arg(label));
            for (int q = 0; q < 2; ++q)
                exec(QStringLiteral("INSERT INTO G2_2 (ID, IDOBJEKT, LFDNR, PKTNR, KEN, PX, PY) VALUES (7, 11, %1, %2, 'D', %3, %4)")
                         .arg(p).arg(q).arg(p + q * 0.5).arg(q + 1));
        }
    }
    // Double-clicks the picture with `capture` as the window the shell shows.
    FakeCapture& attach()
    {
        shell.capture = &capture;
        page->picBILD11_DblClick();
        return capture;
    }

    FakeCapture capture;
    std::unique_ptr<mdiESEITE1> page;
};

TEST_F(InputPage, ANeverEvaluatedRecordGetsTheDefaultFrameAndAnEvaluatedOneKeepsItsOwn)
{
    open(true);
    EXPECT_EQ(g0(), QStringList{QStringLiteral("11/1/1/11/10/10/11/0")});
    page.reset();
    exec(QStringLiteral("DELETE FROM A1"));
    exec(QStringLiteral("UPDATE G0 SET RL=20"));
    open(false);
    EXPECT_EQ(g0(), QStringList{QStringLiteral("11/1/1/20/10/10/11/0")});
    EXPECT_TRUE(messages().isEmpty()) << messages().first().text.toStdString();
}

TEST_F(InputPage, MouseGoesToTheCaptureWindowOnlyWhileTheMarkerIsSet)
{
    open();
    page->picBILD11_MouseMove(1, 0, 10, 20);
    page->picBILD11_MouseUp(1, 0, 10, 20);
    EXPECT_TRUE(capture.calls.isEmpty());

    attach();
    EXPECT_EQ(shell.menuTag(QStringLiteral("mnuEINGABEGRAFIK")), QStringLiteral("VELOR"));
    page->picBILD11_MouseUp(1, 0, 5, 5);  // the release ending the double click that opened the window
    page->picBILD11_MouseMove(0, 0, 1, 1);  // no button held: a plain move
    page->picBILD11_MouseMove(1, 0, 10, 20);
    page->picBILD11_MouseUp(2, 0, 11, 21);  // the right button is not a point
    page->picBILD11_MouseUp(1, 0, 12.5, 22);
    EXPECT_EQ(capture.calls, (QStringList{QStringLiteral("MAUSKOORD 10.0 20.0"), QStringLiteral("KLICK 12.5 22.0")}));

    // The capture window closes by itself: the marker goes with it and nothing is routed.
    capture.closeCapture();
    EXPECT_EQ(shell.menuTag(QStringLiteral("mnuEINGABEGRAFIK")), QString());
    capture.calls.clear();
    page->picBILD11_MouseUp(1, 0, 1, 1);
    EXPECT_TRUE(capture.calls.isEmpty());
}

TEST_F(InputPage, WithoutACaptureWindowADoubleClickLeavesNoMarker)
{
    open();
    page->picBILD11_DblClick();
    EXPECT_EQ(shell.menuTag(QStringLiteral("mnuEINGABEGRAFIK")), QString());
}

TEST_F(InputPage, ClosingClosesTheCaptureWindowFirstAndItsAbbrechenKeepsThePage)
{
    open();
    attach().refuseClose = true;
    EXPECT_FALSE(page->closePage());
    EXPECT_FALSE(page->isUnloaded());
    capture.refuseClose = false;
    EXPECT_TRUE(page->closePage());
    EXPECT_TRUE(page->isUnloaded());
    EXPECT_EQ(capture.calls, (QStringList{QStringLiteral("closeCapture"), QStringLiteral("closeCapture")}));
    EXPECT_EQ(shell.menuTag(QStringLiteral("mnuEINGABEGRAFIK")), QString());
}

struct UnloadCase {
    const char* name;
    int oldPolygons;   // rows of E3 before the page opened
    int polygons;      // polygons the capture stored
    const char* label;
    bool stored;       // the capture window stored during the page's life
    QStringList e3;
};

class UnloadCopy : public InputPage, public ::testing::WithParamInterface<UnloadCase> {};

TEST_P(UnloadCopy, CopiesTheCalibrationAndReplacesThePolygonsOnlyAfterAStore)
{
    const UnloadCase& c = GetParam();
    for (int p = 0; p < c.oldPolygons; ++p)
        exec(QStringLiteral("INSERT INTO E3 (ID, POLYNR, PKTNR, GRUPPE, PX, PY) VALUES (7, %1, 0, 'alt', 9, 9)").arg(p));
    exec(QStringLiteral("INSERT INTO E2 (ID, LOGX, LOGY) VALUES (7, 0, 0)"));
    open();
    attach();
    captured(c.polygons, QString::fromLatin1(c.label));
    if (c.stored) capture.store();
    ASSERT_TRUE(page->closePage());
    EXPECT_EQ(e3(), c.e3);
    // Only a calibration the capture made and stored here becomes the record's: G0 also holds
    // frames a zoom or an evaluation left.
    EXPECT_EQ(column(QStringLiteral("SELECT OX||'/'||OY||'/'||XMAX||'/'||YMAX||'/'||LOGX FROM E2 WHERE ID=7")),
              QStringList{c.stored ? QStringLiteral("1/-1/10/5/0") : QStringLiteral("<null>")});
    EXPECT_TRUE(messages().isEmpty());
}

const QStringList kOld = {QStringLiteral("0/0/alt/9/9"), QStringLiteral("1/0/alt/9/9"), QStringLiteral("2/0/alt/9/9")};

INSTANTIATE_TEST_SUITE_P(
    Cases, UnloadCopy,
    ::testing::Values(
        UnloadCase{"EmptyGroupLabelGivesOneWholeRowPerPoint", 0, 2, "", true,
                   {QStringLiteral("0/0/<null>/0/1"), QStringLiteral("0/1/<null>/0.5/2"), QStringLiteral("1/0/<null>/1/1"),
                    QStringLiteral("1/1/<null>/1.5/2")}},
        UnloadCase{"GroupLabelGoesWithEveryPoint", 0, 1, "Kurve A", true,
                   {QStringLiteral("0/0/Kurve A/0/1"), QStringLiteral("0/1/Kurve A/0.5/2")}},
        UnloadCase{"FewerPolygonsThanBeforeLeaveNoOldOnes", 3, 1, "", true,
                   {QStringLiteral("0/0/<null>/0/1"), QStringLiteral("0/1/<null>/0.5/2")}},
        UnloadCase{"NothingStoredLeavesThePolygonsAlone", 3, 1, "", false, kOld}),
    [](const auto& info) { return std::string(info.param.name); });

// The program ended between the capture's OK and closing the page: the next opening of the
// record's input page offers the stored points; refused, they are dropped.
TEST_F(InputPage, PointsTheRecordNeverTookOverAreOfferedOnOpening)
{
    exec(QStringLiteral("INSERT INTO E3 (ID, POLYNR, PKTNR, GRUPPE, PX, PY) VALUES (7, 0, 0, 'alt', 9, 9)"));
    captured(2, QStringLiteral("neu"));
    TestEnvironment::ui().answer(vb::vbNo);
    open(false);
    ASSERT_EQ(messages().size(), 1);
    EXPECT_TRUE(messages()[0].text.contains(QStringLiteral("4 gespeicherte Punkte")));
    EXPECT_EQ(e3(), QStringList{QStringLiteral("0/0/alt/9/9")});
    EXPECT_EQ(column(QStringLiteral("SELECT COUNT(*) FROM G2_2")), QStringList{QStringLiteral("0")});
    page.reset();

    TestEnvironment::ui().clear();
    exec(QStringLiteral("DELETE FROM A1"));
    captured(1, QStringLiteral("neu"));
    TestEnvironment::ui().answer(vb::vbYes);
    open(false);
    EXPECT_EQ(e3(), (QStringList{QStringLiteral("0/0/neu/0/1"), QStringLiteral("0/1/neu/0.5/2")}));
    page.reset();
    TestEnvironment::ui().clear();
    exec(QStringLiteral("DELETE FROM A1"));
    open(false);  // taken over: nothing to offer any more
    EXPECT_TRUE(messages().isEmpty());
}

TEST_F(InputPage, AStoreMarksTheRecordForANewEvaluation)
{
    open(false);
    attach();
    captured(1, QString());
    capture.store();
    ASSERT_TRUE(page->closePage());
    EXPECT_EQ(column(QStringLiteral("SELECT 'BONEU '||BONEU FROM A1 WHERE ID=7")), QStringList{QStringLiteral("BONEU 1")});
}

TEST_F(InputPage, ClosingBeforeAnyCaptureChangesNeitherE2NorE3)
{
    exec(QStringLiteral("INSERT INTO E2 (ID, LOGX, LOGY, XMAX) VALUES (7, 1, 0, 77)"));
    exec(QStringLiteral("INSERT INTO E3 (ID, POLYNR, PKTNR, PX, PY) VALUES (7, 0, 0, 1, 2)"));
    open(false);
    exec(QStringLiteral("DELETE FROM G0"));
    ASSERT_TRUE(page->closePage());
    EXPECT_EQ(column(QStringLiteral("SELECT LOGX||'/'||XMAX FROM E2 WHERE ID=7")), QStringList{QStringLiteral("1/77")});
    EXPECT_EQ(e3(), QStringList{QStringLiteral("0/0/<null>/1/2")});
}

TEST_F(InputPage, AFailedCopyKeepsThePageOpenAndTheRecordAsItWas)
{
    exec(QStringLiteral("INSERT INTO E3 (ID, POLYNR, PKTNR, PX, PY) VALUES (7, 0, 0, 1, 2)"));
    open();
    attach();
    captured(1, QString());
    capture.store();
    // A point whose value E3 cannot take fails the copy halfway.
    exec(QStringLiteral("INSERT INTO G2_2 (ID, IDOBJEKT, LFDNR, PKTNR, KEN, PX, PY) VALUES (7, 11, 0, 5, 'D', 'kein Wert', 1)"));
    TestEnvironment::ui().answer(vb::vbOK);
    EXPECT_FALSE(page->closePage());
    EXPECT_FALSE(page->isUnloaded());
    EXPECT_EQ(e3(), QStringList{QStringLiteral("0/0/<null>/1/2")});
    ASSERT_EQ(messages().size(), 1);
    EXPECT_TRUE(page->isEnabled());
}

TEST_F(InputPage, PrintingPutsThePictureAsSeenOnTheSheetAndKeepsItOnTheScreen)
{
    open();
    page->picBILD11->Line(10, 10, 200, 100, vb::RGB(255, 0, 0));
    page->picBILD11->flush();
    const QImage before = page->picBILD11->image();
    page->DRUCKEN();
    EXPECT_EQ(page->picBILD11->image(), before);
    const QStringList pdfs = QDir(prints.path()).entryList({QStringLiteral("*.pdf")});
    ASSERT_EQ(pdfs.size(), 1);
    QFile pdf(QDir(prints.path()).filePath(pdfs.first()));
    ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
    // The picture travels as an image object in the PDF.
    EXPECT_TRUE(pdf.readAll().contains("/Subtype /Image"));
}

}  // namespace

namespace {

struct KeyCase {
    const char* name;
    int key;
    int shift;
    const char* call;  // what reaches the main window; empty: nothing
};

class PageKeys : public InputPage, public ::testing::WithParamInterface<KeyCase> {};

TEST_P(PageKeys, ReachTheCommandPanelsOfTheMainWindow)
{
    open();
    shell.calls.clear();
    page->Form_KeyDown(GetParam().key, GetParam().shift);
    EXPECT_EQ(shell.calls.join(QLatin1Char(' ')), QString::fromLatin1(GetParam().call));
}

INSTANTIATE_TEST_SUITE_P(Cases, PageKeys,
                         ::testing::Values(KeyCase{"Escape", Qt::Key_Escape, 0, "stbMAIN_PanelClick(15)"},
                                           KeyCase{"AltQ", Qt::Key_Q, 4, "mnuBEENDEN_Click"},
                                           KeyCase{"CtrlA", Qt::Key_A, 2, "stbMAIN_PanelClick(14)"},
                                           KeyCase{"CtrlC", Qt::Key_C, 2, "stbMAIN_PanelClick(12)"},
                                           KeyCase{"CtrlP", Qt::Key_P, 2, "stbMAIN_PanelClick(11)"},
                                           KeyCase{"CtrlS", Qt::Key_S, 2, "stbMAIN_PanelClick(10)"},
                                           KeyCase{"CtrlW", Qt::Key_W, 2, "stbMAIN_PanelClick(13)"},
                                           KeyCase{"PlainQ", Qt::Key_Q, 0, ""}, KeyCase{"CtrlShiftS", Qt::Key_S, 3, ""}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(InputPage, ActivationTakesTheAutoCadPanelAway)
{
    open();
    shell.calls.clear();
    page->Form_Activate();
    EXPECT_EQ(shell.calls, QStringList{QStringLiteral("setPanelEnabled(14,0)")});
}

}  // namespace
