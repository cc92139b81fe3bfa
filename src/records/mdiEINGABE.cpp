#include "records/mdiEINGABE.h"

#include "data/SessionContext.h"
#include "data/ShellWindow.h"
#include "data/clsDATEN.h"
#include "platform/ui/LimitsText.h"
#include "platform/ui/Procedure.h"
#include "platform/ui/Ui.h"
#include "platform/vb/Convert.h"

#include <QApplication>
#include <QCheckBox>
#include <QFocusEvent>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QTabWidget>
#include <QWindowStateChangeEvent>
#include <cmath>
#include <optional>

using vb::MsgBox;

namespace {

const QString kPrefix = QStringLiteral("VB-Fehler: ");

// The numeric keypad's decimal key, whatever character the keyboard layout gives it.
bool isKeypadDecimal(const QKeyEvent* key)
{
    if (!(key->modifiers() & Qt::KeypadModifier)) return false;
    return key->key() == Qt::Key_Period || key->key() == Qt::Key_Comma;
}

}  // namespace

mdiEINGABE::mdiEINGABE(ShellWindow& shell, QWidget* parent) : QWidget(parent), shell_(shell)
{
    setObjectName(QStringLiteral("mdiEINGABE"));
    setWindowTitle(QStringLiteral("Eingabe"));
    setMinimumSize(420, 330);

    fraKEN = new QGroupBox(this);
    fraKEN->setObjectName(QStringLiteral("fraKEN"));
    fraKEN->resize(560, 84);
    lblKEN = new QLabel(QStringLiteral("Datensatz"), fraKEN);
    lblKEN->setObjectName(QStringLiteral("lblKEN"));
    lblKEN->setGeometry(12, 14, 90, 24);
    txtKEN = new QLineEdit(fraKEN);
    txtKEN->setObjectName(QStringLiteral("txtKEN"));
    txtKEN->setGeometry(110, 14, 436, 24);
    lblKOM = new QLabel(QStringLiteral("Kommentar"), fraKEN);
    lblKOM->setObjectName(QStringLiteral("lblKOM"));
    lblKOM->setGeometry(12, 48, 90, 24);
    txtKOM = new QLineEdit(fraKEN);
    txtKOM->setObjectName(QStringLiteral("txtKOM"));
    txtKOM->setGeometry(110, 48, 436, 24);

    SSTab = new QTabWidget(this);
    SSTab->setObjectName(QStringLiteral("SSTab"));
    SSTab->resize(560, 220);
    fraREITER = new QFrame;
    fraREITER->setObjectName(QStringLiteral("fraREITER"));
    SSTab->addTab(fraREITER, QStringLiteral(" Allgemeine Daten"));
    chkLOGX = new QCheckBox(QStringLiteral("x-Achse logarithmisch"), fraREITER);
    chkLOGX->setObjectName(QStringLiteral("chkLOGX"));
    chkLOGX->setToolTip(QStringLiteral("Teilung der x-Achse ist logarithmisch"));
    chkLOGX->setGeometry(20, 24, 300, 24);
    chkLOGY = new QCheckBox(QStringLiteral("y-Achse logarithmisch"), fraREITER);
    chkLOGY->setObjectName(QStringLiteral("chkLOGY"));
    chkLOGY->setToolTip(QStringLiteral("Teilung der y-Achse ist logarithmisch"));
    chkLOGY->setGeometry(20, 58, 300, 24);

    // The window sees every key first (shortcuts, the keypad's decimal key) and the name
    // box's loss of focus.
    for (QWidget* w : findChildren<QWidget*>()) w->installEventFilter(this);
    resize(640, 400);
}

mdiEINGABE::~mdiEINGABE() = default;

void mdiEINGABE::Form_Load()
{
    sprache_ = shell_.session().SPRACHE();
    datE1_ = std::make_unique<clsDATEN>(shell_.session());
    datE1_->ETABELLE(QStringLiteral("E1"));
    datE2_ = std::make_unique<clsDATEN>(shell_.session());
    datE2_->ETABELLE(QStringLiteral("E2"));
    SSTab->setCurrentIndex(0);
}

void mdiEINGABE::Form_Unload()
{
    unloaded_ = true;
    datE1_.reset();
    datE2_.reset();
}

void mdiEINGABE::OEFFNEN(int32_t id)
{
    vb::Procedure p(kPrefix, QStringLiteral("Datei/Öffnen"));
    bool stop = false;
    p.step([&] { datE1_->ESPIDW(id); });
    p.step([&] { stop = !datE1_->DTFT(QStringLiteral("KEN"), txtKEN); });
    if (stop) return;
    p.step([&] { datE1_->DTFT(QStringLiteral("KOM"), txtKOM); });
    p.step([&] { datE2_->DTFC(QStringLiteral("LOGX"), chkLOGX); });
    p.step([&] { datE2_->DTFC(QStringLiteral("LOGY"), chkLOGY); });
}

bool mdiEINGABE::OK(int32_t id)
{
    vb::Procedure p(kPrefix, QStringLiteral("OK"));
    bool result = false;
    bool failed = false;
    p.step([&] { datE1_->ESPIDW(id); });
    p.step([&] { failed = !datE1_->DFTT(QStringLiteral("KEN"), txtKEN); });
    if (failed || p.cancelled()) return false;
    p.step([&] { datE1_->DFTT(QStringLiteral("KOM"), txtKOM); });
    p.step([&] { failed = !datE1_->DVTB(QStringLiteral("AKT"), true); });
    if (failed || p.cancelled()) return false;
    p.step([&] { datE2_->ESPIDW(id); });
    p.step([&] { failed = !datE2_->DFTC(QStringLiteral("LOGX"), chkLOGX); });
    if (failed || p.cancelled()) return false;
    p.step([&] { result = datE2_->DFTC(QStringLiteral("LOGY"), chkLOGY); });
    return result;
}

bool mdiEINGABE::WERTPRUEFUNG(QString& text, float minimum, float maximum, bool integerOnly, bool date, const QString& title)
{
    const bool english = sprache_ == 1;
    text = text.trimmed();
    if (text.isEmpty()) return true;
    if (date) {
        if (vb::IsDate(text)) return true;
        MsgBox(english ? QStringLiteral("Type of value is neither date nor time!")
                       : QStringLiteral("Eingegeber Wert ist kein gültiges Datums- oder Zeitformat!"),
               vb::vbExclamation, title);
        return false;
    }
    if (!vb::IsNumeric(text)) {
        MsgBox(english ? QStringLiteral("Type of value is not numeric!") : QStringLiteral("Eingegeber Wert ist kein gültiges Zahlenformat!"),
               vb::vbOKOnly, title);
        return false;
    }
    // A number too large for a single is beyond any limits the check can be given.
    const std::optional<float> x = vb::fitSingle(text);
    if (x && minimum <= *x && *x <= maximum) {
        if (integerOnly && *x != std::trunc(*x)) {
            MsgBox(english ? QStringLiteral("Type of value is not an integer!") : QStringLiteral("Eingegeber Wert ist keine ganze Zahl!"),
                   vb::vbOKOnly, title);
            return false;
        }
        return true;
    }
    MsgBox(vb::limitsText(minimum, maximum, english), vb::vbOKOnly, title);
    return false;
}

bool mdiEINGABE::txtKEN_LostFocus()
{
    if (!txtKEN->text().trimmed().isEmpty()) return true;
    // The message box takes the focus itself; that must not count as leaving the box again.
    checkingName_ = true;
    MsgBox(QStringLiteral("Datensatzkennzeichnung fehlt!"), vb::vbExclamation, QStringLiteral("Datenfehler"));
    txtKEN->setFocus(Qt::OtherFocusReason);
    checkingName_ = false;
    return false;
}

bool mdiEINGABE::Form_KeyDown(QObject* watched, QKeyEvent* key)
{
    if (key->key() == Qt::Key_Q && (key->modifiers() & Qt::AltModifier)) {
        shell_.mnuBEENDEN_Click();
        return true;
    }
    if (key->key() == Qt::Key_S && (key->modifiers() & Qt::ControlModifier)) {
        shell_.stbMAIN_PanelClick(8);
        return true;
    }
    if (isKeypadDecimal(key)) {
        // The keypad types the separator of the user's locale, so numbers can be typed on it
        // whatever the keyboard layout says.
        if (auto* edit = qobject_cast<QLineEdit*>(watched)) {
            edit->insert(shell_.session().DEZIMALPUNKT());
            return true;
        }
    }
    return false;
}

bool mdiEINGABE::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress) {
        if (Form_KeyDown(watched, static_cast<QKeyEvent*>(event))) return true;
    } else if (event->type() == QEvent::FocusOut && watched == txtKEN && !checkingName_ && !unloaded_) {
        // Only a move of the focus inside the program counts; switching to another
        // application or to a message box does not leave the box.
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason && isVisible()) txtKEN_LostFocus();
    }
    return QWidget::eventFilter(watched, event);
}

void mdiEINGABE::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    Form_Resize();
}

void mdiEINGABE::Form_Resize()
{
    // In the main window the frame around the window is the one that gets minimised.
    const QWidget* frame = parentWidget() ? parentWidget() : this;
    if (frame->isMinimized() || isMinimized()) return;
    const int tabTop = static_cast<int>(std::lround(1.5 * fraKEN->height()));
    const int tabLeft = (width() - SSTab->width()) / 2;
    SSTab->move(tabLeft, tabTop);
    fraKEN->move(tabLeft, tabTop - static_cast<int>(std::lround(1.15 * fraKEN->height())));
}
