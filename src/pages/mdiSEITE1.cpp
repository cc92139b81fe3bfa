#include "pages/mdiSEITE1.h"

#include "data/RecordStore.h"
#include "data/SessionContext.h"
#include "data/ShellWindow.h"
#include "graphics/clsGRAFIK.h"
#include "pages/OutputDiagram.h"
#include "pages/PointTable.h"
#include "platform/ui/Procedure.h"
#include "platform/ui/Ui.h"
#include "platform/vb/Convert.h"

#include <QProgressBar>
#include <QScrollBar>

namespace {

const QString kPrefix = QStringLiteral("VB-Fehler: ");
constexpr double kTwipsPerMm = 56.7;

// The pictures' places on the page, in twips: the diagram 15 mm, 35 mm, 160 mm x 125 mm,
// the table 80 mm wide beside it.
constexpr double kLeft = 850.5, kTop = 1984.5, kWidth11 = 9072, kWidth12 = 4536, kHeight = 7087.5;

}  // namespace

mdiSEITE1::mdiSEITE1(ShellWindow& shell, QWidget* parent) : PageWindow(shell, QStringLiteral("mdiSEITE1"), parent)
{
    picBILD11 = new vb::PictureBox(this);
    picBILD11->setObjectName(QStringLiteral("picBILD11"));
    picBILD11->Tag(QStringLiteral("11"));
    picBILD11->ScaleMode(vbMillimeters);
    picBILD12 = new vb::PictureBox(this);
    picBILD12->setObjectName(QStringLiteral("picBILD12"));
    picBILD12->Tag(QStringLiteral("12"));
    picBILD12->ScaleMode(vbMillimeters);
    vscBILD12 = new QScrollBar(Qt::Vertical, picBILD12);
    vscBILD12->setObjectName(QStringLiteral("vscBILD12"));
    vscBILD12->hide();
    picBILD11->setMouseTracking(true);
    connect(picBILD11, &vb::PictureBox::MouseDown, this, &mdiSEITE1::picBILD11_MouseDown);
    connect(picBILD11, &vb::PictureBox::MouseMove, this, &mdiSEITE1::picBILD11_MouseMove);
    connect(vscBILD12, &QScrollBar::valueChanged, this, &mdiSEITE1::vscBILD12_Change);
}

mdiSEITE1::~mdiSEITE1() = default;

void mdiSEITE1::setProgress(int value)
{
    if (QProgressBar* bar = shell_.progressBar()) bar->setValue(value);
}

void mdiSEITE1::Form_Load()
{
    placeTwips(picBILD11, kLeft, kTop, kWidth11, kHeight);
    placeTwips(picBILD12, kLeft + kWidth11, kTop, kWidth12, kHeight);
    headerShown_ = pageNumberShown_ = true;
    setProgress(40);
    readRecord();
    KOPFFUSS(screen());
    vb::DoEvents();
    BILD11(screen());
    reportPointsOffAxis();
    vb::DoEvents();
    BILD12(screen());
    vb::DoEvents();
    setProgress(95);
    BONEU_ = false;
}

void mdiSEITE1::reportPointsOffAxis()
{
    if (diagram_) diagram_->reportPointsOffAxis(shell_.session().SPRACHE() != 1);
}

void mdiSEITE1::reload()
{
    readRecord();
    drawAll();
    reportPointsOffAxis();
    BONEU_ = false;
}

void mdiSEITE1::drawAll()
{
    Cls();
    if (headerShown_) KOPFFUSS(screen());
    BILD11(screen());
    BILD12(screen());
}

void mdiSEITE1::BILD11(const DrawTarget& page)
{
    vb::Procedure p(kPrefix, QStringLiteral("Bild 11"));
    if (page.onScreen()) p.step([&] { picBILD11->Cls(); });
    diagram_ = std::make_unique<OutputDiagram>(shell_.session(), ID_);
    // Only the first drawing after a new evaluation takes the record's calibration; later
    // drawings keep what the diagram dialog may have changed.
    p.step([&] { points_ = RecordStore(shell_.session()).points(ID_); });
    if (BONEU_) diagram_->copyRecordFrame(p, points_);
    if (page.onScreen()) {
        diagram_->draw(p, DrawTarget::screen(*picBILD11), points_);
        picBILD11->flush();
    } else {
        const QSizeF size(kWidth11 / kTwipsPerMm, kHeight / kTwipsPerMm);
        diagram_->draw(p, page.part(static_cast<float>(kLeft / kTwipsPerMm), static_cast<float>(kTop / kTwipsPerMm), size),
                       points_);
    }
}

void mdiSEITE1::BILD12(const DrawTarget& page)
{
    vb::Procedure p(kPrefix, QStringLiteral("Bild 12"));
    if (drawingTable_) return;
    // The renderer moves and hides the scroll bar while it draws; that is no scrolling.
    drawingTable_ = true;
    const AxisTitles titles = diagram_ ? diagram_->titles() : AxisTitles{};
    if (page.onScreen()) {
        p.step([&] { picBILD12->Cls(); });
        PointTable::draw(p, DrawTarget::screen(*picBILD12), vscBILD12, points_, titles);
        picBILD12->flush();
    } else {
        PointTable::draw(p, page.part(static_cast<float>((kLeft + kWidth11) / kTwipsPerMm), static_cast<float>(kTop / kTwipsPerMm)),
                         vscBILD12, points_, titles);
    }
    drawingTable_ = false;
}

void mdiSEITE1::DRUCKEN()
{
    printSheet(QStringLiteral("Drucken von Seite 1"), [this](vb::Procedure& p, const DrawTarget& sheet) {
        // The page's parts sit 5 mm further right and 3 mm higher on the sheet than on the screen.
        const DrawTarget shifted = sheet.part(5, -3);
        p.step([&] {
            if (headerShown_) KOPFFUSS(sheet);
        });
        p.step([&] { BILD11(shifted); });
        p.step([&] { vb::DoEvents(); });
        p.step([&] { BILD12(shifted); });
        p.step([&] { vb::DoEvents(); });
    });
    drawAll();
}

void mdiSEITE1::KONTEXT(bool HBOKF, bool HBOKFS, vb::OleColor FARBEMDI, vb::OleColor FARBEPIC)
{
    BackColor(FARBEMDI);
    picBILD11->BackColor(FARBEPIC);
    picBILD12->BackColor(FARBEPIC);
    headerShown_ = HBOKF;
    pageNumberShown_ = HBOKFS;
    drawAll();
}

void mdiSEITE1::picBILD11_MouseDown(int button, int, double, double)
{
    if (button != 2) return;
    vb::Procedure p(kPrefix, QStringLiteral("picBILD11_MouseDown"));
    bool changed = false;
    p.step([&] { changed = KONTEXT11(true); });
    BILD11(screen());
    // A division turned logarithmic may leave points without a place: say so now.
    if (changed) reportPointsOffAxis();
}

void mdiSEITE1::picBILD11_MouseMove(int, int, double x, double y)
{
    if (!diagram_ || !diagram_->engine()) return;
    vb::Procedure p(kPrefix, QStringLiteral("picBILD11_MouseMove"));
    p.step([&] {
        float X = 0, Y = 0;
        diagram_->valuesAt(x, y, X, Y);
        // With the table's digits, so that a small range does not read 0 everywhere.
        picBILD11->ToolTipText(PointTable::coordinate(X) + QLatin1Char(';') + PointTable::coordinate(Y));
    });
}

void mdiSEITE1::vscBILD12_Change() { BILD12(screen()); }

void mdiSEITE1::Form_Unload() { diagram_.reset(); }
