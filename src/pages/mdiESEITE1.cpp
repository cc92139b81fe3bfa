#include "pages/mdiESEITE1.h"

#include "data/PointCapture.h"
#include "data/RecordStore.h"
#include "data/SessionContext.h"
#include "data/ShellWindow.h"
#include "data/clsDATEN.h"
#include "platform/surface/PainterSurface.h"
#include "platform/ui/Procedure.h"
#include "platform/ui/Ui.h"
#include "platform/vb/Convert.h"
#include "platform/vb/VbError.h"

#include <utility>

namespace {

const QString kPrefix = QStringLiteral("VB-Fehler: ");
const QString kMarkerMenu = QStringLiteral("mnuEINGABEGRAFIK");
const QString kMarker = QStringLiteral("VELOR");
constexpr int16_t kDiagram = 11;
constexpr double kTwipsPerMm = 56.7;

// The picture's place on the page, in twips: 15 mm, 35 mm, 240 mm x 125 mm.
constexpr double kLeft = 850.5, kTop = 1984.5, kWidth = 13608, kHeight = 7087.5;

// While the unload copy writes, nobody may type or click into the windows.
class WindowsDisabled {
public:
    explicit WindowsDisabled(QWidget* window) : window_(window) { window_->setEnabled(false); }
    ~WindowsDisabled() { window_->setEnabled(true); }

private:
    QWidget* window_;
};

}  // namespace

mdiESEITE1::mdiESEITE1(ShellWindow& shell, QWidget* parent) : PageWindow(shell, QStringLiteral("mdiESEITE1"), parent)
{
    picBILD11 = new vb::PictureBox(this);
    picBILD11->setObjectName(QStringLiteral("picBILD11"));
    picBILD11->Tag(QStringLiteral("11"));
    picBILD11->ScaleMode(vbMillimeters);
    picBILD11->BorderStyle(1);
    picBILD11->PlaceholderText(shell_.session().SPRACHE() == 1 ? QStringLiteral("Double-click: load a diagram")
                                                               : QStringLiteral("Doppelklick: Diagramm laden"));
    connect(picBILD11, &vb::PictureBox::DblClick, this, &mdiESEITE1::picBILD11_DblClick);
    connect(picBILD11, &vb::PictureBox::MouseDown, this, &mdiESEITE1::picBILD11_MouseDown);
    connect(picBILD11, &vb::PictureBox::MouseMove, this, &mdiESEITE1::picBILD11_MouseMove);
    connect(picBILD11, &vb::PictureBox::MouseUp, this, &mdiESEITE1::picBILD11_MouseUp);
}

mdiESEITE1::~mdiESEITE1()
{
    if (capture_) capture_->onClosed(nullptr);
}

void mdiESEITE1::Form_Load()
{
    placeTwips(picBILD11, kLeft, kTop, kWidth, kHeight);
    headerShown_ = pageNumberShown_ = true;
    readRecord();
    KOPFFUSS(screen());
    vb::DoEvents();
    BILD11(screen());
    vb::DoEvents();
    BONEU_ = false;
    offerUntakenCapture();
}

void mdiESEITE1::offerUntakenCapture()
{
    vb::Procedure p(kPrefix, QStringLiteral("Form_Load"));
    RecordStore store(shell_.session());
    PolygonPoints untaken;
    p.step([&] { untaken = store.untakenPolygons(ID_, kDiagram); });
    if (untaken.empty()) return;
    const int answer = vb::MsgBox(QStringLiteral("Die Eingabegrafik hat %1 gespeicherte Punkte, die nicht in den Datensatz übernommen "
                                                 "wurden (das Programm wurde vor dem Schließen der Seite beendet). Übernehmen?")
                                      .arg(untaken.size()),
                                  vb::vbYesNo | vb::vbQuestion, shell_.session().title());
    if (answer == vb::vbYes) {
        stored_ = true;
        if (copyIntoRecord()) stored_ = false;
        return;
    }
    p.step([&] { store.writeWorkingPolygons(ID_, kDiagram, {}); });
}

void mdiESEITE1::reload()
{
    readRecord();
    if (headerShown_) KOPFFUSS(screen());
    BILD11(screen());
    BONEU_ = false;
}

void mdiESEITE1::BILD11(const DrawTarget& page)
{
    vb::Procedure p(kPrefix, QStringLiteral("Bild 11"));
    // A record never evaluated starts with the default frame: margins 11/10/10/11 mm, both
    // axes growing right and up, no fixed ratio.
    p.step([&] {
        if (!BONEU_) return;
        clsDATEN& g0 = dat(QStringLiteral("G0"));
        const IndexPairs diagram(QStringLiteral("IDOBJEKT"), kDiagram);
        g0.DVTI(QStringLiteral("OX"), 1, diagram);
        g0.DVTI(QStringLiteral("OY"), 1, diagram);
        g0.DVTS(QStringLiteral("RL"), 11, diagram);
        g0.DVTS(QStringLiteral("RR"), 10, diagram);
        g0.DVTS(QStringLiteral("RO"), 10, diagram);
        g0.DVTS(QStringLiteral("RU"), 11, diagram);
        g0.DVTS(QStringLiteral("MYMX"), 0, diagram);
    });
    // The scales and crosses on the screen picture belong to the capture window: the page
    // draws nothing there and clears nothing. On the printer the picture goes as it is seen,
    // scan, axes and crosses, at its place on the page.
    p.step([&] {
        auto* sheet = dynamic_cast<vb::PainterSurface*>(&page.surface);
        if (page.onScreen() || !sheet) return;
        const double left = kLeft / kTwipsPerMm + page.XDL, top = kTop / kTwipsPerMm + page.YDO;
        sheet->PaintPicture(picBILD11->image(), left, top, left + kWidth / kTwipsPerMm, top + kHeight / kTwipsPerMm);
    });
}

void mdiESEITE1::DRUCKEN()
{
    printSheet(QStringLiteral("Drucken von Eingabeseite 1"), [this](vb::Procedure& p, const DrawTarget& sheet) {
        p.step([&] {
            if (headerShown_) KOPFFUSS(sheet);
        });
        p.step([&] { BILD11(sheet.part(5, -3)); });
    });
}

void mdiESEITE1::KONTEXT(bool HBOKF, bool HBOKFS, vb::OleColor FARBEMDI, vb::OleColor FARBEPIC)
{
    BackColor(FARBEMDI);
    picBILD11->BackColor(FARBEPIC);
    headerShown_ = HBOKF;
    pageNumberShown_ = HBOKFS;
    Cls();
    if (headerShown_) KOPFFUSS(screen());
    BILD11(screen());
}

bool mdiESEITE1::captureMarked() const { return capture_ && shell_.menuTag(kMarkerMenu) == kMarker; }

void mdiESEITE1::clearMarker() { shell_.setMenuTag(kMarkerMenu, QString()); }

void mdiESEITE1::picBILD11_DblClick()
{
    vb::Procedure p(kPrefix, QStringLiteral("picBILD11_DblClick"));
    // The release ending the double click that opens the window is no click for it.
    openingRelease_ = capture_ == nullptr;
    p.step([&] {
        shell_.setMenuTag(kMarkerMenu, kMarker);
        capture_ = shell_.showCapture(picBILD11);
        if (!capture_) {
            clearMarker();
            return;
        }
        capture_->onStored([this](bool calibrated) {
            stored_ = true;
            calibrated_ = calibrated_ || calibrated;
        });
        capture_->onClosed([this] {
            capture_ = nullptr;
            clearMarker();
        });
    });
}

void mdiESEITE1::picBILD11_MouseDown(int button, int, double, double)
{
    if (button != 2 || !captureMarked()) return;
    // The capture window owns the diagram's frame while it calibrates: the dialog offers
    // the logarithmic division only and leaves the calibration in "G0" alone.
    vb::Procedure p(kPrefix, QStringLiteral("picBILD11_MouseDown"));
    p.step([&] { KONTEXT11(false); });
}

void mdiESEITE1::picBILD11_MouseMove(int button, int, double x, double y)
{
    if (button != 1 || !captureMarked()) return;
    vb::Procedure p(kPrefix, QStringLiteral("picBILD11_MouseMove"));
    p.step([&] { capture_->MAUSKOORD(x, y); });
}

void mdiESEITE1::picBILD11_MouseUp(int button, int, double x, double y)
{
    if (button != 1 || std::exchange(openingRelease_, false) || !captureMarked()) return;
    vb::Procedure p(kPrefix, QStringLiteral("picBILD11_MouseUp"));
    p.step([&] { capture_->KLICK(x, y); });
}

bool mdiESEITE1::Form_QueryUnload()
{
    if (capture_ && !capture_->closeCapture()) return false;
    return copyIntoRecord();
}

void mdiESEITE1::Form_Unload() { clearMarker(); }

bool mdiESEITE1::copyIntoRecord()
{
    vb::Procedure p(kPrefix, QStringLiteral("Form_Unload"));
    WindowsDisabled disabled(window());
    // One write: the first failure leaves the record as it was and the page open.
    p.step([&] { RecordStore(shell_.session()).takeOverCapture(ID_, kDiagram, calibrated_, stored_); });
    return !p.failed();
}
