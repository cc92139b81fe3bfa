#include "capture/PointGrid.h"

#include "capture/Calibration.h"
#include "data/RecordStore.h"
#include "data/SessionContext.h"
#include "platform/surface/PictureBox.h"
#include "platform/ui/Procedure.h"
#include "platform/ui/Ui.h"
#include "platform/vb/Convert.h"
#include "platform/widgets/FlexGrid.h"

#include <QFontMetrics>
#include <QKeyEvent>
#include <array>
#include <cmath>
#include <limits>

namespace {

constexpr int maxNumber = std::numeric_limits<int16_t>::max();
constexpr int kHeaderPoints = 8;
const QString title = QStringLiteral("VELOR");

QString text(int n) { return QString::number(n); }

}  // namespace

PointGrid::PointGrid(SessionContext& session, CaptureModel& model, QWidget* parent)
    : QFrame(parent), session_(session), model_(model), recordId_(RecordStore(session).activeRecordId())
{
    setObjectName(QStringLiteral("fraVELOR"));
    setFrameShape(QFrame::StyledPanel);
    msgFLX = new vb::FlexGrid(this);
    msgFLX->setObjectName(QStringLiteral("msgFLX"));
    txtFLX = new QLineEdit(this);
    txtFLX->setObjectName(QStringLiteral("txtFLX"));
    picFLX = new vb::PictureBox(this);
    picFLX->setObjectName(QStringLiteral("picFLX"));
    cmdH = new QPushButton(QStringLiteral("Zeile einfügen"), this);
    cmdH->setObjectName(QStringLiteral("cmdH"));
    cmdW = new QPushButton(QStringLiteral("Zeile entfernen"), this);
    cmdW->setObjectName(QStringLiteral("cmdW"));
    cmdK = new QPushButton(QStringLiteral("Kopieren"), this);
    cmdK->setObjectName(QStringLiteral("cmdK"));
    cmdE = new QPushButton(QStringLiteral("Einfügen"), this);
    cmdE->setObjectName(QStringLiteral("cmdE"));
    layoutWidgets();
    configure();
    wire();
    watchModel();
    showModel();
}

PointGrid::~PointGrid() = default;

void PointGrid::layoutWidgets()
{
    setMinimumSize(360, 300);
    msgFLX->setGeometry(6, 6, 348, 244);
    // The buttons share the grid's width in proportion to their captions, so that none is cut.
    const std::array<QPushButton*, 4> buttons{cmdH, cmdW, cmdK, cmdE};
    std::array<int, 4> needed{};
    int total = 0;
    for (size_t i = 0; i < buttons.size(); ++i) {
        needed[i] = buttons[i]->fontMetrics().horizontalAdvance(buttons[i]->text()) + 14;
        total += needed[i];
    }
    const int gap = 3, room = 348 - 3 * gap;
    int x = 6;
    for (size_t i = 0; i < buttons.size(); ++i) {
        const int w = i + 1 < buttons.size() ? needed[i] * room / total : 6 + 348 - x;
        buttons[i]->setGeometry(x, 258, w, 26);
        x += w + gap;
    }
}

void PointGrid::configure()
{
    flx_.EFLX(msgFLX);
    flx_.ETXT(txtFLX);
    flx_.EPIC(picFLX);
    flx_.ELSB({15, 12, 12, 15, 15});
    flx_.ELST1({"Gruppe", "Polygon", "Punkt", "X", "Y"});
    flx_.ELST2({"Nr.", "Nr.", "Nr.", "[-]", "[-]"});
    flx_.ELSTTT({"Gruppenkennzeichnung", "Polygonnummer (0:M)", "Punktnummer (0:N)", "X-Koordinate", "Y-Koordinate"});
    flx_.ELSTYP({0, -1, -1, 0, 0});
    // The coordinates keep their general form: a fixed number of decimals would cut a typed
    // 0,00012 down to 0,0001 on a small diagram.
    flx_.ELFORMAT({"", "#0", "#0", "", ""});
    flx_.ELA({0, 1, 1, 2, 2});
    // Every number column is checked: a value beyond a single's range would be stored as
    // infinity and vanish from the diagram.
    constexpr float big = std::numeric_limits<float>::max();
    flx_.ELMIN({std::nullopt, 0.0f, 0.0f, -big, -big});
    flx_.ELMAX({std::nullopt, float(maxNumber), float(maxNumber), big, big});
    flx_.SCHRIFTEINSTELLUNGEN(QString(), kHeaderPoints, false, false, false, 0);
    // The header's two lines ("Gruppe" over "Nr.") need more than the grid's one-line rows.
    QFont header = msgFLX->font();
    header.setPointSizeF(kHeaderPoints);
    msgFLX->setRowHeight(0, msgFLX->toTwips(2 * QFontMetrics(header).height() + 4));
    flx_.BESCHRIFTEN();
}

void PointGrid::wire()
{
    connect(msgFLX, &vb::FlexGrid::DblClick, this, &PointGrid::msgFLX_DblClick);
    connect(msgFLX, &vb::FlexGrid::KeyPress, this, &PointGrid::msgFLX_KeyPress);
    connect(msgFLX, &vb::FlexGrid::Click, this, &PointGrid::msgFLX_Click);
    connect(msgFLX, &vb::FlexGrid::MouseDown, this, [this](int, int, float x, float) { msgFLX_MouseDown(x); });
    connect(msgFLX, &vb::FlexGrid::MouseUp, this, [this](int, int, float, float) { msgFLX_MouseUp(); });
    connect(msgFLX, &vb::FlexGrid::MouseMove, this, [this](int, int, float x, float) { msgFLX_MouseMove(x); });
    connect(msgFLX, &vb::FlexGrid::Scroll, this, &PointGrid::msgFLX_Scroll);
    connect(picFLX, &vb::PictureBox::MouseMove, this, [this](int, int, double x, double) {
        msgFLX_MouseMove(static_cast<float>(x));
    });
    txtFLX->installEventFilter(this);
    connect(cmdH, &QPushButton::clicked, this, &PointGrid::cmdH_Click);
    connect(cmdW, &QPushButton::clicked, this, &PointGrid::cmdW_Click);
    connect(cmdK, &QPushButton::clicked, this, &PointGrid::cmdK_Click);
    connect(cmdE, &QPushButton::clicked, this, &PointGrid::cmdE_Click);
}

void PointGrid::showEvent(QShowEvent* event)
{
    QFrame::showEvent(event);
    flx_.BESCHRIFTEN();
}

bool PointGrid::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == txtFLX && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            txtFLX_KeyPress(13);
            return true;
        }
    }
    return QFrame::eventFilter(watched, event);
}

// --- events --------------------------------------------------------------------------------------

void PointGrid::msgFLX_DblClick() { flx_.BEARBEITEN(0, 0); }

void PointGrid::msgFLX_KeyPress(int key)
{
    flx_.BEARBEITEN(static_cast<int16_t>(key), 0);
    takeEdits();
}

// A click on a point's row selects that point for correction: the next click on the picture
// moves it.
void PointGrid::msgFLX_Click()
{
    flx_.EINFUEGEN(0);
    if (!takeEdits()) return;
    const auto ref = model_.refOfRow(msgFLX->Row() - 1);
    if (ref && msgFLX->Row() == msgFLX->RowSel()) model_.setCorrecting(ref);
}

void PointGrid::msgFLX_MouseDown(float x) { flx_.BEARBEITEN(-2, x); }

void PointGrid::msgFLX_MouseUp() { flx_.EINFUEGEN(-2); }

void PointGrid::msgFLX_Scroll()
{
    flx_.EINFUEGEN(0);
    flx_.BESCHRIFTEN();
}

void PointGrid::msgFLX_MouseMove(float x) { flx_.TOOLTIP(x); }

void PointGrid::txtFLX_KeyPress(int key)
{
    flx_.EINFUEGEN(static_cast<int16_t>(key));
    if (key == 13) takeEdits();
}

// A new row is a point without values yet, before the current row's point (at the end of
// the last curve on the next point's row).
void PointGrid::cmdH_Click()
{
    flx_.EINFUEGEN(0);
    if (!takeEdits()) return;
    const auto ref = model_.refOfRow(msgFLX->Row() - 1);
    const int last = static_cast<int>(model_.curves().size()) - 1;
    model_.insertEmpty(ref ? *ref : PointRef{last, static_cast<int>(model_.curves().back().points.size())});
}

void PointGrid::cmdW_Click()
{
    flx_.EINFUEGEN(0);
    if (!takeEdits()) return;
    model_.deletePoints(selectedPoints());
}

void PointGrid::cmdK_Click() { flx_.BEARBEITEN(-1, 0); }

void PointGrid::cmdE_Click()
{
    flx_.EINFUEGEN(-1);
    takeEdits();
}

// --- numbering and the model ------------------------------------------------------------------------

void PointGrid::PUNKTNUMMERN()
{
    vb::FlexGrid& g = *msgFLX;
    if (g.Rows() < 2) return;
    g.setTextMatrix(1, POLYNR, QStringLiteral("0"));
    g.setTextMatrix(1, PKTNR, QStringLiteral("0"));
    // A grid of two data rows is numbered too: its second row must not keep empty numbers.
    for (int r = 2; r < g.Rows(); ++r) {
        for (int c : {GRUPPE, POLYNR})
            if (g.TextMatrix(r, c).isEmpty()) g.setTextMatrix(r, c, g.TextMatrix(r - 1, c));
        if (g.TextMatrix(r, POLYNR) != g.TextMatrix(r - 1, POLYNR))
            g.setTextMatrix(r, PKTNR, QStringLiteral("0"));
        else
            g.setTextMatrix(r, PKTNR, text(static_cast<int>(vb::parseNumber(g.TextMatrix(r - 1, PKTNR)).value_or(0)) + 1));
    }
}

QString PointGrid::shown(double value)
{
    if (std::isnan(value)) return QString();
    return vb::CStr(vb::Value(Calibration::rounded(static_cast<float>(value))));
}

namespace {

// A value cell: empty is no value yet; anything else must be a number.
std::optional<double> cellValue(const QString& cell)
{
    if (cell.trimmed().isEmpty()) return std::numeric_limits<double>::quiet_NaN();
    return vb::parseNumber(cell);
}

}  // namespace

// A curve is a run of rows with the same polygon number and group label. A row whose values
// read as the model shows them keeps the model's point (its pixel, its whole values); a value
// typed anew makes it a point typed by hand. The last row is a point once it has an X value;
// otherwise its group and number name the curve the next clicks go to.
bool PointGrid::takeEdits()
{
    PUNKTNUMMERN();
    const vb::FlexGrid& g = *msgFLX;
    const int last = g.Rows() - 1;
    std::vector<CaptureCurve> curves;
    bool namesNext = false;
    for (int r = 1; r <= last; ++r) {
        const QString group = g.TextMatrix(r, GRUPPE);
        const bool continues = !curves.empty() && g.TextMatrix(r, POLYNR) == g.TextMatrix(r - 1, POLYNR) &&
                               group == g.TextMatrix(r - 1, GRUPPE);
        if (r == last && g.TextMatrix(r, X).trimmed().isEmpty()) {
            namesNext = !continues;
            if (namesNext) curves.push_back({group, {}});
            break;
        }
        const auto x = cellValue(g.TextMatrix(r, X)), y = cellValue(g.TextMatrix(r, Y));
        if (!x || !y) {
            vb::MsgBox(QStringLiteral("Eingegeber Wert ist kein gültiges Zahlenformat!") + vb::vbCrLf +
                           QStringLiteral("Zeile %1, X = \"%2\", Y = \"%3\"").arg(r).arg(g.TextMatrix(r, X), g.TextMatrix(r, Y)),
                       vb::vbExclamation, title);
            showModel();
            return false;
        }
        CapturePoint p{std::nullopt, *x, *y};
        if (const auto ref = model_.refOfRow(r - 1)) {
            const CapturePoint& old = model_.point(*ref);
            if (shown(old.x) == g.TextMatrix(r, X) && shown(old.y) == g.TextMatrix(r, Y)) p = old;
        }
        if (!continues) curves.push_back({group, {}});
        curves.back().points.push_back(p);
    }
    const int count = static_cast<int>(curves.size());
    model_.replaceCurves(std::move(curves), QStringLiteral("Tabelle"));
    // A curve named in the next point's row takes the following clicks.
    if (namesNext) model_.setCurrentCurve(count - 1);
    return true;
}

void PointGrid::showRow(int row, const QString& group, int polygon, int point, const CapturePoint* p)
{
    msgFLX->setCells(row, 0, {{group, text(polygon), text(point), p ? shown(p->x) : QString(), p ? shown(p->y) : QString()}});
}

void PointGrid::showNextRow()
{
    const int last = static_cast<int>(model_.curves().size()) - 1;
    const CaptureCurve& c = model_.curves().back();
    showRow(msgFLX->Rows() - 1, c.group, last, static_cast<int>(c.points.size()), nullptr);
}

void PointGrid::showModel()
{
    QList<QStringList> cells;
    cells.reserve(model_.pointCount() + 1);
    const auto& curves = model_.curves();
    for (size_t c = 0; c < curves.size(); ++c)
        for (size_t i = 0; i < curves[c].points.size(); ++i) {
            const CapturePoint& p = curves[c].points[i];
            cells.append({curves[c].group, text(static_cast<int>(c)), text(static_cast<int>(i)), shown(p.x), shown(p.y)});
        }
    const int last = static_cast<int>(curves.size()) - 1;
    cells.append({curves.back().group, text(last), text(static_cast<int>(curves.back().points.size())), QString(), QString()});
    msgFLX->setRows(static_cast<int>(cells.size()) + 1);
    msgFLX->setCells(1, 0, cells);
}

// The point numbers of a curve from `ref` on, after a point came or went there.
void PointGrid::renumberFrom(PointRef ref)
{
    const int n = static_cast<int>(model_.curves()[static_cast<size_t>(ref.curve)].points.size());
    const int first = model_.rowOf(ref) + 1;
    for (int i = ref.index; i < n; ++i) msgFLX->setTextMatrix(first + i - ref.index, PKTNR, text(i));
    showNextRow();
}

void PointGrid::watchModel()
{
    connect(&model_, &CaptureModel::pointInserted, this, [this](PointRef ref) {
        const int row = model_.rowOf(ref) + 1;
        msgFLX->AddItem(row);
        showRow(row, model_.curves()[static_cast<size_t>(ref.curve)].group, ref.curve, ref.index, &model_.point(ref));
        renumberFrom(ref);
    });
    connect(&model_, &CaptureModel::pointChanged, this, [this](PointRef ref) {
        const int row = model_.rowOf(ref) + 1;
        msgFLX->setTextMatrix(row, X, shown(model_.point(ref).x));
        msgFLX->setTextMatrix(row, Y, shown(model_.point(ref).y));
    });
    connect(&model_, &CaptureModel::pointRemoved, this, [this](PointRef ref) {
        msgFLX->RemoveItem(model_.rowOf(ref) + 1);
        renumberFrom(ref);
    });
    connect(&model_, &CaptureModel::reset, this, &PointGrid::showModel);
    connect(&model_, &CaptureModel::currentChanged, this, [this] {
        if (const auto ref = model_.correcting()) selectPoint(*ref);
    });
}

std::vector<PointRef> PointGrid::selectedPoints() const
{
    std::vector<PointRef> refs;
    const int from = std::min(msgFLX->Row(), msgFLX->RowSel()), to = std::max(msgFLX->Row(), msgFLX->RowSel());
    for (int r = from; r <= to; ++r)
        if (const auto ref = model_.refOfRow(r - 1)) refs.push_back(*ref);
    return refs;
}

void PointGrid::selectPoint(PointRef ref)
{
    const int row = model_.rowOf(ref) + 1;
    msgFLX->setRow(row);
    msgFLX->setCol(0);
    msgFLX->setColSel(msgFLX->Cols() - 1);
    if (!msgFLX->RowIsVisible(row)) msgFLX->setTopRow(row);
}

bool PointGrid::hasUnstoredPoints() const { return model_.changedSinceStored() && (model_.pointCount() > 0 || model_.storedCount() > 0); }

// --- storing -------------------------------------------------------------------------------------

// Every curve with points is one polygon, numbered from 0 in order; every value must be there.
bool PointGrid::readPolygons(PolygonPoints& points) const
{
    int row = 0, polygon = -1;
    for (const CaptureCurve& c : model_.curves()) {
        if (c.points.empty()) continue;
        ++polygon;
        for (size_t i = 0; i < c.points.size(); ++i) {
            const CapturePoint& p = c.points[i];
            ++row;
            if (std::isnan(p.x) || std::isnan(p.y)) {
                vb::MsgBox(QStringLiteral("Eingegeber Wert ist kein gültiges Zahlenformat!") + vb::vbCrLf +
                               QStringLiteral("Zeile %1, X = \"%2\", Y = \"%3\"").arg(row).arg(shown(p.x), shown(p.y)),
                           vb::vbExclamation, title);
                return false;
            }
            if (i > size_t(maxNumber) || polygon > maxNumber) {
                vb::MsgBox(QStringLiteral("Ein Polygon kann höchstens 32768 Punkte haben, eine Grafik höchstens 32768 Polygone!") +
                               vb::vbCrLf + QStringLiteral("Zeile %1").arg(row),
                           vb::vbExclamation, title);
                return false;
            }
            points.push_back({c.group, static_cast<int16_t>(polygon), static_cast<int16_t>(i), p.x, p.y});
        }
    }
    return true;
}

// The previous polygons of the diagram are replaced as a whole, in one write of the store:
// a failure leaves the old ones, shows one message and keeps the grid for the next OK.
bool PointGrid::store(int16_t IDOBJEKT)
{
    flx_.EINFUEGEN(0);
    if (!takeEdits()) return false;
    PolygonPoints points;
    if (!readPolygons(points)) return false;
    vb::Ui::instance().SetPointer(vb::Pointer::Hourglass);
    vb::Procedure p(QStringLiteral("VB-Fehler: "), title);
    p.step([&] { RecordStore(session_).writeWorkingPolygons(recordId_, IDOBJEKT, points); });
    vb::Ui::instance().SetPointer(vb::Pointer::Default);
    return !p.failed();
}
