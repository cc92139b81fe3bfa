#include "capture/frmVELOR.h"

#include "capture/CaptureSteps.h"
#include "capture/MarkerLayer.h"
#include "capture/PictureImport.h"
#include "capture/PointGrid.h"
#include "capture/Snap.h"
#include "data/RecordStore.h"
#include "data/SessionContext.h"
#include "data/ShellWindow.h"
#include "data/clsDATEN.h"
#include "graphics/clsGRAFIK.h"
#include "platform/os/Os.h"
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
#include <QMouseEvent>
#include <QMimeData>
#include <QScreen>
#include <QCloseEvent>
#include <QLineF>
#include <cmath>
#include <map>

namespace {

const QString title = QStringLiteral("VELOR");
const QString kPrefix = QStringLiteral("VB-Fehler: ");
const QString hint = QStringLiteral("HINWEIS");
const QString notANumber = QStringLiteral("Eingegeber Wert ist kein gültiges Zahlenformat!");
constexpr int errInvalidPicture = 481;
// Screen pixels: how near a click must lie to a marker to take it, and half a marker's size.
constexpr double nearPixels = 3;
constexpr double markerHalf = 5;
// A click snaps to what lies within this many screen pixels of it, never farther.
constexpr double snapScreenPixels = 6;
// A corner farther than this many scan pixels from where the map puts it was mistyped or
// clicked on the wrong corner.
constexpr double residualWarning = 1;
const QString settingsApp = QStringLiteral("VELOR"), settingsSection = QStringLiteral("Erfassung"),
              snapKey = QStringLiteral("Einrasten");

QLineEdit* valueBox(QWidget* parent, const char* name, const QString& text, const QString& tip)
{
    auto* box = new QLineEdit(text, parent);
    box->setObjectName(QLatin1String(name));
    box->setToolTip(tip);
    return box;
}

// An emptied title box stands for the plain title.
QString titleIn(const QLineEdit* box, const QString& plain)
{
    const QString t = box->text().trimmed();
    return t.isEmpty() ? plain : t;
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

frmVELOR::~frmVELOR()
{
    // The picture outlives the window: it must not paint the markers of a window that is gone.
    delete markers_;
}

// --- widgets -----------------------------------------------------------------------------------------

void frmVELOR::createWidgets()
{
    fraEINGABE = new QGroupBox(QStringLiteral("Eingabe"), this);
    fraEINGABE->setObjectName(QStringLiteral("fraEINGABE"));
    const std::array<std::pair<QString, QString>, 7> options{{
        {QStringLiteral("XMAX / YMIN"), QStringLiteral("Den Punkt XMAX / YMIN anklicken")},
        {QStringLiteral("XMIN / YMAX"), QStringLiteral("Den Punkt XMIN / YMAX anklicken")},
        {QStringLiteral("XMIN / YMIN"), QStringLiteral("Den Punkt XMIN / YMIN anklicken")},
        {QStringLiteral("XMAX / YMAX"), QStringLiteral("Den Punkt XMAX / YMAX anklicken")},
        {QStringLiteral("POLYGONE"), QStringLiteral("Eingabe der Polygonpunkte")},
        {QStringLiteral("Teilstrich x"), QStringLiteral("Einen Teilstrich der x-Achse anklicken und seinen Wert eingeben")},
        {QStringLiteral("Teilstrich y"), QStringLiteral("Einen Teilstrich der y-Achse anklicken und seinen Wert eingeben")},
    }};
    for (int i = 0; i < int(options.size()); ++i) {
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
    // The axes' titles go with the record to its output page: a name and a unit in brackets.
    lblTITEL = label(fraVORGABEN, "lblTITEL", QStringLiteral("Titel"));
    txtXTITEL = valueBox(fraVORGABEN, "txtXTITEL", AxisTitles{}.x, QStringLiteral("Titel der x-Achse mit Einheit, z. B. s [mm]"));
    txtYTITEL = valueBox(fraVORGABEN, "txtYTITEL", AxisTitles{}.y, QStringLiteral("Titel der y-Achse mit Einheit, z. B. σ [kN/m²]"));

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

    cmdRUECK = new QPushButton(QStringLiteral("Rückgängig"), this);
    cmdRUECK->setObjectName(QStringLiteral("cmdRUECK"));
    cmdRUECK->setToolTip(QStringLiteral("Den letzten Schritt zurücknehmen (Strg+Z)"));
    cmdVOR = new QPushButton(QStringLiteral("Wiederholen"), this);
    cmdVOR->setObjectName(QStringLiteral("cmdVOR"));
    cmdVOR->setToolTip(QStringLiteral("Den zurückgenommenen Schritt wiederholen (Strg+Y)"));
    cmdKURVE = new QPushButton(QStringLiteral("Neue Kurve"), this);
    cmdKURVE->setObjectName(QStringLiteral("cmdKURVE"));
    cmdKURVE->setToolTip(QStringLiteral("Die folgenden Klicks beginnen eine neue Kurve (Strg+N)"));
    lblPOSITION = label(this, "lblPOSITION", QString());
    chkEINRASTEN = new QCheckBox(QStringLiteral("Einrasten"), this);
    chkEINRASTEN->setObjectName(QStringLiteral("chkEINRASTEN"));
    chkEINRASTEN->setToolTip(QStringLiteral("Klicks rasten auf Rahmenecken, Markierungen und Linien ein (Alt gedrückt: nicht)"));
    chkEINRASTEN->setChecked(vb::Os::getSetting(settingsApp, settingsSection, snapKey, QStringLiteral("1")) != QStringLiteral("0"));
    lblPASSUNG = label(this, "lblPASSUNG", QString());
    lblPASSUNG->setWordWrap(true);

    fraVELOR = new PointGrid(shell_.session(), model_, this);
}

void frmVELOR::layoutWidgets()
{
    fraEINGABE->setGeometry(6, 4, 150, 170);
    for (int i = 0; i < int(optAUSWAHL.size()); ++i) optAUSWAHL[i]->setGeometry(10, 18 + 21 * i, 134, 21);
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
    lblTITEL->setGeometry(10, y + 34, 40, 22);
    txtXTITEL->setGeometry(48, y + 34, 72, 22);
    txtYTITEL->setGeometry(122, y + 34, 72, 22);
    // The file names are long: the label stands above the list, which gets the frame's width.
    fraGRAFIK->setGeometry(6, 176, 150, 62);
    lblDATEI->setGeometry(8, 16, 134, 16);
    cboGRAFIK->setGeometry(8, 32, 134, 24);
    lblSCHRITT->setGeometry(6, 242, 360, 40);
    lblPOSITION->setGeometry(8, 284, 358, 20);
    cmdKURVE->setGeometry(6, 306, 116, 26);
    cmdRUECK->setGeometry(128, 306, 116, 26);
    cmdVOR->setGeometry(250, 306, 116, 26);
    // The fit's line takes three lines with its warning; the grid needs its full height.
    chkEINRASTEN->setGeometry(10, 338, 90, 22);
    lblPASSUNG->setGeometry(100, 336, 266, 48);
    fraVELOR->setGeometry(6, 388, 360, 300);
    fraSCHALTFLAECHEN->setGeometry(6, 692, 360, 34);
    cmdOK->setGeometry(0, 2, 176, 30);
    cmdABBRECHEN->setGeometry(184, 2, 176, 30);
    resize(372, 732);
}

void frmVELOR::wire()
{
    for (int i = 0; i < int(optAUSWAHL.size()); ++i)
        connect(optAUSWAHL[i], &QRadioButton::clicked, this, [this, i] { optAUSWAHL_Click(i); });
    connect(cboGRAFIK, &QComboBox::activated, this, [this](int) { cboGRAFIK_Click(); });
    connect(chkEINRASTEN, &QCheckBox::toggled, this, [](bool on) {
        vb::Os::saveSetting(settingsApp, settingsSection, snapKey, on ? QStringLiteral("1") : QStringLiteral("0"));
    });
    connect(cmdOK, &QPushButton::clicked, this, &frmVELOR::cmdOK_Click);
    connect(cmdABBRECHEN, &QPushButton::clicked, this, &frmVELOR::cmdABBRECHEN_Click);
    connect(cmdKURVE, &QPushButton::clicked, this, &frmVELOR::cmdKURVE_Click);
    connect(cmdRUECK, &QPushButton::clicked, &model_.undoStack(), &QUndoStack::undo);
    connect(cmdVOR, &QPushButton::clicked, &model_.undoStack(), &QUndoStack::redo);
    connect(&model_.undoStack(), &QUndoStack::indexChanged, this, &frmVELOR::updateUndoButtons);
    connect(&model_, &CaptureModel::clicksChanged, this, &frmVELOR::replayClicks);
    // A new point adds its marker alone; a change or a removal draws them all anew.
    connect(&model_, &CaptureModel::pointInserted, this, &frmVELOR::addMarker);
    connect(&model_, &CaptureModel::reset, this, &frmVELOR::redrawMarkers);
    // A point that moves or goes takes its old place along to be drawn anew.
    connect(&model_, &CaptureModel::pointLeaving, this, [this](PointRef ref) { leftArea_ = markerArea(model_.point(ref)); });
    connect(&model_, &CaptureModel::pointRemoved, this, [this] { redrawMarkersIn({}); });
    connect(&model_, &CaptureModel::pointChanged, this, [this](PointRef ref) { redrawMarkersIn(markerArea(model_.point(ref))); });
    connect(&model_, &CaptureModel::currentChanged, this, [this] {
        if (markers_) markers_->update();
    });
    // The release that ends a double click on the picture is not a click of its own.
    connect(picture_, &vb::PictureBox::DblClick, this, [this] { releaseEndsDoubleClick_ = true; });
    connect(picture_, &vb::PictureBox::MouseDown, this, [this](int button, int, double x, double y) {
        if (button == 1) picture_MouseDown(x, y);
    });
    connect(picture_, &vb::PictureBox::MouseMove, this, [this](int, int, double x, double y) { picture_MouseMove(x, y); });
    markers_ = new MarkerLayer(
        *picture_, [this](QPainter& p, const QRectF& area) { paintMarkers(p, area); }, [this](QPainter& p) { paintSelection(p); });
    // The read-out follows the pointer without a button too.
    picture_->setMouseTracking(true);
    installEventFilter(this);
    picture_->installEventFilter(this);
    for (QWidget* w : findChildren<QWidget*>()) w->installEventFilter(this);
    // A file dropped on the scan or the window comes into the project as if chosen.
    setAcceptDrops(true);
    picture_->setAcceptDrops(true);
    updateUndoButtons();
}

void frmVELOR::redrawMarkers()
{
    if (markers_) markers_->invalidate();
}

void frmVELOR::redrawMarkersIn(std::optional<QRectF> area)
{
    std::vector<QRectF> areas;
    for (const auto& a : {std::exchange(leftArea_, std::nullopt), area})
        if (a) areas.push_back(*a);
    if (markers_) markers_->redrawIn(areas);
}

void frmVELOR::addMarker(PointRef ref)
{
    if (markers_) markers_->add([this, ref](QPainter& p) { paintMarker(p, ref); });
}

void frmVELOR::updateUndoButtons()
{
    cmdRUECK->setEnabled(model_.undoStack().canUndo());
    cmdVOR->setEnabled(model_.undoStack().canRedo());
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
    loadStored();
}

namespace {

// The stored polygons as the model's curves. A point takes its pixel (and its values in full)
// from what the capture remembered, as long as the point still has the values it had then.
std::vector<CaptureCurve> curvesOf(const PolygonPoints& points, const std::vector<StoredCapture::Pixel>& pixels)
{
    std::map<std::pair<int, int>, const StoredCapture::Pixel*> byNumber;
    for (const StoredCapture::Pixel& p : pixels) byNumber[{p.polygon, p.point}] = &p;
    std::vector<CaptureCurve> curves;
    for (size_t i = 0; i < points.size(); ++i) {
        const PolygonPoint& stored = points[i];
        if (i == 0 || points[i - 1].polygon != stored.polygon) curves.push_back({stored.group, {}});
        CapturePoint point{std::nullopt, stored.x, stored.y};
        if (const auto it = byNumber.find({stored.polygon, stored.point});
            it != byNumber.end() && float(it->second->px) == float(point.x) && float(it->second->py) == float(point.y))
            point = {QPointF(it->second->bx, it->second->by), it->second->px, it->second->py};
        curves.back().points.push_back(point);
    }
    return curves;
}

}  // namespace

// The window opens on what the record has stored: its points (as the capture last stored
// them, or the record's own), their pixels, the scan and the calibration clicks.
void frmVELOR::loadStored()
{
    vb::Procedure p(QStringLiteral("VB-Fehler: "), title);
    StoredCapture stored;
    std::vector<CaptureCurve> curves;
    p.step([&] {
        RecordStore store(shell_.session());
        stored = store.capture(recordId_);
        curves = curvesOf(store.capturedPolygons(recordId_, idObjekt_), stored.pixels);
    });
    if (p.failed()) return;
    head_ = stored.head.value_or(StoredCapture::Head{});
    if (stored.head) {
        chkLOGX->setChecked(head_.logX);
        chkLOGY->setChecked(head_.logY);
    }
    txtXTITEL->setText(head_.xTitle);
    txtYTITEL->setText(head_.yTitle);
    std::vector<ReferenceClick> clicks;
    for (const StoredCapture::Reference& r : stored.references)
        clicks.push_back({r.kind, QPointF(r.bx, r.by), r.wx.value_or(0), r.wy.value_or(0)});
    // The boxes show the values the main corners were clicked with.
    for (const ReferenceClick& c : clicks) {
        if (c.kind == XmaxYmin) txtXMAX->setText(vb::CStr(vb::Value(c.wx))), txtYMIN->setText(vb::CStr(vb::Value(c.wy)));
        if (c.kind == XminYmax) txtXMIN->setText(vb::CStr(vb::Value(c.wx))), txtYMAX->setText(vb::CStr(vb::Value(c.wy)));
    }
    if (!head_.scan.isEmpty() && cboGRAFIK->findText(head_.scan) >= 0 && choosePicture(head_.scan)) {
        QSignalBlocker block(cboGRAFIK);
        cboGRAFIK->setCurrentIndex(cboGRAFIK->findText(head_.scan));
    }
    model_.load(std::move(curves), std::move(clicks));
    if (!scan_.isEmpty() && calibration_.hasBothCorners()) optAUSWAHL[POLYGONE]->setChecked(true);
    ZUSTAND();
}

// The scan, the calibration clicks with the ends they were made with, and every clicked
// point's pixel under the numbers the polygons are stored with.
void frmVELOR::writeCapture()
{
    StoredCapture capture;
    capture.head = head_;
    capture.head->scan = scan_;
    capture.head->logX = chkLOGX->isChecked();
    capture.head->logY = chkLOGY->isChecked();
    capture.head->xTitle = titleIn(txtXTITEL, AxisTitles{}.x);
    capture.head->yTitle = titleIn(txtYTITEL, AxisTitles{}.y);
    for (const ReferenceClick& c : model_.clicks()) {
        StoredCapture::Reference r{static_cast<int16_t>(c.kind), c.pixel.x(), c.pixel.y(), c.wx, c.wy};
        // A tick has the value of its own axis only.
        if (c.kind == TickX) r.wy.reset();
        else if (c.kind == TickY) r.wx.reset();
        else if (ends_) {
            const bool xmax = c.kind == XmaxYmin || c.kind == XmaxYmax, ymax = c.kind == XminYmax || c.kind == XmaxYmax;
            r.wx = xmax ? ends_->XMAX : ends_->XMIN;
            r.wy = ymax ? ends_->YMAX : ends_->YMIN;
        }
        capture.references.push_back(r);
    }
    int16_t polygon = 0;
    for (const CaptureCurve& c : model_.curves()) {
        if (c.points.empty()) continue;
        for (size_t q = 0; q < c.points.size(); ++q)
            if (const CapturePoint& p = c.points[q]; p.pixel)
                capture.pixels.push_back({polygon, static_cast<int16_t>(q), p.pixel->x(), p.pixel->y(), p.x, p.y});
        ++polygon;
    }
    RecordStore(shell_.session()).writeCapture(recordId_, capture);
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
    const int index = cboGRAFIK->findText(name.isEmpty() ? scan_ : name);
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
    engine_->ETEXTX(titleIn(txtXTITEL, AxisTitles{}.x));
    engine_->ELY(static_cast<float>(picture_->ScaleHeight()));
    engine_->EBOYMIN(false);
    engine_->EBOYMAX(false);
    engine_->EAXEY(1);
    engine_->ELYMIN({0});
    engine_->ETEXTY(titleIn(txtYTITEL, AxisTitles{}.y));
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

// Another scan after a calibration: the same figure keeps it, another one is calibrated
// anew. A picture that cannot be read leaves the previous one chosen.
void frmVELOR::cboGRAFIK_Click()
{
    const QString name = cboGRAFIK->currentText();
    if (name == otherFileEntry()) {
        chooseOtherFile();
        return;
    }
    if (name == QStringLiteral("keine") || name == scan_) return;
    if (!choosePicture(name)) {
        QSignalBlocker block(cboGRAFIK);
        cboGRAFIK->setCurrentIndex(cboGRAFIK->findText(scan_));
        return;
    }
    if (!model_.clicks().empty() &&
        vb::MsgBox(QStringLiteral("Das Bild ist schon kalibriert. Soll die Kalibrierung für das neue Bild beibehalten werden?") + vb::vbCrLf +
                       QStringLiteral("(Ja: dieselbe Abbildung, Nein: neu kalibrieren)"),
                   vb::vbYesNo | vb::vbQuestion, title) == vb::vbNo) {
        model_.clearClicks();
        calibration_ = Calibration();
        optAUSWAHL[XmaxYmin]->setChecked(true);
    }
    ZUSTAND();
}

bool frmVELOR::choosePicture(const QString& name)
{
    vb::Procedure p(QStringLiteral("VB-Fehler: "), title);
    p.step([&] {
        const QString path = folder_ + QStringLiteral("/") + name;
        if (!picture_->LoadPicture(path))
            throw vb::VbError(errInvalidPicture, QStringLiteral("Ungültiges Bild: ") + path + vb::vbCrLf + loadFailureText());
        scan_ = name;
    });
    return scan_ == name;
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
    for (int i = 0; i < int(optAUSWAHL.size()); ++i)
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
    for (int i : {XminYmin, XmaxYmax, POLYGONE, TickX, TickY}) optAUSWAHL[i]->setEnabled(both);
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
    map_.reset();
    lblPASSUNG->clear();
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
    fitMap(*ends);
    if (!map_) return;
    picture_->Cls();
    if (map_->model() == PixelMap::Model::AxisAligned) drawScales(*ends);
    else drawTurnedFrame(*ends);
    showFit();
    calibration_.setCalibrated(true);
    ends_ = *ends;
    updateValueMap();
    // A corner corrected after the points were taken: every clicked point follows, once asked.
    if (model_.recompute(QStringLiteral("Kalibrierung")) &&
        vb::MsgBox(QStringLiteral("Die Kalibrierung hat sich geändert. Sollen die Werte aller angeklickten Punkte neu berechnet werden?"),
                   vb::vbYesNo | vb::vbQuestion, title) == vb::vbNo)
        model_.undoStack().undo();
}

void frmVELOR::updateValueMap()
{
    // Points typed by hand are drawn where the calibration puts their values.
    redrawMarkers();
    if (!calibration_.isCalibrated() || !map_) {
        model_.setValueMap(nullptr);
        return;
    }
    model_.setValueMap([map = *map_](const QPointF& px) -> std::optional<QPointF> {
        // Far outside a logarithmic or slanted frame there is no value.
        const QPointF v = map.value(px);
        if (!std::isfinite(v.x()) || !std::isfinite(v.y())) return std::nullopt;
        return v;
    });
}

// Every clicked corner is a reference of the map, the last click of each: two give the
// straight calibration, three or four follow a turned or slanted scan. Every clicked tick
// joins them, and the map becomes a least-squares fit that shows each one's residual. Ticks
// that fix no map (a non-positive value on a logarithmic axis) are left out, and corners that
// fix none (three in a line) leave the two main ones.
void frmVELOR::fitMap(const Calibration::Ends& e)
{
    const std::array<std::pair<double, double>, 4> values{
        {{e.XMAX, e.YMIN}, {e.XMIN, e.YMAX}, {e.XMIN, e.YMIN}, {e.XMAX, e.YMAX}}};
    std::array<std::optional<QPointF>, 4> corners;
    std::vector<PixelMap::Reference> ticks;
    for (const ReferenceClick& c : model_.clicks()) {
        if (c.kind >= XmaxYmin && c.kind <= XmaxYmax) corners[static_cast<size_t>(c.kind)] = c.pixel;
        if (c.kind == TickX) ticks.push_back({c.pixel, c.wx, std::nullopt});
        if (c.kind == TickY) ticks.push_back({c.pixel, std::nullopt, c.wy});
    }
    std::vector<PixelMap::Reference> refs;
    for (size_t i = 0; i < corners.size(); ++i)
        if (corners[i]) refs.push_back({*corners[i], values[i].first, values[i].second});
    const bool logX = chkLOGX->isChecked(), logY = chkLOGY->isChecked();
    std::vector<PixelMap::Reference> all = refs;
    all.insert(all.end(), ticks.begin(), ticks.end());
    map_ = PixelMap::fit(all, logX, logY);
    if (!map_ && !ticks.empty()) map_ = PixelMap::fit(refs, logX, logY);
    if (!map_ && refs.size() > 2) map_ = PixelMap::fit({refs[0], refs[1]}, logX, logY);
}

void frmVELOR::showFit()
{
    const QString separator = shell_.session().DEZIMALPUNKT();
    auto number = [&](double v) { return QString::number(v, 'f', 2).replace(QLatin1Char('.'), separator); };
    QStringList residuals;
    for (double r : map_->residuals()) residuals << number(r);
    QString text = QStringLiteral("Schräglage %1°, Restfehler %2 Pixel").arg(number(map_->skewDegrees()), residuals.join(QStringLiteral(" / ")));
    const bool warn = map_->worstResidual() > residualWarning;
    if (warn) text += QStringLiteral(": Wert oder Ecke prüfen!");
    lblPASSUNG->setText(text);
    lblPASSUNG->setStyleSheet(warn ? QStringLiteral("color: #c00000") : QString());
}

// On a turned or slanted scan the frame and its tenths are drawn where the map puts them.
void frmVELOR::drawTurnedFrame(const Calibration::Ends& e)
{
    const bool logX = chkLOGX->isChecked(), logY = chkLOGY->isChecked();
    auto along = [](double from, double to, bool log, double t) {
        return log ? std::pow(10.0, std::log10(from) + t * (std::log10(to) - std::log10(from))) : from + t * (to - from);
    };
    auto at = [&](double tx, double ty) {
        return picture_->scanToScale(map_->pixel(along(e.XMIN, e.XMAX, logX, tx), along(e.YMIN, e.YMAX, logY, ty)));
    };
    auto line = [&](const QPointF& a, const QPointF& b) { picture_->Line(a.x(), a.y(), b.x(), b.y(), vb::OleColor(0)); };
    const QPointF corners[] = {at(0, 0), at(1, 0), at(1, 1), at(0, 1)};
    for (int i = 0; i < 4; ++i) line(corners[i], corners[(i + 1) % 4]);
    for (int i = 1; i < 10; ++i) {
        line(at(i / 10.0, 0), at(i / 10.0, 0.02));
        line(at(0, i / 10.0), at(0.02, i / 10.0));
    }
    picture_->flush();
}

// The frame follows the model's reference clicks, so an undone corner is undone in the frame
// too, and the map is fitted anew at POLYGONE. Choosing a main corner's option again still
// forgets that corner until it is clicked anew.
void frmVELOR::replayClicks()
{
    Calibration mm;
    for (const ReferenceClick& c : model_.clicks()) {
        const QPointF at = picture_->scanToScale(c.pixel);
        switch (c.kind) {
        case XmaxYmin: mm.setXmaxYmin(at.x(), at.y()); break;
        case XminYmax: mm.setXminYmax(at.x(), at.y()); break;
        case XminYmin: mm.refineXminYmin(at.x(), at.y()); break;
        case XmaxYmax: mm.refineXmaxYmax(at.x(), at.y()); break;
        default: break;
        }
    }
    calibration_ = mm;
    map_.reset();
    lblPASSUNG->clear();
    updateValueMap();
    // A corner undone or redone under POLYGONE: the capture waits until POLYGONE is chosen
    // again and the points follow the calibration then.
    if (selectedOption() == POLYGONE) optAUSWAHL[calibration_.hasXmaxYmin() ? XminYmax : XmaxYmin]->setChecked(true);
    markCorners();
    ZUSTAND();
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

// Equal ends would map the whole axis onto one value: refused at the corner, before anything
// is stored.
bool frmVELOR::checkEnds()
{
    const auto xmin = vb::parseNumber(txtXMIN->text()), xmax = vb::parseNumber(txtXMAX->text());
    const auto ymin = vb::parseNumber(txtYMIN->text()), ymax = vb::parseNumber(txtYMAX->text());
    QString message;
    if (xmin && xmax && float(*xmin) == float(*xmax)) message = QStringLiteral("XMIN und XMAX dürfen nicht gleich sein!");
    else if (ymin && ymax && float(*ymin) == float(*ymax)) message = QStringLiteral("YMIN und YMAX dürfen nicht gleich sein!");
    if (message.isEmpty()) return true;
    vb::MsgBox(message, vb::vbOKOnly, hint);
    return false;
}

void frmVELOR::KLICK(double X, double Y)
{
    picture_->loupeMark(std::nullopt);
    if (storing_ || !std::isfinite(X) || !std::isfinite(Y)) return;
    const QPointF pixel = picture_->scaleToScan(QPointF(X, Y));
    // The release ending a double click is no click of its own, unless the two clicks lay
    // apart: two quick clicks on neighbouring points are two points.
    const QPointF widget = picture_->scanToWidget(pixel);
    const bool ending = std::exchange(releaseEndsDoubleClick_, false);
    const auto marker = std::exchange(pressedMarker_, std::nullopt);
    if (ending && (!lastClick_ || QLineF(picture_->scanToWidget(*lastClick_), widget).length() <= nearPixels)) return;
    clickAt(pixel, marker, true);
}

// A click: a reference for the calibration, or in POLYGONE a new point, the move of the
// point being corrected, or on `marker` (the point the button went down on) its selection or,
// dragged, its move. A mouse click snaps, unless it selects a point; the keyboard places
// exactly where the arrow keys led.
void frmVELOR::clickAt(const QPointF& clicked, std::optional<PointRef> marker, bool snap)
{
    lastClick_ = clicked;
    cursor_ = clicked;
    const int option = selectedOption();
    const bool dragged = marker && QLineF(pressedAt_, picture_->scanToWidget(clicked)).length() > nearPixels;
    // A click on a marker of another curve adds to the current one: where curves cross or run
    // close, the points of one must not catch the clicks meant for the other.
    const bool selects = marker && !dragged && marker->curve == model_.currentCurve();
    const QPointF pixel = snap && !selects ? snappedPixel(clicked, option).value_or(clicked) : clicked;
    const auto reference = [&](QLineEdit* xBox, QLineEdit* yBox) {
        model_.addClick({option, pixel, vb::parseNumber(xBox->text()).value_or(0), vb::parseNumber(yBox->text()).value_or(0)});
    };
    switch (option) {
    case XmaxYmin:
        if (!checkEnds() || !storeCorner(&DiagramFrame::XMAX, txtXMAX, &DiagramFrame::YMIN, txtYMIN)) return;
        reference(txtXMAX, txtYMIN);
        break;
    case XminYmax:
        if (!checkEnds() || !storeCorner(&DiagramFrame::XMIN, txtXMIN, &DiagramFrame::YMAX, txtYMAX)) return;
        reference(txtXMIN, txtYMAX);
        break;
    case XminYmin: reference(txtXMIN, txtYMIN); break;
    case XmaxYmax: reference(txtXMAX, txtYMAX); break;
    case POLYGONE: {
        if (!calibration_.isCalibrated()) return;
        if (dragged) model_.movePoint(*marker, pixel);
        else if (selects) model_.setCorrecting(marker);
        else model_.click(pixel);
        break;
    }
    case TickX:
    case TickY: addTick(option, pixel); break;
    default: break;
    }
}

void frmVELOR::addTick(int kind, const QPointF& pixel)
{
    const bool onX = kind == TickX;
    const QString typed =
        vb::Ui::instance()
            .InputBox(onX ? QStringLiteral("Wert des Teilstrichs auf der x-Achse:") : QStringLiteral("Wert des Teilstrichs auf der y-Achse:"), title)
            .trimmed();
    if (typed.isEmpty()) return;  // cancelled
    const auto value = vb::parseNumber(typed);
    if (!value || !std::isfinite(*value)) {
        vb::MsgBox(notANumber, vb::vbExclamation, title);
        return;
    }
    model_.addClick({kind, pixel, onX ? *value : 0, onX ? 0 : *value});
}

// Each corner and tick taken shows as a red ring with a cross on the scan, until the axes replace them.
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
    for (const ReferenceClick& c : model_.clicks())
        if (c.kind == TickX || c.kind == TickY) {
            const QPointF at = picture_->scanToScale(c.pixel);
            mark(static_cast<float>(at.x()), static_cast<float>(at.y()));
        }
    picture_->flush();
}

std::optional<QPointF> frmVELOR::snappedPixel(const QPointF& pixel, int option) const
{
    const QImage& image = picture_->Picture();
    if (!chkEINRASTEN->isChecked() || altHeld_ || option < 0 || image.isNull()) return std::nullopt;
    const double radius = snapScreenPixels / (picture_->fitScale() * picture_->zoom());
    return option == POLYGONE ? Snap::point(image, pixel, radius) : Snap::corner(image, pixel, radius);
}

void frmVELOR::picture_MouseDown(double X, double Y)
{
    pressedMarker_.reset();
    if (selectedOption() != POLYGONE || !calibration_.isCalibrated() || storing_) return;
    pressedAt_ = picture_->scanToWidget(picture_->scaleToScan(QPointF(X, Y)));
    pressedMarker_ = markerAt(pressedAt_);
}

void frmVELOR::picture_MouseMove(double X, double Y)
{
    cursor_ = picture_->scaleToScan(QPointF(X, Y));
    showPosition(cursor_);
}

void frmVELOR::showPosition(const QPointF& pixel)
{
    QString text = QStringLiteral("Pixel %1 / %2").arg(pixel.x(), 0, 'f', 1).arg(pixel.y(), 0, 'f', 1);
    if (const auto v = model_.valueAt(pixel)) text += QStringLiteral("   X = %1   Y = %2").arg(PointGrid::shown(v->x()), PointGrid::shown(v->y()));
    lblPOSITION->setText(text);
}

// The live position while the left button is held: the read-out, not a row of the grid, so
// that nothing is written where a point could be taken for stored. Where the click would snap
// to, the loupe marks and the read-out tells.
void frmVELOR::MAUSKOORD(double X, double Y)
{
    if (storing_ || !std::isfinite(X) || !std::isfinite(Y)) return;
    picture_MouseMove(X, Y);
    const auto snap = snappedPixel(cursor_, selectedOption());
    picture_->loupeMark(snap);
    if (snap) showPosition(*snap);
}

// --- markers ----------------------------------------------------------------------------------------------

std::optional<QPointF> frmVELOR::markerPixel(const CapturePoint& point) const
{
    if (point.pixel) return point.pixel;
    // A point typed by hand is drawn where its values lie.
    if (!calibration_.isCalibrated() || !map_ || std::isnan(point.x) || std::isnan(point.y)) return std::nullopt;
    const QPointF at = map_->pixel(point.x, point.y);
    if (!std::isfinite(at.x()) || !std::isfinite(at.y())) return std::nullopt;
    return at;
}

std::optional<PointRef> frmVELOR::markerAt(const QPointF& widgetPixel) const
{
    std::optional<PointRef> best;
    double nearest = nearPixels;
    const auto& curves = model_.curves();
    for (size_t c = 0; c < curves.size(); ++c)
        for (size_t i = 0; i < curves[c].points.size(); ++i) {
            const auto px = markerPixel(curves[c].points[i]);
            if (!px) continue;
            const double d = QLineF(picture_->scanToWidget(*px), widgetPixel).length();
            if (d <= nearest) nearest = d, best = PointRef{int(c), int(i)};
        }
    return best;
}

// The points chosen on the picture or in the grid: the one being corrected, or the rows
// selected together (a single current row of the grid is no choice).
std::vector<PointRef> frmVELOR::selection() const
{
    if (const auto ref = model_.correcting()) return {*ref};
    if (fraVELOR->msgFLX->Row() == fraVELOR->msgFLX->RowSel()) return {};
    return fraVELOR->selectedPoints();
}

namespace {

const QColor& curveColour(int curve)
{
    static const QColor colours[] = {QColor(220, 0, 0), QColor(0, 110, 220), QColor(0, 150, 0), QColor(200, 0, 200),
                                     QColor(230, 120, 0), QColor(0, 160, 160), QColor(120, 60, 0), QColor(90, 90, 90)};
    return colours[static_cast<size_t>(curve) % std::size(colours)];
}

}  // namespace

// A cross of a fixed screen size in its curve's colour.
void frmVELOR::paintMarker(QPainter& p, PointRef ref) const
{
    const auto px = markerPixel(model_.point(ref));
    if (!px) return;
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(curveColour(ref.curve), 1.5));
    const QPointF at = picture_->scanToWidget(*px);
    p.drawLine(at - QPointF(markerHalf, 0), at + QPointF(markerHalf, 0));
    p.drawLine(at - QPointF(0, markerHalf), at + QPointF(0, markerHalf));
}

// Where a point's marker is drawn on the layer, its line's width included.
std::optional<QRectF> frmVELOR::markerArea(const CapturePoint& point) const
{
    const auto px = markerPixel(point);
    if (!px) return std::nullopt;
    const double half = markerHalf + 2;
    return QRectF(picture_->scanToWidget(*px) - QPointF(half, half), QSizeF(2 * half, 2 * half));
}

void frmVELOR::paintMarkers(QPainter& p, const QRectF& area) const
{
    const auto& curves = model_.curves();
    for (size_t c = 0; c < curves.size(); ++c)
        for (size_t i = 0; i < curves[c].points.size(); ++i)
            if (const auto at = markerArea(curves[c].points[i]); at && at->intersects(area)) paintMarker(p, PointRef{int(c), int(i)});
}

// The point being corrected and the selected ones are ringed.
void frmVELOR::paintSelection(QPainter& p) const
{
    p.setRenderHint(QPainter::Antialiasing);
    for (const PointRef ref : selection()) {
        const auto px = markerPixel(model_.point(ref));
        if (!px) continue;
        p.setPen(QPen(curveColour(ref.curve), 1.5));
        p.drawEllipse(picture_->scanToWidget(*px), markerHalf + 3, markerHalf + 3);
    }
}

// After OK the points stay on the page as the drawings of the picture, as crosses of
// 3 mm that print with it.
void frmVELOR::drawCrosses()
{
    for (const CaptureCurve& c : model_.curves())
        for (const CapturePoint& point : c.points) {
            const auto px = markerPixel(point);
            if (!px) continue;
            const QPointF at = picture_->scanToScale(*px);
            picture_->Line(at.x() - 1.5, at.y(), at.x() + 1.5, at.y(), vb::OleColor(0));
            picture_->Line(at.x(), at.y() - 1.5, at.x(), at.y() + 1.5, vb::OleColor(0));
        }
    picture_->flush();
}

// --- keyboard ---------------------------------------------------------------------------------------------------

bool frmVELOR::eventFilter(QObject* watched, QEvent* event)
{
    // Alt held on the picture turns snapping off for that click.
    const QEvent::Type type = event->type();
    if (watched == picture_ && (type == QEvent::MouseButtonPress || type == QEvent::MouseMove || type == QEvent::MouseButtonRelease))
        altHeld_ = static_cast<QMouseEvent*>(event)->modifiers() & Qt::AltModifier;
    if (event->type() == QEvent::DragEnter || event->type() == QEvent::Drop) return handleDrop(static_cast<QDropEvent*>(event));
    if (event->type() != QEvent::KeyPress) return QWidget::eventFilter(watched, event);
    auto* key = static_cast<QKeyEvent*>(event);
    if (watched == picture_) return handlePictureKey(key) || handleKey(watched, key);
    return handleKey(watched, key) || QWidget::eventFilter(watched, event);
}

// On the picture the arrow keys move the position by one scan pixel (ten with Shift), the
// loupe shows it, and Enter or Space clicks there; Delete removes the selected points.
bool frmVELOR::handlePictureKey(QKeyEvent* key)
{
    const double step = key->modifiers() & Qt::ShiftModifier ? 10 : 1;
    switch (key->key()) {
    case Qt::Key_Left: moveKeyboardPixel(QPointF(-step, 0)); return true;
    case Qt::Key_Right: moveKeyboardPixel(QPointF(step, 0)); return true;
    case Qt::Key_Up: moveKeyboardPixel(QPointF(0, -step)); return true;
    case Qt::Key_Down: moveKeyboardPixel(QPointF(0, step)); return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
        picture_->showLoupe(std::nullopt);
        if (!storing_) clickAt(cursor_, std::nullopt, false);
        return true;
    case Qt::Key_Delete:
        model_.deletePoints(selection());
        return true;
    default: return false;
    }
}

void frmVELOR::moveKeyboardPixel(const QPointF& by)
{
    cursor_ += by;
    picture_->showLoupe(picture_->scanToWidget(cursor_));
    showPosition(cursor_);
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
    // Undo and redo everywhere but in a box being typed into, which has its own.
    const bool typing = qobject_cast<QLineEdit*>(watched) != nullptr;
    if (!typing && key->matches(QKeySequence::Undo)) {
        model_.undoStack().undo();
        return true;
    }
    if (!typing && (key->matches(QKeySequence::Redo) || (mods == Qt::ControlModifier && key->key() == Qt::Key_Y) ||
                    (mods == (Qt::ControlModifier | Qt::ShiftModifier) && key->key() == Qt::Key_Z))) {
        model_.undoStack().redo();
        return true;
    }
    if (mods == Qt::ControlModifier && key->key() == Qt::Key_N) {
        cmdKURVE_Click();
        return true;
    }
    return false;
}

// --- OK, Cancel, closing -------------------------------------------------------------------------------------------

void frmVELOR::cmdKURVE_Click()
{
    const CaptureCurve& last = model_.curves().back();
    if (last.points.empty()) return;
    // Named like the last one until a name is typed into its row, as the grid carries names down.
    model_.newCurve(last.group);
}

// OK stores the whole grid: it is the whole truth now. Stored points it would remove are
// counted and asked about first.
void frmVELOR::cmdOK_Click()
{
    if (storing_) return;
    fraVELOR->flx().EINFUEGEN(0);
    if (!fraVELOR->takeEdits()) return;
    const int removed = model_.storedCount() - model_.pointCount();
    if (removed > 0 &&
        vb::MsgBox(QStringLiteral("%1 gespeicherte Punkte werden entfernt. Trotzdem speichern?").arg(removed),
                   vb::vbYesNo | vb::vbQuestion, title) != vb::vbYes)
        return;
    // No second OK and no click on the picture while the polygons are written; a failed
    // store gives both back with the points still in the grid, for another OK.
    storing_ = true;
    setEnabled(false);
    picture_->setEnabled(false);
    vb::Procedure p(kPrefix, title);
    bool stored = false;
    p.step([&] {
        stored = RecordStore(shell_.session()).write([&] {
            if (!fraVELOR->store(idObjekt_) || !storeAxisKinds()) return false;
            writeCapture();
            return true;
        });
    });
    vb::Ui::instance().SetPointer(vb::Pointer::Default);
    picture_->setEnabled(true);
    setEnabled(true);
    storing_ = false;
    if (!stored) return;
    model_.markStored();
    drawCrosses();
    notifyStored(calibration_.isCalibrated());
    finish();
}

// Cancel leaves the picture as it was before the window opened: no axes, no markers.
void frmVELOR::cmdABBRECHEN_Click()
{
    restoreG0();
    picture_->Cls();
    finish();
}

void frmVELOR::closeEvent(QCloseEvent* event)
{
    if (finished_) return QWidget::closeEvent(event);
    // The title bar's close is Cancel, after the question about unstored points.
    event->ignore();
    if (!queryClose()) return;
    if (!finished_) cmdABBRECHEN_Click();
}

bool frmVELOR::queryClose()
{
    if (!fraVELOR->hasUnstoredPoints()) return true;
    const int answer = vb::MsgBox(QStringLiteral("Die erfassten Punkte sind noch nicht gespeichert. Speichern?"),
                                  vb::vbYesNoCancel | vb::vbQuestion, title);
    if (answer == vb::vbCancel) return false;
    if (answer == vb::vbYes) {
        cmdOK_Click();
        return finished_;
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
    delete markers_;
    picture_->setMouseTracking(false);
    picture_->showLoupe(std::nullopt);
    picture_->removeEventFilter(this);
    model_.undoStack().clear();
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
