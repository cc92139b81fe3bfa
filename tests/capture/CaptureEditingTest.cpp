// A capture that stays safe and editable: it opens on what is stored, clicks append, points
// are corrected, moved, deleted and undone on the picture and in the grid, and the faults of
// the first pass stay mended.
#include "CaptureFixture.h"

#include <QApplication>
#include <QMouseEvent>
#include <QSignalSpy>
#include <QTest>

namespace {

// The scan is 1200 x 625 pixels; the frame runs from pixel (100.5, 50.5) to (1100.5, 600.5),
// ten pixels to a unit on both axes: x 0 ... 100, y 0 ... 55.
class Editing : public CaptureFixture {
protected:
    frmVELOR& start()
    {
        addPicture();
        frmVELOR& w = openWithPicture();
        route(w);
        return w;
    }
    // The page's part: moves with the left button held and releases go to the window.
    void route(frmVELOR& w)
    {
        QObject::connect(picture, &vb::PictureBox::MouseMove, &w, [&w](int button, int, double x, double y) {
            if (button & 1) w.MAUSKOORD(x, y);
        });
        QObject::connect(picture, &vb::PictureBox::MouseUp, &w, [&w](int button, int, double x, double y) {
            if (button == 1) w.KLICK(x, y);
        });
    }
    void send(QEvent::Type type, const QPointF& scanPixel, Qt::MouseButtons held)
    {
        const QPointF at = picture->scanToWidget(scanPixel);
        QMouseEvent e(type, at, picture->mapToGlobal(at), Qt::LeftButton, held, Qt::NoModifier);
        QApplication::sendEvent(picture, &e);
    }
    void clickPx(double x, double y)
    {
        send(QEvent::MouseButtonPress, {x, y}, Qt::LeftButton);
        send(QEvent::MouseButtonRelease, {x, y}, Qt::NoButton);
    }
    void dragPx(const QPointF& from, const QPointF& to)
    {
        send(QEvent::MouseButtonPress, from, Qt::LeftButton);
        send(QEvent::MouseMove, (from + to) / 2, Qt::LeftButton);
        send(QEvent::MouseMove, to, Qt::LeftButton);
        send(QEvent::MouseButtonRelease, to, Qt::NoButton);
    }
    // A unit is ten pixels: the pixel of value (x, y).
    static QPointF at(double x, double y) { return {100.5 + 10 * x, 600.5 - 10 * y}; }
    void clickAt(double x, double y) { clickPx(at(x, y).x(), at(x, y).y()); }
    void calibrate(frmVELOR& w, const QString& xmin = QStringLiteral("0"), const QString& xmax = QStringLiteral("100"))
    {
        w.txtXMIN->setText(xmin);
        w.txtXMAX->setText(xmax);
        w.txtYMIN->setText(QStringLiteral("0"));
        w.txtYMAX->setText(QStringLiteral("55"));
        w.optAUSWAHL_Click(frmVELOR::XmaxYmin);
        clickPx(1100.5, 600.5);
        w.optAUSWAHL_Click(frmVELOR::XminYmax);
        clickPx(100.5, 50.5);
        w.optAUSWAHL_Click(frmVELOR::POLYGONE);
    }
    // Types into a cell of the grid as the user does: the editor opens, Enter commits.
    void type(frmVELOR& w, int row, int col, const QString& text)
    {
        PointGrid& g = *w.fraVELOR;
        g.msgFLX->setRow(row);
        g.msgFLX->setCol(col);
        g.msgFLX_DblClick();
        g.txtFLX->setText(text);
        g.txtFLX_KeyPress(13);
    }
    QStringList gridRows(frmVELOR& w) const
    {
        QStringList out;
        for (int r = 1; r < w.fraVELOR->msgFLX->Rows(); ++r) {
            QStringList cells;
            for (int c = 0; c < 5; ++c) cells << cell(r, c);
            out << cells.join(QLatin1Char(' ')).trimmed();
        }
        return out;
    }
    // Pixels of the picture's drawings over the white scan.
    int drawnPixels()
    {
        const QImage shot = picture->image();
        int n = 0;
        for (int y = 0; y < shot.height(); ++y)
            for (int x = 0; x < shot.width(); ++x) n += shot.pixel(x, y) != qRgb(255, 255, 255);
        return n;
    }
    QStringList stored() { return column("SELECT LFDNR || '/' || PKTNR || ' ' || PX || ' ' || PY FROM G2_2 ORDER BY LFDNR, PKTNR"); }
    // What closing the page does with a capture's polygons.
    void closePage()
    {
        exec("DELETE FROM E3");
        exec("INSERT INTO E3 (ID, POLYNR, PKTNR, GRUPPE, PX, PY) SELECT p.ID, p.LFDNR, p.PKTNR, h.TXT, p.PX, p.PY FROM G2_2 p "
             "JOIN G2_1 h ON h.ID = p.ID AND h.LFDNR = p.LFDNR AND h.IDOBJEKT = p.IDOBJEKT");
        exec("DELETE FROM G2_1");
        exec("DELETE FROM G2_2");
    }
};

// After a group name was typed into the first row, and after a row was selected for a
// correction, every click still adds a point: only the click right after the selection moves
// the selected point.
TEST_F(Editing, ClicksAppendAfterAGroupNameAndAfterACorrection)
{
    frmVELOR& w = start();
    calibrate(w);
    type(w, 1, PointGrid::GRUPPE, QStringLiteral("A"));
    for (int i = 1; i <= 5; ++i) clickAt(10 * i, i);
    EXPECT_EQ(gridRows(w), (QStringList{"A 0 0 10 1", "A 0 1 20 2", "A 0 2 30 3", "A 0 3 40 4", "A 0 4 50 5", "A 0 5"}));
    w.fraVELOR->msgFLX->setRow(2);
    w.fraVELOR->msgFLX_Click();
    clickAt(22, 2.5);
    clickAt(60, 6);
    EXPECT_EQ(gridRows(w), (QStringList{"A 0 0 10 1", "A 0 1 22 2,5", "A 0 2 30 3", "A 0 3 40 4", "A 0 4 50 5", "A 0 5 60 6", "A 0 6"}));
    w.cmdKURVE_Click();
    type(w, 7, PointGrid::GRUPPE, QStringLiteral("B"));
    clickAt(1, 1);
    w.cmdOK_Click();
    EXPECT_EQ(column("SELECT LFDNR || TXT FROM G2_1 ORDER BY LFDNR"), (QStringList{"0A", "1B"}));
    EXPECT_EQ(stored().size(), 7);
    EXPECT_TRUE(messageTexts().isEmpty()) << messageTexts().join(" | ").toStdString();
}

// The window opens on the stored capture: the grid, the scan and its calibration and every
// point's pixel, whether the page has taken the points over yet or not. OK without a change
// keeps them; an OK that would remove stored points asks first.
TEST_F(Editing, ReopeningShowsTheStoredCaptureAndOkRemovesNothingUnasked)
{
    {
        frmVELOR& w = start();
        calibrate(w);
        type(w, 1, PointGrid::GRUPPE, QStringLiteral("A"));
        w.txtXTITEL->setText(QStringLiteral("s [mm]"));
        w.txtYTITEL->setText(QStringLiteral("σ [kN/m²]"));
        clickAt(10, 1);
        clickAt(20.0543, 2);
        w.cmdKURVE_Click();
        clickAt(30, 3);
        w.cmdOK_Click();
    }
    const QStringList expected{"A 0 0 10 1", "A 0 1 20,054 2", "A 1 0 30 3", "A 1 1"};
    const QStringList before = stored();
    for (bool taken : {false, true}) {
        if (taken) closePage();
        window.reset();
        frmVELOR& w = open();
        route(w);
        EXPECT_EQ(gridRows(w), expected) << taken;
        EXPECT_EQ(w.cboGRAFIK->currentText(), QStringLiteral("scan.png"));
        EXPECT_EQ(w.txtXTITEL->text() + u'|' + w.txtYTITEL->text(), QStringLiteral("s [mm]|σ [kN/m²]"));
        EXPECT_TRUE(w.optAUSWAHL[frmVELOR::POLYGONE]->isChecked());
        EXPECT_TRUE(w.calibration().isCalibrated());
        EXPECT_EQ(w.model().point({0, 1}).pixel, at(20.0543, 2));
        EXPECT_NEAR(w.model().point({0, 1}).x, 20.0543, 1e-9);  // whole, not as shown
        EXPECT_FALSE(w.fraVELOR->hasUnstoredPoints());
        w.cmdOK_Click();
        EXPECT_EQ(stored(), before);
    }
    EXPECT_TRUE(messageTexts().isEmpty()) << messageTexts().join(" | ").toStdString();

    closePage();
    window.reset();
    frmVELOR& w = open();
    w.fraVELOR->msgFLX->setRow(1);
    w.fraVELOR->msgFLX->setRowSel(3);
    w.fraVELOR->cmdW_Click();
    TestEnvironment::ui().answer(vb::vbNo);
    w.cmdOK_Click();
    EXPECT_EQ(messageTexts(), QStringList{"3 gespeicherte Punkte werden entfernt. Trotzdem speichern?"});
    EXPECT_TRUE(w.isVisible());
    EXPECT_EQ(column("SELECT COUNT(*) FROM G2_2"), QStringList{"0"});
}

// A click's values travel to the database whole: on an axis from 2451000 to 2451010 clicks
// half a unit apart stay half a unit apart.
TEST_F(Editing, ValuesKeepTheirDigitsFromTheClickToTheStore)
{
    frmVELOR& w = start();
    calibrate(w, QStringLiteral("2451000"), QStringLiteral("2451100"));
    for (int i = 0; i < 4; ++i) clickAt(0.5 * i, 1);
    w.cmdOK_Click();
    EXPECT_EQ(column("SELECT printf('%.2f', PX) FROM G2_2 ORDER BY PKTNR"),
              (QStringList{"2451000.00", "2451000.50", "2451001.00", "2451001.50"}));
}

TEST_F(Editing, EqualEndsAreRefusedAtTheCorner)
{
    frmVELOR& w = start();
    w.txtXMIN->setText(QStringLiteral("5"));
    w.txtXMAX->setText(QStringLiteral("5"));
    w.optAUSWAHL_Click(frmVELOR::XmaxYmin);
    clickPx(1100.5, 600.5);
    EXPECT_EQ(messageTexts(), QStringList{"XMIN und XMAX dürfen nicht gleich sein!"});
    EXPECT_EQ(TestEnvironment::ui().messages.at(0).title, QStringLiteral("HINWEIS"));
    EXPECT_FALSE(w.calibration().hasXmaxYmin());
    EXPECT_EQ(column("SELECT COUNT(*) FROM G0"), QStringList{"0"});
}

// Two quick clicks on neighbouring points arrive as a double click; they are two points. The
// release ending a double click on one place is still no point of its own.
TEST_F(Editing, TwoQuickClicksApartAreTwoPoints)
{
    frmVELOR& w = start();
    calibrate(w);
    clickAt(10, 1);
    send(QEvent::MouseButtonDblClick, at(11, 1), Qt::LeftButton);
    send(QEvent::MouseButtonRelease, at(11, 1), Qt::NoButton);
    send(QEvent::MouseButtonDblClick, at(11, 1), Qt::LeftButton);
    send(QEvent::MouseButtonRelease, at(11, 1), Qt::NoButton);
    EXPECT_EQ(w.model().pointCount(), 2);
}

// The title bar's close is Cancel: the frame goes back, the picture is bare again and later
// clicks reach no hidden window.
TEST_F(Editing, ClosingTheWindowIsCancel)
{
    frmVELOR& w = start();
    QSignalSpy closed(&w, &frmVELOR::closed);
    calibrate(w);
    clickAt(10, 1);
    TestEnvironment::ui().answer(vb::vbNo);  // do not store
    w.close();
    EXPECT_EQ(messageTexts(), QStringList{"Die erfassten Punkte sind noch nicht gespeichert. Speichern?"});
    EXPECT_EQ(closed.count(), 1);
    EXPECT_EQ(column("SELECT COUNT(*) FROM G0"), QStringList{"0"});
    EXPECT_EQ(column("SELECT COUNT(*) FROM G2_2"), QStringList{"0"});
    EXPECT_EQ(drawnPixels(), 0);  // no axis, no cross left
}

// Another scan after calibrating asks whether the calibration still holds; an unreadable one
// leaves the previous scan chosen.
TEST_F(Editing, AnotherScanAsksAboutTheCalibration)
{
    addPicture(QStringLiteral("b.png"));
    frmVELOR& w = start();
    calibrate(w);
    const QString first = w.cboGRAFIK->currentText();
    const QString other = first == QStringLiteral("b.png") ? QStringLiteral("scan.png") : QStringLiteral("b.png");
    QFile broken(pictureFolder() + QStringLiteral("/c.png"));
    ASSERT_TRUE(broken.open(QIODevice::WriteOnly));
    broken.write("no picture");
    broken.close();
    w.cboGRAFIK->addItem(QStringLiteral("c.png"));
    w.cboGRAFIK->setCurrentText(QStringLiteral("c.png"));
    w.cboGRAFIK_Click();
    EXPECT_EQ(w.cboGRAFIK->currentText(), first);
    EXPECT_TRUE(w.calibration().isCalibrated());
    TestEnvironment::ui().clear();
    TestEnvironment::ui().answer(vb::vbNo);  // calibrate anew
    w.cboGRAFIK->setCurrentText(other);
    w.cboGRAFIK_Click();
    EXPECT_EQ(messageTexts().size(), 1);
    EXPECT_FALSE(w.calibration().hasBothCorners());
    EXPECT_FALSE(w.optAUSWAHL[frmVELOR::POLYGONE]->isEnabled());
    EXPECT_TRUE(w.model().clicks().empty());
}

// Markers are drawn over the scan at one screen size at every zoom, in a colour per curve,
// and are no drawings of the picture; a point's marker comes, moves and goes with it (also
// once the markers are kept drawn); Cancel takes them and the axes away.
TEST_F(Editing, MarkersKeepTheirSizeAndLeaveNothingBehind)
{
    frmVELOR& w = start();
    calibrate(w);
    const auto reach = [&](const QPointF& px) {
        const QImage shown = picture->grab().toImage();
        const QPoint c = picture->scanToWidget(px).toPoint();
        int extent = 0;
        while (extent < 60 && shown.pixelColor(c + QPoint(extent + 1, 0)) != Qt::white) ++extent;
        return std::pair{extent, shown.pixelColor(c + QPoint(2, 0))};
    };
    clickAt(50, 25);
    EXPECT_GT(reach(at(50, 25)).first, 0);
    clickAt(55, 25);
    EXPECT_GT(reach(at(55, 25)).first, 0);
    w.model().undoStack().undo();
    EXPECT_EQ(reach(at(55, 25)).first, 0);
    dragPx(at(50, 25), at(50, 30));
    EXPECT_EQ(reach(at(50, 25)).first, 0);
    EXPECT_GT(reach(at(50, 30)).first, 0);
    w.model().undoStack().undo();
    w.cmdKURVE_Click();
    clickAt(60, 25);
    const auto [atFit, colour] = reach(at(50, 25));
    EXPECT_NE(reach(at(60, 25)).second, colour);  // the second curve has its own colour
    picture->zoomBy(6, picture->scanToWidget(at(50, 25)));
    EXPECT_EQ(reach(at(50, 25)).first, atFit);
    EXPECT_LE(atFit, 8);
    w.cmdABBRECHEN_Click();
    EXPECT_EQ(drawnPixels(), 0);
    EXPECT_EQ(reach(at(50, 25)).first, 0);
}

// Where two curves run close, a click beside the other curve's marker adds to the current
// curve; only a marker of the current curve is taken for correcting.
TEST_F(Editing, AClickBesideAnotherCurvesMarkerAddsToTheCurrentCurve)
{
    frmVELOR& w = start();
    calibrate(w);
    clickAt(10, 1);
    w.cmdKURVE_Click();
    clickAt(10, 1.1);  // one pixel beside the first curve's point
    EXPECT_FALSE(w.model().correcting());
    EXPECT_EQ(w.model().curves()[1].points.size(), 1u);
    clickAt(10, 1.1);  // on the current curve's own marker: taken for correcting
    EXPECT_EQ(w.model().correcting(), (PointRef{1, 0}));
    EXPECT_EQ(w.model().pointCount(), 2);
}

// Every click, move, deletion, new curve and corner undoes and redoes, with the keys and the
// buttons; a marker dragged moves its point, Delete on the picture removes the selected one.
TEST_F(Editing, UndoRedoOfEveryEdit)
{
    frmVELOR& w = start();
    calibrate(w);
    clickAt(10, 1);
    clickAt(20, 2);
    dragPx(at(20, 2), at(25, 3));
    EXPECT_EQ(gridRows(w).mid(0, 2), (QStringList{"0 0 10 1", "0 1 25 3"}));
    clickAt(10, 1);  // on its marker: selects the point
    EXPECT_EQ(w.model().correcting(), (PointRef{0, 0}));
    QTest::keyClick(picture, Qt::Key_Delete);
    EXPECT_EQ(w.model().pointCount(), 1);
    QTest::keyClick(picture, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(w.model().pointCount(), 2);
    QTest::keyClick(&w, Qt::Key_Z, Qt::ControlModifier);  // the move
    EXPECT_EQ(cell(2, PointGrid::X), QStringLiteral("20"));
    QTest::keyClick(&w, Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(cell(2, PointGrid::X), QStringLiteral("25"));
    QTest::keyClick(&w, Qt::Key_Z, Qt::ControlModifier);
    QTest::keyClick(&w, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(cell(2, PointGrid::X), QStringLiteral("25"));
    w.cmdKURVE_Click();
    EXPECT_EQ(w.model().curves().size(), 2u);
    w.cmdRUECK->click();
    EXPECT_EQ(w.model().curves().size(), 1u);
    EXPECT_TRUE(w.cmdVOR->isEnabled());
    // Undoing all the way takes the corners back too: no calibration, no capture.
    while (w.cmdRUECK->isEnabled()) w.cmdRUECK->click();
    EXPECT_EQ(w.model().pointCount(), 0);
    EXPECT_FALSE(w.calibration().hasBothCorners());
}

// On the picture the arrow keys move by one scan pixel, with Shift by ten, and Enter clicks
// there; the read-out shows where.
TEST_F(Editing, ArrowKeysPlaceAPointToTheScanPixel)
{
    frmVELOR& w = start();
    calibrate(w);
    send(QEvent::MouseMove, at(10, 10), Qt::NoButton);
    for (int i = 0; i < 3; ++i) QTest::keyClick(picture, Qt::Key_Right);
    QTest::keyClick(picture, Qt::Key_Up, Qt::ShiftModifier);
    EXPECT_EQ(w.keyboardPixel(), at(10.3, 11));
    EXPECT_TRUE(picture->loupe());
    EXPECT_TRUE(w.lblPOSITION->text().contains(QStringLiteral("X = 10,3"))) << w.lblPOSITION->text().toStdString();
    QTest::keyClick(picture, Qt::Key_Return);
    EXPECT_EQ(gridRows(w).first(), QStringLiteral("0 0 10,3 11"));
}

}  // namespace
