#include "capture/PointGrid.h"

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
#include <limits>

namespace {

constexpr int maxNumber = std::numeric_limits<int16_t>::max();
constexpr int kHeaderPoints = 8;
const QString title = QStringLiteral("VELOR");

QString text(int n) { return QString::number(n); }

}  // namespace

PointGrid::PointGrid(SessionContext& session, QWidget* parent)
    : QFrame(parent), session_(session), recordId_(RecordStore(session).activeRecordId())
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
    stored_ = snapshot();
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
    flx_.SCHRIFTEINSTELLUNGEN(QString(), kHeaderPoints, false, false, false, 0);
    // The header's two lines ("Gruppe" over "Nr.") need more than the grid's one-line rows.
    QFont header = msgFLX->font();
    header.setPointSizeF(kHeaderPoints);
    msgFLX->setRowHeight(0, msgFLX->toTwips(2 * QFontMetrics(header).height() + 4));
    flx_.BESCHRIFTEN();
    const int last = msgFLX->Rows() - 1;
    msgFLX->setTextMatrix(last, POLYNR, QStringLiteral("0"));
    msgFLX->setTextMatrix(last, PKTNR, QStringLiteral("0"));
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

void PointGrid::msgFLX_DblClick()
{
    flx_.BEARBEITEN(0, 0);
    PUNKTNUMMERN();
}

void PointGrid::msgFLX_KeyPress(int key) { flx_.BEARBEITEN(static_cast<int16_t>(key), 0); }

void PointGrid::msgFLX_Click()
{
    flx_.EINFUEGEN(0);
    PUNKTNUMMERN();
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
    if (key == 13) PUNKTNUMMERN();
}

void PointGrid::cmdH_Click()
{
    flx_.EINFUEGEN(0);
    flx_.ZEILEEINFUEGEN();
    PUNKTNUMMERN();
}

void PointGrid::cmdW_Click()
{
    flx_.EINFUEGEN(0);
    flx_.ZEILEENTFERNEN();
    PUNKTNUMMERN();
}

void PointGrid::cmdK_Click()
{
    flx_.BEARBEITEN(-1, 0);
    PUNKTNUMMERN();
}

void PointGrid::cmdE_Click()
{
    flx_.EINFUEGEN(-1);
    PUNKTNUMMERN();
}

// --- numbering and capture -------------------------------------------------------------------------

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

void PointGrid::setCurrentPoint(float x, float y)
{
    msgFLX->setTextMatrix(msgFLX->Row(), X, vb::CStr(vb::Value(x)));
    msgFLX->setTextMatrix(msgFLX->Row(), Y, vb::CStr(vb::Value(y)));
}

void PointGrid::advanceAfterClick()
{
    if (msgFLX->Rows() == msgFLX->Row() + 1) {
        msgFLX->setCol(msgFLX->Cols() - 1);
        flx_.BEARBEITEN(13, 0);
    }
    PUNKTNUMMERN();
}

QString PointGrid::snapshot() const
{
    QStringList cells;
    for (int r = 1; r < msgFLX->Rows(); ++r)
        for (int c : {GRUPPE, POLYNR, X, Y}) cells << msgFLX->TextMatrix(r, c);
    return cells.join(QChar(0x1F));
}

bool PointGrid::hasUnstoredPoints() const
{
    bool anyPoint = false;
    for (int r = 1; r < msgFLX->Rows() && !anyPoint; ++r)
        anyPoint = !msgFLX->TextMatrix(r, X).trimmed().isEmpty() || !msgFLX->TextMatrix(r, Y).trimmed().isEmpty();
    return anyPoint && snapshot() != stored_;
}

// --- storing -------------------------------------------------------------------------------------

int PointGrid::lastStoredRow() const
{
    const int last = msgFLX->Rows() - 1;
    return msgFLX->TextMatrix(last, X).trimmed().isEmpty() ? last - 1 : last;
}

// A polygon is a maximal run of rows with the same polygon number and the same group label;
// its points are numbered from 0 in grid order, whatever column 2 shows. Every X and Y must be
// a number in the session's format: storing "the leading numeric part, or 0" of a pasted
// "1.5" would put a wrong point into the diagram without a word.
bool PointGrid::readPolygons(PolygonPoints& points) const
{
    const vb::FlexGrid& g = *msgFLX;
    int polygon = -1, point = 0;
    for (int r = 1; r <= lastStoredRow(); ++r) {
        const auto x = vb::parseNumber(g.TextMatrix(r, X));
        const auto y = vb::parseNumber(g.TextMatrix(r, Y));
        if (!x || !y) {
            vb::MsgBox(QStringLiteral("Eingegeber Wert ist kein gültiges Zahlenformat!") + vb::vbCrLf +
                           QStringLiteral("Zeile %1, X = \"%2\", Y = \"%3\"").arg(r).arg(g.TextMatrix(r, X), g.TextMatrix(r, Y)),
                       vb::vbExclamation, title);
            return false;
        }
        const bool continues = polygon >= 0 && g.TextMatrix(r, POLYNR) == g.TextMatrix(r - 1, POLYNR) &&
                               g.TextMatrix(r, GRUPPE) == g.TextMatrix(r - 1, GRUPPE);
        point = continues ? point + 1 : 0;
        if (!continues) ++polygon;
        if (point > maxNumber || polygon > maxNumber) {
            vb::MsgBox(QStringLiteral("Ein Polygon kann höchstens 32768 Punkte haben, eine Grafik höchstens 32768 Polygone!") +
                           vb::vbCrLf + QStringLiteral("Zeile %1").arg(r),
                       vb::vbExclamation, title);
            return false;
        }
        // The values keep the single precision the grid shows and the tables store.
        points.push_back({g.TextMatrix(r, GRUPPE), static_cast<int16_t>(polygon), static_cast<int16_t>(point),
                          static_cast<float>(*x), static_cast<float>(*y)});
    }
    return true;
}

// The previous polygons of the diagram are replaced as a whole, in one write of the store:
// a failure leaves the old ones, shows one message and keeps the grid for the next OK.
bool PointGrid::store(int16_t IDOBJEKT)
{
    flx_.EINFUEGEN(0);
    PolygonPoints points;
    if (!readPolygons(points)) return false;
    vb::Ui::instance().SetPointer(vb::Pointer::Hourglass);
    vb::Procedure p(QStringLiteral("VB-Fehler: "), title);
    p.step([&] { RecordStore(session_).writeWorkingPolygons(recordId_, IDOBJEKT, points); });
    vb::Ui::instance().SetPointer(vb::Pointer::Default);
    if (p.failed()) return false;
    stored_ = snapshot();
    return true;
}
