#include "pages/frmKONTEXT11.h"

#include "data/RecordStore.h"
#include "data/SessionContext.h"
#include "data/ShellWindow.h"
#include "data/clsDATEN.h"
#include "pages/AxisCandidates.h"
#include "platform/ui/LimitsText.h"
#include "platform/ui/Procedure.h"
#include "platform/ui/Ui.h"
#include "platform/vb/Convert.h"
#include "platform/vb/VbError.h"
#include "platform/widgets/DialogButtons.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>
#include <limits>

namespace {

const QString kPrefix = QStringLiteral("VB-Fehler: ");
const int16_t kDiagram = 11;

IndexPairs diagram() { return IndexPairs(QStringLiteral("IDOBJEKT"), vb::Value(kDiagram)); }

// The candidate equal to `value`. Stored ends went through single precision and a span is
// a difference of two of them, so equality holds within the precision of the numbers the
// value came from (`magnitude`), not in the last digit of a text.
int candidateIndex(const std::vector<float>& candidates, double value, double magnitude)
{
    const double tolerance = 1e-5 * magnitude;
    for (std::size_t i = 0; i < candidates.size(); ++i)
        if (std::fabs(candidates[i] - value) <= tolerance) return static_cast<int>(i);
    return -1;
}

// A number typed into a box, in the session's format; anything else is a type mismatch.
float typedNumber(const QString& text)
{
    const std::optional<double> d = vb::parseNumber(text);
    if (!d) vb::raise(vb::errTypeMismatch);
    if (!std::isfinite(*d)) vb::raise(vb::errOverflow);
    return vb::CSng(vb::Value(*d));
}

// A scale is 0 (computed) or a positive single: a negative one mirrors nothing and frames
// nothing, one beyond a single cannot be stored. Says so with the limits; false then.
bool scaleInRange(const QString& text, const QString& title)
{
    const std::optional<double> d = vb::parseNumber(text);
    if (!d) return true;  // no number at all: the type mismatch of the reading says so
    const std::optional<float> scale = vb::fitSingle(vb::Value(*d));
    if (scale && *scale >= 0) return true;
    vb::MsgBox(vb::limitsText(vb::Value(0.0f), vb::Value(std::numeric_limits<float>::max())), vb::vbOKOnly | vb::vbExclamation,
               title);
    return false;
}

void fillBox(QComboBox* box, const std::vector<float>& values)
{
    box->clear();
    for (float v : values) box->addItem(vb::CStr(vb::Value(v)));
    box->setCurrentIndex(-1);
}

}  // namespace

frmKONTEXT11::frmKONTEXT11(ShellWindow& shell, int32_t recordId, bool frameEditable, QWidget* parent)
    : QDialog(parent), shell_(shell), recordId_(recordId), frameEditable_(frameEditable)
{
    setObjectName(QStringLiteral("frmKONTEXT11"));
    setWindowTitle(QStringLiteral("Kontextmenü Diagramm"));
    x_.name = QLatin1Char('X');
    y_.name = QLatin1Char('Y');
    fraX = buildAxis(x_, QStringLiteral("x-Achse"), QStringLiteral("nach rechts"), QStringLiteral("nach links"));
    fraY = buildAxis(y_, QStringLiteral("y-Achse"), QStringLiteral("nach oben"), QStringLiteral("nach unten"));
    chkLOGX = x_.chkLOG, chkLOGY = y_.chkLOG;
    lblXMIN = x_.lblMIN, lblYMIN = y_.lblMIN;
    cboXMIN = x_.cboMIN, cboYMIN = y_.cboMIN;
    lblDEX = x_.lblDE, lblDEY = y_.lblDE;
    cboXDIFF = x_.cboDIFF, cboYDIFF = y_.cboDIFF;
    lblXDIFF = x_.lblDIFF, lblYDIFF = y_.lblDIFF;
    lblMX = x_.lblM, lblMY = y_.lblM;
    txtMX = x_.txtM, txtMY = y_.txtM;
    optOX = x_.opt, optOY = y_.opt;

    const vb::DialogButtons buttons(this);
    cmdOK = buttons.ok;
    cmdABBRECHEN = buttons.cancel;
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(fraX);
    layout->addWidget(fraY);
    layout->addLayout(buttons.row);

    connect(chkLOGX, &QCheckBox::clicked, this, &frmKONTEXT11::chkLOGX_Click);
    connect(chkLOGY, &QCheckBox::clicked, this, &frmKONTEXT11::chkLOGY_Click);
    for (int i = 0; i < 2; ++i) {
        connect(optOX[i], &QRadioButton::clicked, this, [this, i] { optOX_Click(i); });
        connect(optOY[i], &QRadioButton::clicked, this, [this, i] { optOY_Click(i); });
    }
    connect(cboXMIN, &QComboBox::activated, this, &frmKONTEXT11::cboXMIN_Click);
    connect(cboYMIN, &QComboBox::activated, this, &frmKONTEXT11::cboYMIN_Click);
    connect(cboXDIFF, &QComboBox::activated, this, &frmKONTEXT11::cboXDIFF_Click);
    connect(cboYDIFF, &QComboBox::activated, this, &frmKONTEXT11::cboYDIFF_Click);
    connect(cmdOK, &QPushButton::clicked, this, &frmKONTEXT11::cmdOK_Click);
    connect(cmdABBRECHEN, &QPushButton::clicked, this, &frmKONTEXT11::cmdABBRECHEN_Click);
}

frmKONTEXT11::~frmKONTEXT11() = default;

QGroupBox* frmKONTEXT11::buildAxis(Axis& a, const QString& title, const QString& forwards, const QString& backwards)
{
    const QString n = a.name;
    auto named = [n](QWidget* w, const QString& prefix, const QString& suffix = QString()) {
        w->setObjectName(prefix + n + suffix);
        return w;
    };
    a.fra = new QGroupBox(title, this);
    named(a.fra, QStringLiteral("fra"));
    a.chkLOG = new QCheckBox(QStringLiteral("logarithmisch"), a.fra);
    named(a.chkLOG, QStringLiteral("chkLOG"));
    a.lblMIN = new QLabel(n + QStringLiteral("min"), a.fra);
    named(a.lblMIN, QStringLiteral("lbl"), QStringLiteral("MIN"));
    a.cboMIN = new QComboBox(a.fra);
    named(a.cboMIN, QStringLiteral("cbo"), QStringLiteral("MIN"));
    a.lblDE = new QLabel(a.fra);
    named(a.lblDE, QStringLiteral("lblDE"));
    a.cboDIFF = new QComboBox(a.fra);
    named(a.cboDIFF, QStringLiteral("cbo"), QStringLiteral("DIFF"));
    a.lblDIFF = new QLabel(a.fra);
    named(a.lblDIFF, QStringLiteral("lbl"), QStringLiteral("DIFF"));
    a.lblM = new QLabel(QStringLiteral("Maßstab [Einheiten/mm], 0 = berechnet"), a.fra);
    named(a.lblM, QStringLiteral("lblM"));
    a.txtM = new QLineEdit(QStringLiteral("1"), a.fra);
    named(a.txtM, QStringLiteral("txtM"));
    a.opt = {new QRadioButton(forwards, a.fra), new QRadioButton(backwards, a.fra)};
    for (int i = 0; i < 2; ++i) {
        named(a.opt[i], QStringLiteral("optO"));
        a.opt[i]->setProperty("index", i);
    }

    auto* grid = new QGridLayout(a.fra);
    grid->addWidget(a.chkLOG, 0, 0, 1, 3);
    grid->addWidget(a.lblMIN, 1, 0);
    grid->addWidget(a.cboMIN, 1, 1);
    grid->addWidget(a.lblDE, 2, 0);
    grid->addWidget(a.cboDIFF, 2, 1);
    grid->addWidget(a.lblDIFF, 2, 2);
    grid->addWidget(a.lblM, 3, 0, 1, 2);
    grid->addWidget(a.txtM, 3, 2);
    grid->addWidget(a.opt[0], 4, 0);
    grid->addWidget(a.opt[1], 4, 1);
    return a.fra;
}

void frmKONTEXT11::Form_Load()
{
    readSettings();
    for (Axis* a : {&x_, &y_}) {
        fill(*a);
        selectCurrent(*a);
        a->txtM->setText(vb::CStr(vb::Value(a->M)));
        for (int i = 0; i < 2; ++i) a->opt[i]->setChecked(a->O == (i == 0 ? 1 : -1));
        // While the capture window calibrates on the input page, the frame is its own.
        for (QWidget* w : std::initializer_list<QWidget*>{a->cboMIN, a->cboDIFF, a->txtM, a->opt[0], a->opt[1]})
            w->setEnabled(frameEditable_);
    }
}

void frmKONTEXT11::readSettings()
{
    vb::Procedure p(kPrefix, windowTitle());
    SessionContext& s = shell_.session();
    p.step([&] {
        clsDATEN e2(s);
        e2.ETABELLE(QStringLiteral("E2"));
        e2.ESPIDW(recordId_);
        e2.DTFC(QStringLiteral("LOGX"), chkLOGX);
        e2.DTFC(QStringLiteral("LOGY"), chkLOGY);
    });
    // The frames carry the axes' titles, so that the dialog names what the page shows.
    p.step([&] {
        const AxisTitles titles = RecordStore(s).axisTitles(recordId_);
        fraX->setTitle(QStringLiteral("x-Achse: ") + titles.x);
        fraY->setTitle(QStringLiteral("y-Achse: ") + titles.y);
    });
    p.step([&] {
        clsDATEN g0(s);
        g0.ETABELLE(QStringLiteral("G0"));
        g0.ESPIDW(recordId_);
        for (Axis* a : {&x_, &y_}) {
            const QString n = a->name;
            g0.DTVS(n + QStringLiteral("MIN"), a->MIN, diagram());
            g0.DTVS(n + QStringLiteral("MAX"), a->MAX, diagram());
            g0.DTVS(QStringLiteral("M") + n, a->M, diagram());
            g0.DTVI(QStringLiteral("O") + n, a->O, diagram());
        }
    });
}

void frmKONTEXT11::fill(Axis& a)
{
    const QString n = a.name;
    if (a.chkLOG->isChecked()) {
        // A logarithmic axis runs between two of its admissible ends; the second box takes
        // the upper end, as a span means nothing on such an axis.
        a.ends = AxisCandidates::logarithmic(a.MIN, a.MAX).MIN;
        a.spans = a.ends;
        a.lblDE->setText(n + QStringLiteral("max"));
        a.lblDIFF->clear();
    } else {
        const AxisLists lists = AxisCandidates::linear(a.MIN, a.MAX);
        a.ends = lists.MIN;
        a.spans = lists.DIFF;
        a.lblDE->setText(QStringLiteral("Spanne Δ") + n);
        a.lblDIFF->setText(n + QStringLiteral("max = ") + n + QStringLiteral("min + Δ") + n);
    }
    fillBox(a.cboMIN, a.ends);
    fillBox(a.cboDIFF, a.spans);
}

void frmKONTEXT11::selectCurrent(Axis& a)
{
    if (a.chkLOG->isChecked()) {
        a.cboMIN->setCurrentIndex(candidateIndex(a.ends, a.MIN, std::fabs(a.MIN)));
        a.cboDIFF->setCurrentIndex(candidateIndex(a.spans, a.MAX, std::fabs(a.MAX)));
        return;
    }
    // An end carries only its own rounding; a span carries that of both ends, so a small end
    // beside a large one (0.45 below 10000) is not taken for its neighbour candidate.
    const double endMagnitude = std::max(1.0, std::fabs(double(a.MIN)));
    const double spanMagnitude = std::max({1.0, std::fabs(double(a.MIN)), std::fabs(double(a.MAX))});
    a.cboMIN->setCurrentIndex(candidateIndex(a.ends, a.MIN, endMagnitude));
    a.cboDIFF->setCurrentIndex(candidateIndex(a.spans, static_cast<double>(a.MAX) - a.MIN, spanMagnitude));
}

void frmKONTEXT11::chkLOGX_Click() { changeDivision(x_); }

void frmKONTEXT11::chkLOGY_Click() { changeDivision(y_); }

void frmKONTEXT11::changeDivision(Axis& a)
{
    fill(a);
    selectCurrent(a);
    // A scale in units per millimetre of one division means nothing on the other (decades
    // per millimetre on a logarithmic axis): the new division starts on the computed scale.
    changeRange(a);
}

void frmKONTEXT11::changeRange(Axis& a)
{
    // A stored scale fits the range it was computed for: a new range at the old scale would
    // not fit the picture.
    a.txtM->setText(QStringLiteral("0"));
}

void frmKONTEXT11::cboXMIN_Click() { changeRange(x_); }

void frmKONTEXT11::cboYMIN_Click() { changeRange(y_); }

void frmKONTEXT11::cboXDIFF_Click() { changeRange(x_); }

void frmKONTEXT11::cboYDIFF_Click() { changeRange(y_); }

void frmKONTEXT11::chooseOrientation(Axis& a, int index) { a.O = index == 0 ? 1 : -1; }

void frmKONTEXT11::optOX_Click(int index) { chooseOrientation(x_, index); }

void frmKONTEXT11::optOY_Click(int index) { chooseOrientation(y_, index); }

bool frmKONTEXT11::readEnds(Axis& a, float& lo, float& hi) const
{
    const int end = a.cboMIN->currentIndex();
    const int second = a.cboDIFF->currentIndex();
    lo = a.MIN;
    hi = a.MAX;
    // Boxes without a choice keep the stored frame, also an end that matches no candidate.
    if (end < 0 && second < 0) return true;
    if (end >= 0) lo = a.ends[end];
    if (a.chkLOG->isChecked()) {
        if (second >= 0) hi = a.spans[second];
        if (hi > lo) return true;
        vb::MsgBox(a.name + QStringLiteral("max muss größer als ") + a.name + QStringLiteral("min sein."),
                   vb::vbOKOnly | vb::vbExclamation, windowTitle());
        return false;
    }
    const float span = second >= 0 ? a.spans[second] : a.MAX - a.MIN;
    hi = lo + span;
    return true;
}

bool frmKONTEXT11::fitsLogarithmic(const Axis& a, float lo) const
{
    if (!a.chkLOG->isChecked() || lo > 0) return true;
    const QString text = frameEditable_
        ? a.name + QStringLiteral("min muss auf einer logarithmischen Achse größer als 0 sein. Bitte wählen Sie ") +
              a.name + QStringLiteral("min.")
        : QStringLiteral("Die Kalibrierung beginnt bei ") + a.name + QStringLiteral("min = ") + vb::CStr(vb::Value(lo)) +
              QStringLiteral(": für eine logarithmische Achse muss ") + a.name +
              QStringLiteral("min größer als 0 sein.");
    vb::MsgBox(text, vb::vbOKOnly | vb::vbExclamation, windowTitle());
    return false;
}

void frmKONTEXT11::cmdOK_Click()
{
    float xmin = x_.MIN, xmax = x_.MAX, ymin = y_.MIN, ymax = y_.MAX, mx = x_.M, my = y_.M;
    if (frameEditable_) {
        if (!scaleInRange(txtMX->text(), windowTitle()) || !scaleInRange(txtMY->text(), windowTitle())) return;
        vb::Procedure p(kPrefix, windowTitle());
        // A box that does not hold a number reports it; OK goes on with the stored scale,
        // Cancel leaves the dialog open for a correction.
        p.step([&] { mx = typedNumber(txtMX->text()); });
        p.step([&] { my = typedNumber(txtMY->text()); });
        if (p.cancelled()) return;
        if (!readEnds(x_, xmin, xmax) || !readEnds(y_, ymin, ymax)) return;
    }
    // Every drawing of a logarithmic axis from 0 would fail: such a frame is never stored.
    if (!fitsLogarithmic(x_, xmin) || !fitsLogarithmic(y_, ymin)) return;
    if (!write(xmin, xmax, ymin, ymax, mx, my)) return;
    written_ = true;
    accept();
}

bool frmKONTEXT11::write(float xmin, float xmax, float ymin, float ymax, float mx, float my)
{
    SessionContext& s = shell_.session();
    bool ok = false;
    vb::Procedure p(kPrefix, windowTitle());
    p.step([&] {
        ok = RecordStore(s).write([&] {
            clsDATEN e2(s);
            e2.ETABELLE(QStringLiteral("E2"));
            e2.ESPIDW(recordId_);
            if (!e2.DFTC(QStringLiteral("LOGX"), chkLOGX) || !e2.DFTC(QStringLiteral("LOGY"), chkLOGY)) return false;
            if (!frameEditable_) return true;
            // A new evaluation starts the diagram from the record's ends: they must be the ones
            // chosen here, or a logarithmic axis would start again from the linear end 0.
            if (!e2.DVTS(QStringLiteral("XMIN"), xmin) || !e2.DVTS(QStringLiteral("XMAX"), xmax) ||
                !e2.DVTS(QStringLiteral("YMIN"), ymin) || !e2.DVTS(QStringLiteral("YMAX"), ymax))
                return false;
            clsDATEN g0(s);
            g0.ETABELLE(QStringLiteral("G0"));
            g0.ESPIDW(recordId_);
            const IndexPairs idx = diagram();
            return g0.DVTS(QStringLiteral("XMIN"), xmin, idx) && g0.DVTS(QStringLiteral("XMAX"), xmax, idx) &&
                   g0.DVTS(QStringLiteral("YMIN"), ymin, idx) && g0.DVTS(QStringLiteral("YMAX"), ymax, idx) &&
                   g0.DVTS(QStringLiteral("MX"), mx, idx) && g0.DVTS(QStringLiteral("MY"), my, idx) &&
                   g0.DVTI(QStringLiteral("OX"), x_.O, idx) && g0.DVTI(QStringLiteral("OY"), y_.O, idx);
        });
    });
    return ok;
}

void frmKONTEXT11::cmdABBRECHEN_Click() { reject(); }

void frmKONTEXT11::resizeEvent(QResizeEvent* event)
{
    QDialog::resizeEvent(event);
    if (isMinimized()) return;
    const QRect screen = this->screen()->geometry();
    move(screen.left() + qRound(0.6 * screen.width()), screen.top() + qRound(0.1 * screen.height()));
}
