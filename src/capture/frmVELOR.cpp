#include "capture/frmVELOR.h"

#include "capture/CaptureSteps.h"
#include "capture/PictureImport.h"
#include "capture/PointGrid.h"
#include "data/RecordStore.h"
#include "data/SessionContext.h"
#include "data/ShellWindow.h"
#include "data/clsDATEN.h"
#include "graphics/clsGRAFIK.h"
#include "platform/surface/PictureBox.h"
#include "platform/ui/Procedure.h"
#include "platform/ui/Ui.h"
#include "platform/vb/Convert.h"
#include "platform/vb/VbError.h"
#include "platform/widgets/FlexGrid.h"

#include <QClipboard>
#include <QDir>
#include <QDropEvent>
#include <QFileInfo>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMimeData>
#include <QScreen>
#include <cmath>

namespace {

const QString title = QStringLiteral("VELOR");
const QString kPrefix = QStringLiteral("VB-Fehler: ");
const QString hint = QStringLiteral("HINWEIS");
const QString notANumber = QStringLiteral("Eingegeber Wert ist kein gültiges Zahlenformat!");
constexpr int errInvalidPicture = 481;

QLineEdit* valueBox(QWidget* parent, const char* name, const QString& text, const QString& tip)
{
    auto* box = new QLineEdit(text, parent);
    box->setObjectName(QLatin1String(name));
    box->setToolTip(tip);
    return box;
}

QLabel* label(QWidget* parent, const char* name, const QString& text)
{
    auto* l = new QLabel(text, parent);
    l->setObjectName(QLatin1String(name));
    return l;
}

}  // namespace

frmVELOR::frmVELOR(ShellWindow& shell, vb::PictureBox& picture, QWidget* owner)
    : QWidget(owner, Qt::Tool), shell_(shell), picture_(&picture)
{
    setObjectName(QStringLiteral("frmVELOR"));
    setWindowTitle(title);
    setAttribute(Qt::WA_DeleteOnClose, false);
    createWidgets();
    layoutWidgets();
    wire();
    Form_Load();
}

frmVELOR::~frmVELOR() = default;

// --- widgets -----------------------------------------------------------------------------------------

void frmVELOR::createWidgets()
{
    fraEINGABE = new QGroupBox(QStringLiteral("Eingabe"), this);
    fraEINGABE->setObjectName(QStringLiteral("fraEINGABE"));
    const std::array<std::pair<QString, QString>, 5> options{{
        {QStringLiteral("XMAX / YMIN"), QStringLiteral("Den Punkt XMAX / YMIN anklicken")},
        {QStringLiteral("XMIN / YMAX"), QStringLiteral("Den Punkt XMIN / YMAX anklicken")},
        {QStringLiteral("XMIN / YMIN"), QStringLiteral("Den Punkt XMIN / YMIN anklicken")},
        {QStringLiteral("XMAX / YMAX"), QStringLiteral("Den Punkt XMAX / YMAX anklicken")},
        {QStringLiteral("POLYGONE"), QStringLiteral("Eingabe der Polygonpunkte")},
    }};
    for (int i = 0; i < 5; ++i) {
        optAUSWAHL[i] = new QRadioButton(options[i].first, fraEINGABE);
        optAUSWAHL[i]->setObjectName(QStringLiteral("optAUSWAHL"));
        optAUSWAHL[i]->setProperty("index", i);
        optAUSWAHL[i]->setToolTip(options[i].second);
    }

    fraVORGABEN = new QGroupBox(QStringLiteral("Vorgaben"), this);
    fraVORGABEN->setObjectName(QStringLiteral("fraVORGABEN"));
    chkLOGX = new QCheckBox(QStringLiteral("x-Achse log."), fraVORGABEN);
    chkLOGX->setObjectName(QStringLiteral("chkLOGX"));
    chkLOGX->setToolTip(QStringLiteral("Teilung der x-Achse ist logarithmisch"));
    chkLOGY = new QCheckBox(QStringLiteral("y-Achse log."), fraVORGABEN);
    chkLOGY->setObjectName(QStringLiteral("chkLOGY"));
    chkLOGY->setToolTip(QStringLiteral("Teilung der y-Achse ist logarithmisch"));
    // The boxes show their numbers in the session's format, as the user types them.
    lblXMIN = label(fraVORGABEN, "lblXMIN", QStringLiteral("XMIN"));
    txtXMIN = valueBox(fraVORGABEN, "txtXMIN", vb::CStr(vb::Value(0.0f)), QStringLiteral("Kleinster Wert auf der x-Achse"));
    lblXMAX = label(fraVORGABEN, "lblXMAX", QStringLiteral("XMAX"));
    txtXMAX = valueBox(fraVORGABEN, "txtXMAX", vb::CStr(vb::Value(1.3f)), QStringLiteral("Größter Wert auf der x-Achse"));
    lblYMIN = label(fraVORGABEN, "lblYMIN", QStringLiteral("YMIN"));
    txtYMIN = valueBox(fraVORGABEN, "txtYMIN", vb::CStr(vb::Value(0.0f)), QStringLiteral("Kleinster Wert auf der y-Achse"));
    lblYMAX = label(fraVORGABEN, "lblYMAX", QStringLiteral("YMAX"));
    txtYMAX = valueBox(fraVORGABEN, "txtYMAX", vb::CStr(vb::Value(18.0f)), QStringLiteral("Größter Wert auf der y-Achse"));
    lblMYMX = label(fraVORGABEN, "lblMYMX", QStringLiteral("Verhältnis MY / MX"));
    txtMYMX = valueBox(fraVORGABEN, "txtMYMX", vb::CStr(vb::Value(0.0f)),
                       QStringLiteral("Maßstabsverhältnis MY/MX (0= Maßstäbe unabhängig"));

    fraGRAFIK = new QGroupBox(QStringLiteral("Grafik"), this);
    fraGRAFIK->setObjectName(QStringLiteral("fraGRAFIK"));
    lblDATEI = label(fraGRAFIK, "lblDATEI", QStringLiteral("Datei"));
    // A drop-down list: a picture is loaded when one is chosen, not for every typed letter.
    cboGRAFIK = new QComboBox(fraGRAFIK);
    cboGRAFIK->setObjectName(QStringLiteral("cboGRAFIK"));
    cboGRAFIK->setToolTip(QStringLiteral("Name der Grafikdatei"));
    cboGRAFIK->setEditable(false);

    lblSCHRITT = label(this, "lblSCHRITT", QString());
    lblSCHRITT->setWordWrap(true);
    lblSCHRITT->setFrameShape(QFrame::StyledPanel);

    fraSCHALTFLAECHEN = new QWidget(this);
    fraSCHALTFLAECHEN->setObjectName(QStringLiteral("fraSCHALTFLAECHEN"));
    cmdOK = new QPushButton(QStringLiteral("OK"), fraSCHALTFLAECHEN);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdOK->setToolTip(QStringLiteral("Die Polygonkoordinaten werden in der Datenbank gespeichert"));
    cmdABBRECHEN = new QPushButton(QStringLiteral("Abbrechen"), fraSCHALTFLAECHEN);
    cmdABBRECHEN->setObjectName(QStringLiteral("cmdABBRECHEN"));
    cmdABBRECHEN->setToolTip(QStringLiteral("Kontextmenü  Velor wird geschlossen ohne zu speichern"));

    fraVELOR = new PointGrid(shell_.session(), this);
}

void frmVELOR::layoutWidgets()
{
    fraEINGABE->setGeometry(6, 4, 150, 170);
    for (int i = 0; i < 5; ++i) optAUSWAHL[i]->setGeometry(10, 22 + 29 * i, 134, 24);
    fraVORGABEN->setGeometry(162, 4, 204, 232);
    chkLOGX->setGeometry(8, 20, 95, 22);
    chkLOGY->setGeometry(104, 20, 97, 22);
    int y = 48;
    for (auto [l, box] : {std::pair{lblXMIN, txtXMIN}, {lblXMAX, txtXMAX}, {lblYMIN, txtYMIN}, {lblYMAX, txtYMAX}}) {
        l->setGeometry(10, y, 60, 22);
        box->setGeometry(104, y, 90, 22);
        y += 30;
    }
    // "Verhältnis MY / MX" takes two lines beside its box.
    lblMYMX->setWordWrap(true);
    lblMYMX->setGeometry(10, y - 6, 92, 34);
    txtMYMX->setGeometry(104, y, 90, 22);
    // The file names are long: the label stands above the list, which gets the frame's width.
    fraGRAFIK->setGeometry(6, 176, 150, 62);
    lblDATEI->setGeometry(8, 16, 134, 16);
    cboGRAFIK->setGeometry(8, 32, 134, 24);
    lblSCHRITT->setGeometry(6, 242, 360, 40);
    fraVELOR->setGeometry(6, 286, 360, 300);
    fraSCHALTFLAECHEN->setGeometry(6, 590, 360, 34);
    cmdOK->setGeometry(0, 2, 176, 30);
    cmdABBRECHEN->setGeometry(184, 2, 176, 30);
    resize(372, 630);
}

void frmVELOR::wire()
{
    for (int i = 0; i < 5; ++i)
        connect(optAUSWAHL[i], &QRadioButton::clicked, this, [this, i] { optAUSWAHL_Click(i); });
    connect(cboGRAFIK, &QComboBox::activated, this, [this](int) { cboGRAFIK_Click(); });
    connect(cmdOK, &QPushButton::clicked, this, &frmVELOR::cmdOK_Click);
    connect(cmdABBRECHEN, &QPushButton::clicked, this, &frmVELOR::cmdABBRECHEN_Click);
    // The release that ends a double click on the picture is not a click of its own.
    connect(picture_, &vb::PictureBox::DblClick, this, [this] { releaseEndsDoubleClick_ = true; });
    installEventFilter(this);
    for (QWidget* w : findChildren<QWidget*>()) w->installEventFilter(this);
    // A file dropped on the scan or the window comes into the project as if chosen.
    setAcceptDrops(true);
    picture_->setAcceptDrops(true);
    picture_->installEventFilter(this);
}

// --- opening -------------------------------------------------------------------------------------------

void frmVELOR::Form_Load()
{
    SessionContext& session = shell_.session();
    sprache_ = session.SPRACHE();
    recordId_ = RecordStore(session).activeRecordId();
    folder_ = session.PROJEKTSPFAD() + QStringLiteral("/") + session.PROJEKT() + QStringLiteral("/GRAFIK");
    fillPictureList();
    calibration_ = Calibration();
    idObjekt_ = vb::CInt(vb::Value(picture_->Tag()));
    readAxisKinds();
    keepG0();
    setUpEngine();
    ZUSTAND();
}

// After the folder's pictures the list offers a file from anywhere, so the combo is never
// a dead end: an empty or missing folder still shows "keine" and that entry.
void frmVELOR::fillPictureList()
{
    const QDir dir(folder_);
    const QStringList files = dir.exists() ? dir.entryList(QDir::Files | QDir::Hidden, QDir::Unsorted) : QStringList();
    QSignalBlocker block(cboGRAFIK);
    cboGRAFIK->clear();
    if (files.isEmpty() && dir.exists()) cboGRAFIK->addItem(QStringLiteral("keine"));
    cboGRAFIK->addItems(files);
    cboGRAFIK->addItem(otherFileEntry());
    cboGRAFIK->setCurrentIndex(files.isEmpty() && dir.exists() ? 0 : -1);
}

QString frmVELOR::otherFileEntry() const
{
    return sprache_ == 1 ? QStringLiteral("Other file \u2026") : QStringLiteral("Andere Datei \u2026");
}

PictureImport frmVELOR::importer() const { return PictureImport(folder_, sprache_ == 1); }

void frmVELOR::chooseOtherFile()
{
    const QString path = vb::Ui::instance().OpenFileName(otherFileEntry(), lastFolder_, PictureImport::fileFilter());
    if (!path.isEmpty()) lastFolder_ = QFileInfo(path).absolutePath();
    takePicture(path.isEmpty() ? QString() : importer().bringIn(path));
}

// Chooses a picture that has just come into the folder; without one the list shows what was
// chosen before.
void frmVELOR::takePicture(const QString& name)
{
    fillPictureList();
    const int index = cboGRAFIK->findText(name.isEmpty() ? chosen_ : name);
    cboGRAFIK->setCurrentIndex(index);
    if (!name.isEmpty()) cboGRAFIK_Click();
}

// The frame computed at POLYGONE is only right for the axis kinds it was computed with, so
// the boxes start from the record's own setting.
void frmVELOR::readAxisKinds()
{
    clsDATEN datE2(shell_.session());
    datE2.ETABELLE(QStringLiteral("E2"));
    bool logX = false, logY = false;
    if (datE2.DTVB(QStringLiteral("LOGX"), logX)) chkLOGX->setChecked(logX);
    if (datE2.DTVB(QStringLiteral("LOGY"), logY)) chkLOGY->setChecked(logY);
}

// The points are values on the axes they were captured on: the record is evaluated on the
// same division, so boxes that differ from its own go into it with the points.
bool frmVELOR::storeAxisKinds()
{
    SessionContext& session = shell_.session();
    clsDATEN datE2(session);
    datE2.ETABELLE(QStringLiteral("E2"));
    bool logX = false, logY = false;
    datE2.DTVB(QStringLiteral("LOGX"), logX);
    datE2.DTVB(QStringLiteral("LOGY"), logY);
    if (logX == chkLOGX->isChecked() && logY == chkLOGY->isChecked()) return true;
    return RecordStore(session).write(
        [&] { return datE2.DFTC(QStringLiteral("LOGX"), chkLOGX) && datE2.DFTC(QStringLiteral("LOGY"), chkLOGY); });
}

void frmVELOR::setUpEngine()
{
    engine_ = std::make_unique<clsGRAFIK>(shell_.session());
    engine_->EIDOBJEKT(idObjekt_);
    engine_->EOBJEKT(picture_);
    engine_->ELX(static_cast<float>(picture_->ScaleWidth()));
    engine_->EBOXMIN(false);
    engine_->EBOXMAX(false);
    engine_->EAXEX(1);
    engine_->ELXMIN({0});
    engine_->ETEXTX(QStringLiteral("X [-]"));
    engine_->ELY(static_cast<float>(picture_->ScaleHeight()));
    engine_->EBOYMIN(false);
    engine_->EBOYMAX(false);
    engine_->EAXEY(1);
    engine_->ELYMIN({0});
    engine_->ETEXTY(QStringLiteral("Y [-]"));
}

void frmVELOR::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    if (isMinimized() || !screen()) return;
    const QRect s = screen()->geometry();
    move(s.width() - width(), (s.height() - height()) / 2);
}

// --- picture and options ---------------------------------------------------------------------------------

QString frmVELOR::loadFailureText() const
{
    switch (picture_->loadFailure()) {
    case vb::PictureBox::LoadFailure::Missing: return QStringLiteral("Die Datei existiert nicht (mehr).");
    case vb::PictureBox::LoadFailure::TooLarge:
        return QStringLiteral("Das Bild ist zu groß: mehr als %1 MB Speicher.").arg(vb::PictureBox::pictureLimitMB());
    case vb::PictureBox::LoadFailure::NotAPicture: return QStringLiteral("Die Datei ist kein Bild.");
    case vb::PictureBox::LoadFailure::Unreadable:
    case vb::PictureBox::LoadFailure::None: break;
    }
    return QStringLiteral("Die Datei ist beschädigt.");
}

void frmVELOR::cboGRAFIK_Click()
{
    if (cboGRAFIK->currentText() == otherFileEntry()) {
        chooseOtherFile();
        return;
    }
    if (cboGRAFIK->currentText() == QStringLiteral("keine")) return;
    vb::Procedure p(QStringLiteral("VB-Fehler: "), title);
    p.step([&] {
        chosen_ = cboGRAFIK->currentText();
        const QString path = folder_ + QStringLiteral("/") + chosen_;
        if (!picture_->LoadPicture(path))
            throw vb::VbError(errInvalidPicture, QStringLiteral("Ungültiges Bild: ") + path + vb::vbCrLf + loadFailureText());
    });
    p.step([&] { ZUSTAND(); });
}

void frmVELOR::optAUSWAHL_Click(int index)
{
    // POLYGONE writes the computed frame.
    vb::Procedure p(kPrefix, title);
    p.step([&] {
        optAUSWAHL[index]->setChecked(true);
        if (index == XmaxYmin) calibration_.clearXmaxYmin();
        if (index == XminYmax) calibration_.clearXminYmax();
        ZUSTAND();
    });
}

int frmVELOR::selectedOption() const
{
    for (int i = 0; i < 5; ++i)
        if (optAUSWAHL[i]->isChecked()) return i;
    return -1;
}

void frmVELOR::setBoxes(bool xmin, bool xmax, bool ymin, bool ymax, bool mymx, bool grid)
{
    txtXMIN->setEnabled(xmin);
    txtXMAX->setEnabled(xmax);
    txtYMIN->setEnabled(ymin);
    txtYMAX->setEnabled(ymax);
    txtMYMX->setEnabled(mymx);
    fraVELOR->setEnabled(grid);
}

void frmVELOR::ZUSTAND()
{
    const bool both = calibration_.hasBothCorners();
    for (int i : {XminYmin, XmaxYmax, POLYGONE}) optAUSWAHL[i]->setEnabled(both);
    optAUSWAHL[XmaxYmin]->setEnabled(true);
    optAUSWAHL[XminYmax]->setEnabled(true);
    const QString picture = cboGRAFIK->currentText();
    const bool chosen = !picture.isEmpty() && picture != QStringLiteral("keine") && picture != otherFileEntry();
    lblSCHRITT->setText(CaptureSteps::next(
        {chosen, selectedOption(), calibration_.hasXmaxYmin(), calibration_.hasXminYmax()}, sprache_ == 1));
    if (!chosen) {
        fraVORGABEN->setEnabled(false);
        fraEINGABE->setEnabled(false);
        fraVELOR->setEnabled(false);
        return;
    }
    fraVORGABEN->setEnabled(true);
    fraEINGABE->setEnabled(true);
    const int selected = selectedOption();
    // The axis kinds cannot change under a computed frame.
    chkLOGX->setEnabled(selected != POLYGONE);
    chkLOGY->setEnabled(selected != POLYGONE);
    switch (selected) {
    case XmaxYmin: setBoxes(false, true, true, false, true, false); break;
    case XminYmax: setBoxes(true, false, false, true, true, false); break;
    case POLYGONE:
        setBoxes(false, false, false, false, false, true);
        calibrate();
        break;
    default: setBoxes(true, true, true, true, true, false); break;
    }
}

// --- calibration -------------------------------------------------------------------------------------------

std::optional<float> frmVELOR::boxValue(QLineEdit* box)
{
    if (const auto v = vb::parseNumber(box->text()); v && std::isfinite(static_cast<float>(*v)))
        return static_cast<float>(*v);
    vb::MsgBox(notANumber, vb::vbExclamation, title);
    box->setFocus();
    return std::nullopt;
}

std::optional<Calibration::Ends> frmVELOR::typedEnds()
{
    Calibration::Ends e;
    for (auto [box, value] : {std::pair{txtXMIN, &e.XMIN}, {txtXMAX, &e.XMAX}, {txtYMIN, &e.YMIN}, {txtYMAX, &e.YMAX}}) {
        const auto v = boxValue(box);
        if (!v) return std::nullopt;
        *value = *v;
    }
    return e;
}

void frmVELOR::calibrate()
{
    calibration_.setCalibrated(false);
    const auto ends = typedEnds();
    if (!ends) return;
    if (const QString m = Calibration::checkLogarithmicEnds(*ends, chkLOGX->isChecked(), chkLOGY->isChecked());
        !m.isEmpty()) {
        vb::MsgBox(m, vb::vbOKOnly, hint);
        return;
    }
    QString message;
    const auto frame = calibration_.frame(static_cast<float>(picture_->ScaleWidth()),
                                          static_cast<float>(picture_->ScaleHeight()), message);
    if (!frame) {
        vb::MsgBox(message, vb::vbOKOnly, hint);
        return;
    }
    if (!writeFrame(*frame, *ends)) return;
    picture_->Cls();
    drawScales(*ends);
    calibration_.setCalibrated(true);
}

// The ends typed after the corner clicks are written too, so that the boxes and the stored
// ends never disagree; MYMX goes to 0 with MX and MY, so that a ratio left in an imported
// record cannot skew the calibration.
bool frmVELOR::writeFrame(const Calibration::Frame& f, const Calibration::Ends& e)
{
    vb::Procedure p(QStringLiteral("VB-Fehler: "), title);
    p.step([&] {
        RecordStore(shell_.session()).changeFrame(recordId_, idObjekt_, [&](DiagramFrame& g0) {
            g0.XMIN = e.XMIN, g0.XMAX = e.XMAX, g0.YMIN = e.YMIN, g0.YMAX = e.YMAX;
            g0.RL = f.RL, g0.RR = f.RR, g0.RO = f.RO, g0.RU = f.RU;
            g0.OX = f.OX, g0.OY = f.OY;
            g0.MX = g0.MY = g0.MYMX = 0.0f;
        });
    });
    return !p.failed();
}

void frmVELOR::drawScales(const Calibration::Ends& e)
{
    clsGRAFIK& g = *engine_;
    g.ELXMIN({e.XMIN, e.XMAX});
    g.ELXDIFF({e.XMAX - e.XMIN});
    g.ELXGIT({1});
    g.ELXIT({1});
    g.ESKZX(QStringLiteral("#0.0##"));
    g.ESKTX(chkLOGX->isChecked() ? 1 : 0);
    g.ELYMIN({e.YMIN, e.YMAX});
    g.ELYDIFF({e.YMAX - e.YMIN});
    g.ELYGIT({1});
    g.ELYIT({1});
    g.ESKZY(QStringLiteral("#0.0##"));
    g.ESKTY(chkLOGY->isChecked() ? 1 : 0);
    g.SKALEN(0);
    picture_->flush();
}

// --- clicks --------------------------------------------------------------------------------------------------

bool frmVELOR::storeCorner(FrameValue xField, QLineEdit* xBox, FrameValue yField, QLineEdit* yBox)
{
    const auto x = boxValue(xBox);
    if (!x) return false;
    const auto y = boxValue(yBox);
    if (!y) return false;
    vb::Procedure p(QStringLiteral("VB-Fehler: "), title);
    p.step([&] {
        RecordStore(shell_.session()).changeFrame(recordId_, idObjekt_, [&](DiagramFrame& g0) {
            g0.*xField = *x;
            g0.*yField = *y;
        });
    });
    return !p.failed();
}

void frmVELOR::KLICK(double XP, double YP)
{
    const auto X = static_cast<float>(XP), Y = static_cast<float>(YP);
    if (std::exchange(releaseEndsDoubleClick_, false) || storing_) return;
    switch (selectedOption()) {
    case XmaxYmin:
        if (!storeCorner(&DiagramFrame::XMAX, txtXMAX, &DiagramFrame::YMIN, txtYMIN)) return;
        calibration_.setXmaxYmin(X, Y);
        markCorners();
        ZUSTAND();
        break;
    case XminYmax:
        if (!storeCorner(&DiagramFrame::XMIN, txtXMIN, &DiagramFrame::YMAX, txtYMAX)) return;
        calibration_.setXminYmax(X, Y);
        markCorners();
        ZUSTAND();
        break;
    case XminYmin: calibration_.refineXminYmin(X, Y); break;
    case XmaxYmax: calibration_.refineXmaxYmax(X, Y); break;
    case POLYGONE: capturePoint(X, Y); break;
    default: break;
    }
}

// Each corner taken shows as a red ring with a cross on the scan, until the axes replace them.
void frmVELOR::markCorners()
{
    picture_->Cls();
    const vb::OleColor red = vb::RGB(220, 0, 0);
    const auto mark = [&](float X, float Y) {
        picture_->Circle(X, Y, 1.5, red);
        picture_->Line(X - 2.5, Y, X + 2.5, Y, red);
        picture_->Line(X, Y - 2.5, X, Y + 2.5, red);
    };
    if (calibration_.hasXmaxYmin()) mark(calibration_.xOfXmax(), calibration_.yOfYmin());
    if (calibration_.hasXminYmax()) mark(calibration_.xOfXmin(), calibration_.yOfYmax());
    picture_->flush();
}

void frmVELOR::capturePoint(float X, float Y)
{
    if (!calibration_.isCalibrated()) return;
    MAUSKOORD(X, Y);
    picture_->Line(X - 1.5, Y, X + 1.5, Y, vb::OleColor(0));
    picture_->Line(X, Y - 1.5, X, Y + 1.5, vb::OleColor(0));
    picture_->flush();
    fraVELOR->advanceAfterClick();
}

void frmVELOR::MAUSKOORD(double XP, double YP)
{
    const auto X = static_cast<float>(XP), Y = static_cast<float>(YP);
    if (selectedOption() != POLYGONE || !calibration_.isCalibrated() || storing_) return;
    float x = 0, y = 0;
    engine_->KOORDTRANSINV(X, Y, x, y, chkLOGX->isChecked() ? 1 : 0, chkLOGY->isChecked() ? 1 : 0);
    // Far outside a logarithmic frame the value leaves the single's range: no point there.
    if (!std::isfinite(x) || !std::isfinite(y)) return;
    fraVELOR->setCurrentPoint(Calibration::rounded(x), Calibration::rounded(y));
}

// --- keyboard ---------------------------------------------------------------------------------------------------

bool frmVELOR::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::DragEnter || event->type() == QEvent::Drop) return handleDrop(static_cast<QDropEvent*>(event));
    if (event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (watched == picture_) return isPaste(key) && pasteImage();
        if (handleKey(watched, key)) return true;
    }
    return QWidget::eventFilter(watched, event);
}

bool frmVELOR::handleDrop(QDropEvent* event)
{
    const QList<QUrl> urls = event->mimeData()->urls();
    if (urls.isEmpty() || !urls.first().isLocalFile() || !fraGRAFIK->isEnabled()) return false;
    event->acceptProposedAction();
    if (event->type() == QEvent::Drop) takePicture(importer().bringIn(urls.first().toLocalFile()));
    return true;
}

bool frmVELOR::isPaste(const QKeyEvent* key)
{
    return (key->modifiers() & ~Qt::KeypadModifier) == Qt::ControlModifier && key->key() == Qt::Key_V;
}

// Ctrl+V with an image on the clipboard saves it into the picture folder and chooses it.
bool frmVELOR::pasteImage()
{
    const QImage image = QGuiApplication::clipboard()->image();
    if (image.isNull()) return false;
    takePicture(importer().paste(image));
    return true;
}

bool frmVELOR::handleKey(QObject* watched, QKeyEvent* key)
{
    const auto mods = key->modifiers() & ~Qt::KeypadModifier;
    const bool onGrid = watched == fraVELOR->msgFLX;
    if ((key->modifiers() & Qt::KeypadModifier) && (key->key() == Qt::Key_Period || key->key() == Qt::Key_Comma)) {
        // The keypad's decimal key types the session's separator.
        if (auto* box = qobject_cast<QLineEdit*>(watched)) {
            box->insert(shell_.session().DEZIMALPUNKT());
            return true;
        }
        return false;
    }
    if (mods == Qt::AltModifier && key->key() == Qt::Key_Q) {
        shell_.mnuBEENDEN_Click();
        return true;
    }
    if (mods == Qt::ControlModifier && key->key() == Qt::Key_C && onGrid) {
        fraVELOR->flx().BEARBEITEN(-1, 0);
        return true;
    }
    if (mods == Qt::ControlModifier && key->key() == Qt::Key_V && onGrid) {
        fraVELOR->flx().EINFUEGEN(-1);
        return true;
    }
    if (isPaste(key) && !qobject_cast<QLineEdit*>(watched) && pasteImage()) return true;
    if (mods == Qt::ControlModifier && key->key() == Qt::Key_S) {
        shell_.stbMAIN_PanelClick(8);
        return true;
    }
    return false;
}

// --- OK, Cancel, closing -------------------------------------------------------------------------------------------

void frmVELOR::cmdOK_Click()
{
    if (storing_) return;
    // No second OK and no click on the picture while the polygons are written; a failed
    // store gives both back with the points still in the grid, for another OK.
    storing_ = true;
    setEnabled(false);
    picture_->setEnabled(false);
    vb::Procedure p(kPrefix, title);
    bool stored = false;
    p.step([&] { stored = fraVELOR->store(idObjekt_) && storeAxisKinds(); });
    vb::Ui::instance().SetPointer(vb::Pointer::Default);
    picture_->setEnabled(true);
    setEnabled(true);
    storing_ = false;
    if (!stored) return;
    notifyStored();
    finish();
}

void frmVELOR::cmdABBRECHEN_Click()
{
    restoreG0();
    finish();
}

bool frmVELOR::queryClose()
{
    if (!fraVELOR->hasUnstoredPoints()) return true;
    const int answer = vb::MsgBox(QStringLiteral("Die erfassten Punkte sind noch nicht gespeichert. Speichern?"),
                                  vb::vbYesNoCancel | vb::vbQuestion, title);
    if (answer == vb::vbCancel) return false;
    if (answer == vb::vbYes) {
        cmdOK_Click();
        return !fraVELOR->hasUnstoredPoints();
    }
    return true;
}

bool frmVELOR::closeCapture()
{
    if (!queryClose()) return false;
    finish();
    return true;
}

void frmVELOR::finish()
{
    if (std::exchange(finished_, true)) return;
    hide();
    notifyClosed();
    emit closed();
}

// Cancel leaves G0 as it was when the window opened: the corner clicks and POLYGONE wrote
// into it meanwhile.
void frmVELOR::keepG0()
{
    vb::Procedure p(QStringLiteral("VB-Fehler: "), title);
    p.step([&] { g0Before_ = RecordStore(shell_.session()).frame(recordId_, idObjekt_); });
}

void frmVELOR::restoreG0()
{
    vb::Procedure p(QStringLiteral("VB-Fehler: "), title);
    p.step([&] {
        RecordStore store(shell_.session());
        if (g0Before_) store.writeFrame(recordId_, idObjekt_, *g0Before_);
        else store.removeFrame(recordId_, idObjekt_);
    });
}
