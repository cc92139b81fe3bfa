#include "CaptureFixture.h"

#include "graphics/clsGRAFIK.h"

#include <QTest>

namespace {

using Window = CaptureFixture;

// Enabled states of XMIN, XMAX, YMIN, YMAX, MYMX, the grid frame and options 2, 3, 4.
QString states(frmVELOR& w)
{
    QString s;
    for (QWidget* x : std::initializer_list<QWidget*>{w.txtXMIN, w.txtXMAX, w.txtYMIN, w.txtYMAX, w.txtMYMX, w.fraVELOR,
                                                      w.optAUSWAHL[2], w.optAUSWAHL[3], w.optAUSWAHL[4]})
        s += x->isEnabled() ? QLatin1Char('1') : QLatin1Char('0');
    return s;
}

TEST_F(Window, CaptionsAndStartValuesInTheSessionsFormat)
{
    addPicture();
    frmVELOR& w = open();
    EXPECT_EQ(w.windowTitle(), QStringLiteral("VELOR"));
    EXPECT_EQ(w.txtXMAX->text(), QStringLiteral("1,3"));
    EXPECT_EQ(w.txtYMAX->text(), QStringLiteral("18"));
    EXPECT_EQ(w.txtMYMX->toolTip(), QStringLiteral("Maßstabsverhältnis MY/MX (0= Maßstäbe unabhängig"));
    EXPECT_EQ(w.cmdABBRECHEN->toolTip(), QStringLiteral("Kontextmenü  Velor wird geschlossen ohne zu speichern"));
    EXPECT_EQ(w.IDOBJEKT(), 11);
    EXPECT_EQ(w.pictureFolder(), pictureFolder());
    EXPECT_FALSE(w.cboGRAFIK->isEditable());
}

TEST_F(Window, PictureListWithoutFolderOrFiles)
{
    // Either way a file from elsewhere can still be chosen.
    {
        frmVELOR& w = open();
        EXPECT_EQ(w.cboGRAFIK->count(), 1);
        EXPECT_EQ(w.cboGRAFIK->currentText(), QString());
        EXPECT_FALSE(w.fraEINGABE->isEnabled());
        EXPECT_FALSE(w.fraVORGABEN->isEnabled());
    }
    QDir().mkpath(pictureFolder());
    frmVELOR& w = open();
    EXPECT_EQ(w.cboGRAFIK->currentText(), QStringLiteral("keine"));
    EXPECT_EQ(w.cboGRAFIK->itemText(1), QStringLiteral("Andere Datei \u2026"));
    EXPECT_TRUE(w.cboGRAFIK->isEnabled());
    EXPECT_FALSE(w.fraVELOR->isEnabled());
}

TEST_F(Window, StateTableFollowsTheOptionAndTheCorners)
{
    addPicture();
    frmVELOR& w = openWithPicture();
    EXPECT_EQ(states(w), QStringLiteral("111110000"));  // no option
    w.optAUSWAHL_Click(frmVELOR::XmaxYmin);
    EXPECT_EQ(states(w), QStringLiteral("011010000"));
    w.KLICK(220, 110);
    EXPECT_EQ(states(w), QStringLiteral("011010000"));  // one corner: 2, 3, 4 stay disabled
    w.optAUSWAHL_Click(frmVELOR::XminYmax);
    EXPECT_EQ(states(w), QStringLiteral("100110000"));
    w.KLICK(20, 15);
    EXPECT_EQ(states(w), QStringLiteral("100110111"));
    w.optAUSWAHL_Click(frmVELOR::XminYmin);
    EXPECT_EQ(states(w), QStringLiteral("111110111"));
    w.optAUSWAHL_Click(frmVELOR::POLYGONE);
    EXPECT_EQ(states(w), QStringLiteral("000001111"));
    EXPECT_FALSE(w.chkLOGX->isEnabled());
    w.optAUSWAHL_Click(frmVELOR::XmaxYmin);  // forgets that corner
    EXPECT_EQ(states(w), QStringLiteral("011010000"));
    EXPECT_TRUE(w.chkLOGX->isEnabled());
}

TEST_F(Window, CalibrationWritesTheFrameAndTheTypedEnds)
{
    addPicture();
    exec("INSERT INTO G0 (ID, IDOBJEKT, MYMX, MX, MY) VALUES (1, 11, 2.5, 7, 7)");
    frmVELOR& w = openWithPicture();
    calibrate(w, "0", "1,3", "0", "18");
    // Values typed after the corner clicks reach G0 before the axes are drawn.
    w.optAUSWAHL_Click(frmVELOR::XminYmin);
    w.txtXMAX->setText(QStringLiteral("2,6"));
    w.optAUSWAHL_Click(frmVELOR::POLYGONE);
    EXPECT_TRUE(w.calibration().isCalibrated());
    EXPECT_EQ(column("SELECT OX || ' ' || OY || ' ' || RL || ' ' || RO FROM G0 WHERE IDOBJEKT=11"),
              QStringList({"1 1 20 15"}));
    EXPECT_NEAR(vb::CDbl(vb::Value(column("SELECT RR FROM G0").at(0))), picture->ScaleWidth() - 220, 1e-4);
    EXPECT_NEAR(vb::CDbl(vb::Value(column("SELECT RU FROM G0").at(0))), picture->ScaleHeight() - 110, 1e-4);
    EXPECT_EQ(column("SELECT XMIN || ' ' || XMAX || ' ' || YMIN || ' ' || YMAX || ' ' || MYMX FROM G0 WHERE IDOBJEKT=11"),
              QStringList({"0 2.59999990463257 0 18 0"}));
    // SKALEN has computed the scales from the frame: 2.6 over 200 mm, 18 over 95 mm.
    EXPECT_NEAR(w.engine().frame().MX, 2.6 / 200, 1e-7);
    EXPECT_NEAR(w.engine().frame().MY, 18.0 / 95, 1e-6);
    EXPECT_TRUE(messageTexts().isEmpty()) << messageTexts().join(" | ").toStdString();
}

TEST_F(Window, ClicksBecomePointsShownRoundedInNewRows)
{
    addPicture();
    frmVELOR& w = openWithPicture();
    calibrate(w, "0", "1000", "-50", "45");
    w.MAUSKOORD(120, 62.5);
    EXPECT_EQ(w.fraVELOR->msgFLX->Rows(), 2);  // the position is read out, no row is written
    w.KLICK(120, 62.5);
    w.KLICK(21, 109);
    EXPECT_EQ(cell(1, PointGrid::X), QStringLiteral("500"));
    EXPECT_EQ(cell(1, PointGrid::Y), QStringLiteral("-2,5"));
    EXPECT_EQ(cell(2, PointGrid::X), QStringLiteral("5"));
    EXPECT_EQ(cell(2, PointGrid::PKTNR), QStringLiteral("1"));
    EXPECT_EQ(w.fraVELOR->msgFLX->Rows(), 4);  // the next point's row
}

TEST_F(Window, LogarithmicAxesGiveValues)
{
    addPicture();
    exec("UPDATE E2 SET LOGX = 1, LOGY = 1");
    frmVELOR& w = openWithPicture();
    EXPECT_TRUE(w.chkLOGX->isChecked());
    calibrate(w, "0", "1000", "1", "100");
    // XMIN "0" cannot be the end of a logarithmic axis.
    EXPECT_EQ(messageTexts(), QStringList({"Bei logarithmischer Teilung müssen die Achsenwerte größer als 0 sein!"}));
    EXPECT_FALSE(w.calibration().isCalibrated());
    w.KLICK(120, 62.5);
    EXPECT_EQ(w.model().pointCount(), 0);
    w.optAUSWAHL_Click(frmVELOR::XminYmin);
    w.txtXMIN->setText(QStringLiteral("0,1"));
    w.optAUSWAHL_Click(frmVELOR::POLYGONE);
    ASSERT_TRUE(w.calibration().isCalibrated());
    w.KLICK(120, 62.5);  // the middle: 10^((-1 + 3) / 2) = 10 and 10^1
    EXPECT_EQ(cell(1, PointGrid::X), QStringLiteral("10"));
    EXPECT_EQ(cell(1, PointGrid::Y), QStringLiteral("10"));
    // Far outside the frame the value leaves the double's range: no point, and no message.
    const int before = TestEnvironment::ui().messages.size();
    w.KLICK(1e6, -1e6);
    EXPECT_EQ(w.model().pointCount(), 1);
    EXPECT_EQ(TestEnvironment::ui().messages.size(), before);
}

TEST_F(Window, NoCaptureWithoutACompletedCalibration)
{
    addPicture();
    frmVELOR& w = openWithPicture();
    w.optAUSWAHL_Click(frmVELOR::XmaxYmin);
    w.KLICK(100, 110);
    w.optAUSWAHL_Click(frmVELOR::XminYmax);
    w.KLICK(100, 15);
    w.optAUSWAHL_Click(frmVELOR::POLYGONE);
    EXPECT_EQ(messageTexts(), QStringList({"XMIN und XMAX liegen auf einer parallelen zur x-Achse!"}));
    EXPECT_EQ(TestEnvironment::ui().messages.at(0).title, QStringLiteral("HINWEIS"));
    w.KLICK(50, 50);
    EXPECT_EQ(w.model().pointCount(), 0);
    EXPECT_EQ(column("SELECT COUNT(RL) FROM G0"), QStringList({"0"}));
}

TEST_F(Window, ABoxThatIsNotANumberSetsNoCornerAndStoresNothing)
{
    addPicture();
    frmVELOR& w = openWithPicture();
    w.optAUSWAHL_Click(frmVELOR::XmaxYmin);
    w.txtXMAX->setText(QStringLiteral("1.3"));  // the other separator
    w.KLICK(220, 110);
    EXPECT_EQ(messageTexts(), QStringList({"Eingegeber Wert ist kein gültiges Zahlenformat!"}));
    EXPECT_EQ(TestEnvironment::ui().messages.at(0).title, QStringLiteral("VELOR"));
    EXPECT_FALSE(w.calibration().hasXmaxYmin());
    EXPECT_EQ(column("SELECT COUNT(*) FROM G0"), QStringList({"0"}));
}

TEST_F(Window, TheReleaseEndingADoubleClickIsNoPoint)
{
    addPicture();
    frmVELOR& w = openWithPicture();
    calibrate(w, "0", "1", "0", "1");
    const QPointF at = picture->widgetToScale(QPointF(200, 200));
    w.KLICK(at.x(), at.y());
    QTest::mouseDClick(picture, Qt::LeftButton, {}, QPoint(200, 200));
    w.KLICK(at.x(), at.y());  // what the page forwards for that release
    EXPECT_EQ(w.model().pointCount(), 1);
    w.KLICK(120, 62.5);
    EXPECT_EQ(cell(2, PointGrid::X), QStringLiteral("0,5"));
}

TEST_F(Window, CancelReturnsG0ToWhatItWas)
{
    addPicture();
    exec("INSERT INTO G0 (ID, IDOBJEKT, OX, OY, RL, RR, RO, RU, MYMX) VALUES (1, 11, 1, 1, 11, 10, 10, 11, 0.5)");
    {
        frmVELOR& w = openWithPicture();
        calibrate(w, "0", "1", "0", "1");
        w.cmdABBRECHEN_Click();
        EXPECT_EQ(column("SELECT RL || ' ' || RR || ' ' || MYMX || ' ' || IFNULL(XMAX, '-') FROM G0"), QStringList({"11 10 0.5 -"}));
    }
    exec("DELETE FROM G0");
    frmVELOR& w = openWithPicture();
    calibrate(w, "0", "1", "0", "1");
    w.cmdABBRECHEN_Click();
    EXPECT_EQ(column("SELECT COUNT(*) FROM G0"), QStringList({"0"}));
}

TEST_F(Window, UnstoredPointsAreOfferedForStoringOnClose)
{
    addPicture();
    frmVELOR& w = openWithPicture();
    EXPECT_TRUE(w.queryClose());  // nothing captured: no question
    calibrate(w, "0", "1", "0", "1");
    w.KLICK(120, 62.5);
    TestEnvironment::ui().answer(vb::vbCancel);
    EXPECT_FALSE(w.queryClose());
    EXPECT_EQ(messageTexts().last(), QStringLiteral("Die erfassten Punkte sind noch nicht gespeichert. Speichern?"));
    TestEnvironment::ui().answer(vb::vbYes);
    EXPECT_TRUE(w.queryClose());
    EXPECT_EQ(column("SELECT PX || ' ' || PY FROM G2_2"), QStringList({"0.5 0.5"}));
}

TEST_F(Window, AStoreTheDatabaseRefusesKeepsTheWindowAndItsPointsForAnotherOK)
{
    const QString path = session().cnnX.path();
    session().cnnX.OpenFile(path, 0);  // no waiting for the file: the refusal comes at once
    addPicture();
    frmVELOR& w = openWithPicture();
    calibrate(w, "0", "1", "0", "1");
    w.KLICK(120, 62.5);
    db::Connection reader;  // another program reads the file while OK writes
    reader.OpenFile(path, 0);
    reader.BeginTrans();
    reader.Execute(QStringLiteral("SELECT count(*) FROM [G2_2]"));
    TestEnvironment::ui().clear();
    w.cmdOK_Click();
    ASSERT_EQ(TestEnvironment::ui().messages.size(), 1);
    EXPECT_TRUE(messageTexts().at(0).startsWith(QStringLiteral("VB-Fehler: "))) << messageTexts().at(0).toStdString();
    EXPECT_TRUE(w.isVisible() && w.isEnabled() && picture->isEnabled());
    EXPECT_EQ(TestEnvironment::ui().pointer_, vb::Pointer::Default);
    EXPECT_TRUE(w.fraVELOR->hasUnstoredPoints());
    reader.RollbackTrans();
    w.cmdOK_Click();
    EXPECT_EQ(column("SELECT PX || ' ' || PY FROM G2_2"), QStringList({"0.5 0.5"}));
    EXPECT_FALSE(w.isVisible());
}

// A full disk is said once, as a full disk naming the folder, when POLYGONE writes the frame
// and when OK stores the points; the window keeps its points, and once there is room again
// the same OK stores them.
TEST_F(Window, AFullDiskIsSaidOnceAndTheSameOkStoresOnceThereIsRoom)
{
    addPicture();
    frmVELOR& w = openWithPicture();
    exec("CREATE TABLE ballast (b BLOB)");
    for (const char* table : {"G0", "G2_2"})
        for (const char* event : {"INSERT", "UPDATE"})
            exec(QStringLiteral("CREATE TRIGGER grow_%1_%2 BEFORE %2 ON %1 BEGIN INSERT INTO ballast VALUES (zeroblob(100000)); END")
                     .arg(QLatin1String(table), QLatin1String(event)).toUtf8().constData());
    const auto diskFull = [&](bool full) {
        exec(full ? "PRAGMA max_page_count=1" : "PRAGMA max_page_count=1000000");  // never below the file's size
    };
    const QString said = QStringLiteral("Der Datenträger ist voll: Im Ordner ") + installation.projectFolder(QStringLiteral("P1")) +
                         QStringLiteral(" ist kein Platz mehr frei. Bitte schaffen Sie Platz und versuchen Sie es noch einmal.");
    w.txtXMIN->setText(QStringLiteral("0"));
    w.txtXMAX->setText(QStringLiteral("1"));
    w.txtYMIN->setText(QStringLiteral("0"));
    w.txtYMAX->setText(QStringLiteral("1"));
    w.optAUSWAHL_Click(frmVELOR::XmaxYmin);
    w.KLICK(220, 110);
    w.optAUSWAHL_Click(frmVELOR::XminYmax);
    w.KLICK(20, 15);
    diskFull(true);
    TestEnvironment::ui().clear();
    w.optAUSWAHL_Click(frmVELOR::POLYGONE);
    EXPECT_EQ(messageTexts(), QStringList{said});
    EXPECT_FALSE(w.calibration().isCalibrated());

    diskFull(false);
    w.optAUSWAHL_Click(frmVELOR::POLYGONE);
    ASSERT_TRUE(w.calibration().isCalibrated());
    for (int i = 0; i < 30; ++i) w.KLICK(30 + 5 * i, 62.5);
    diskFull(true);
    TestEnvironment::ui().clear();
    w.cmdOK_Click();
    EXPECT_EQ(messageTexts(), QStringList{said});
    EXPECT_TRUE(w.isVisible());
    EXPECT_TRUE(w.fraVELOR->hasUnstoredPoints());
    EXPECT_EQ(column("SELECT COUNT(*) FROM G2_2"), QStringList({"0"}));

    diskFull(false);
    w.cmdOK_Click();
    EXPECT_EQ(column("SELECT COUNT(*) FROM G2_2"), QStringList({"30"}));
    EXPECT_FALSE(w.isVisible());
    EXPECT_FALSE(session().cnnX.inTransaction());
}

TEST_F(Window, UnreadablePictureGivesTheErrorReport)
{
    QDir().mkpath(pictureFolder());
    QFile f(pictureFolder() + QStringLiteral("/kaputt.jpg"));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("not a picture");
    f.close();
    frmVELOR& w = openWithPicture();
    ASSERT_EQ(TestEnvironment::ui().messages.size(), 1);
    EXPECT_TRUE(messageTexts().at(0).startsWith(QStringLiteral("VB-Fehler: 481\r\n")));
    EXPECT_EQ(TestEnvironment::ui().messages.at(0).title, QStringLiteral("VELOR"));
    // The box keeps showing the picture in use: none.
    EXPECT_EQ(w.cboGRAFIK->currentText(), QString());
    EXPECT_FALSE(w.fraEINGABE->isEnabled());
}

TEST_F(Window, KeysOfTheWindow)
{
    addPicture();
    frmVELOR& w = openWithPicture();
    w.txtXMAX->clear();
    w.txtXMAX->setFocus();
    QTest::keyClick(w.txtXMAX, Qt::Key_1);
    QTest::keyClick(w.txtXMAX, Qt::Key_Period, Qt::KeypadModifier);
    QTest::keyClick(w.txtXMAX, Qt::Key_5);
    EXPECT_EQ(w.txtXMAX->text(), QStringLiteral("1,5"));
    QTest::keyClick(w.txtXMAX, Qt::Key_S, Qt::ControlModifier);
    QTest::keyClick(w.txtXMAX, Qt::Key_Q, Qt::AltModifier);
    EXPECT_EQ(shell.calls, QStringList({"stbMAIN_PanelClick(8)", "mnuBEENDEN_Click"}));
}

}  // namespace


// The line under the options leads from the picture over both corners to the curves, and each
// corner taken shows on the scan.
TEST_F(Window, TheNextStepIsNamedAndEachCornerTakenIsMarked)
{
    addPicture();
    frmVELOR& w = open();
    EXPECT_TRUE(w.lblSCHRITT->text().startsWith(QStringLiteral("Schritt 1: unter \u201EDatei\u201C ein Diagramm wählen")));
    w.cboGRAFIK->setCurrentIndex(0);
    w.cboGRAFIK_Click();
    EXPECT_TRUE(w.lblSCHRITT->text().startsWith(QStringLiteral("Schritt 2: XMAX und YMIN eintragen")));
    w.optAUSWAHL_Click(frmVELOR::XmaxYmin);
    EXPECT_EQ(w.lblSCHRITT->text(), QStringLiteral("Schritt 2: die Ecke XMAX / YMIN des Diagramms anklicken (die Lupe zeigt sie genau)."));
    // Red ink within a few pixels of the corner.
    const auto red = [&](double X, double Y) {
        const QImage shown = picture->image();
        for (int dy = -4; dy <= 4; ++dy)
            for (int dx = -4; dx <= 4; ++dx) {
                const QColor c = shown.pixelColor(mmToPixels(X) + dx, mmToPixels(Y) + dy);
                if (c.red() > 150 && c.green() < 100) return true;
            }
        return false;
    };
    EXPECT_FALSE(red(220, 110));
    w.KLICK(220, 110);
    EXPECT_TRUE(red(220, 110));
    EXPECT_TRUE(w.lblSCHRITT->text().startsWith(QStringLiteral("Schritt 3: XMIN und YMAX eintragen")));
    w.optAUSWAHL_Click(frmVELOR::XminYmax);
    w.KLICK(20, 15);
    EXPECT_TRUE(red(20, 15));
    EXPECT_TRUE(red(220, 110));
    EXPECT_EQ(w.lblSCHRITT->text(), QStringLiteral("Schritt 4: \u201EPOLYGONE\u201C wählen und entlang der Kurven klicken."));
    w.optAUSWAHL_Click(frmVELOR::POLYGONE);
    EXPECT_EQ(w.lblSCHRITT->text(), QStringLiteral("Entlang der Kurven klicken; OK speichert die Punkte."));
}

// Points captured on a logarithmic axis are evaluated on one: storing them takes the ticked
// boxes into the record's division.
TEST_F(Window, StoringTakesTheLogBoxesIntoTheRecord)
{
    addPicture();
    exec("UPDATE E2 SET LOGX = 0, LOGY = 0");
    frmVELOR& w = openWithPicture();
    w.chkLOGY->setChecked(true);
    calibrate(w, "0", "1000", "0,0001", "1000");
    ASSERT_TRUE(w.calibration().isCalibrated());
    w.KLICK(120, 62.5);
    w.KLICK(21, 109);
    w.cmdOK_Click();
    EXPECT_EQ(column(QStringLiteral("SELECT LOGX || '/' || LOGY FROM E2")), QStringList{QStringLiteral("0/1")});
    EXPECT_TRUE(messageTexts().isEmpty()) << messageTexts().join(u'|').toStdString();
}
