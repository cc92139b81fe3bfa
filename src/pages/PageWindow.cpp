#include "pages/PageWindow.h"

#include "data/PrinterProvider.h"
#include "data/SessionContext.h"
#include "data/VersionInfo.h"
#include "data/ShellWindow.h"
#include "data/clsDATEN.h"
#include "pages/clsKOPFFUSS.h"
#include "pages/frmKONTEXT.h"
#include "pages/frmKONTEXT11.h"
#include "platform/surface/PrinterSurface.h"
#include "platform/ui/Procedure.h"
#include "platform/ui/Ui.h"
#include "platform/widgets/KeyState.h"
#include "platform/vb/Convert.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QMdiSubWindow>

namespace {

constexpr double kTwipsPerInch = 1440.0;

}  // namespace

PageWindow::PageWindow(ShellWindow& shell, const QString& name, QWidget* parent) : vb::PictureBox(parent), shell_(shell)
{
    setObjectName(name);
    setWindowTitle(name);
    setFocusPolicy(Qt::StrongFocus);
    ScaleMode(vbMillimeters);
    connect(this, &vb::PictureBox::Click, this, &PageWindow::Form_Click);
}

PageWindow::~PageWindow() = default;

clsDATEN& PageWindow::dat(const QString& table)
{
    auto& d = data_[table];
    if (!d) {
        d = std::make_unique<clsDATEN>(shell_.session());
        d->ETABELLE(table);
    }
    return *d;
}

void PageWindow::releaseData() { data_.clear(); }

void PageWindow::readRecord()
{
    dat(QStringLiteral("E1")).DTVL(QStringLiteral("ID"), ID_);
    dat(QStringLiteral("E1")).DTVT(QStringLiteral("KEN"), KEN_);
    dat(QStringLiteral("E1")).DTVT(QStringLiteral("KOM"), KOM_);
    dat(QStringLiteral("A1")).DTVB(QStringLiteral("BONEU"), BONEU_);
}

void PageWindow::placeTwips(QWidget* widget, double left, double top, double width, double height) const
{
    const double x = logicalDpiX() / kTwipsPerInch, y = logicalDpiY() / kTwipsPerInch;
    widget->setGeometry(qRound(left * x), qRound(top * y), qRound(width * x), qRound(height * y));
    if (auto* picture = qobject_cast<vb::PictureBox*>(widget)) picture->resize(widget->size());
}

void PageWindow::KOPFFUSS(const DrawTarget& page)
{
    vb::Procedure p(QStringLiteral("VB-Fehler: "), QStringLiteral("Kopffusszeile"));
    vb::OutputSurface* out = &page.surface;
    const SessionContext& session = shell_.session();
    p.step([&] {
        if (page.onScreen()) Cls();
    });
    clsKOPFFUSS header;
    // The page fills the main window's client area, so it is its own frame on the screen.
    p.step([&] { header.AUSGABEOBJEKT(out, out); });
    p.step([&] {
        header.SPRACHE(session.SPRACHE());
        header.BEARBEITER(session.BEARBEITER());
        header.COPYRIGHT(VersionInfo::copyright());
        header.EBOKFS(pageNumberShown_);
        header.KENNZEICHNUNG(KEN_);
        header.KOMMENTAR(KOM_);
        // An English page says everything in English, its credits too.
        const bool english = session.SPRACHE() == 1;
        header.PROGRAMMIERER(english ? VersionInfo::trademarksEnglish() : VersionInfo::trademarks());
        header.PROJEKT(session.PROJEKT());
        header.UEBERSCHRIFT(english ? VersionInfo::productNameEnglish() : VersionInfo::productName());
        const QDateTime now = QDateTime::currentDateTime();
        header.DATUM(vb::fromDateTime(QDateTime(now.date(), QTime(0, 0))));
        header.UHRZEIT(vb::fromDateTime(now));
        header.SEITE(1);
        header.SEITENANZAHL(1);
    });
    p.step([&] { header.RANDABSTAND(QStringLiteral("alle"), 15); });
    p.step([&] {
        if (!page.onScreen()) return;
        header.RANDABSTAND(QStringLiteral("oben"), 7.5);
        header.RANDABSTAND(QStringLiteral("unten"), 7.5);
    });
    p.step([&] {
        header.KOPFFUSSZEILE();
        out->flush();
    });
}

void PageWindow::printSheet(const QString& title, const std::function<void(vb::Procedure&, const DrawTarget& sheet)>& draw)
{
    PrinterProvider& printers = shell_.printers();
    const bool ownJob = !printers.isOpen();
    if (ownJob && !printers.begin(1, 1)) return;
    vb::Procedure p(QStringLiteral("VB-Fehler: "), title);
    vb::PrinterSurface* printer = nullptr;
    p.step([&] {
        printer = &printers.nextSheet();
        printer->ScaleMode(vbMillimeters);
    });
    if (printer) draw(p, DrawTarget::sheet(*printer));
    if (p.cancelled()) {
        printers.abort();
        return;
    }
    if (ownJob) p.step([&] { printers.end(); });
}

bool PageWindow::closePage()
{
    if (!unloaded_) {
        if (!Form_QueryUnload()) return false;
        unloaded_ = true;
        Form_Unload();
        releaseData();
        emit unloaded();
    }
    QWidget* frame = qobject_cast<QMdiSubWindow*>(parentWidget());
    if (!frame) frame = this;
    if (frame->isVisible() || frame != this) frame->close();
    return true;
}

void PageWindow::closeEvent(QCloseEvent* event)
{
    if (unloaded_ || closePage()) event->accept();
    else event->ignore();
}

void PageWindow::Form_Click()
{
    vb::Procedure p(QStringLiteral("VB-Fehler: "), QStringLiteral("Form_Click"));
    p.step([&] { frmKONTEXT::showFor(shell_, *this); });
}

bool PageWindow::KONTEXT11(bool frameEditable)
{
    frmKONTEXT11 dialog(shell_, ID_, frameEditable, window());
    dialog.Form_Load();
    vb::Ui::instance().ShowModal(dialog);
    return dialog.written();
}

void PageWindow::Form_Activate() { shell_.setPanelEnabled(14, false); }

void PageWindow::Form_KeyDown(int keyCode, int shift)
{
    if (keyCode == Qt::Key_PageUp || keyCode == Qt::Key_PageDown) {
        QWidget* frame = qobject_cast<QMdiSubWindow*>(parentWidget());
        if (!frame) frame = this;
        frame->hide();
        frame->showMaximized();
    } else if (keyCode == Qt::Key_Escape) {
        shell_.stbMAIN_PanelClick(15);
    } else if (shift == 4 && keyCode == Qt::Key_Q) {
        shell_.mnuBEENDEN_Click();
    } else if (shift == 2) {
        static const std::map<int, int> panels = {
            {Qt::Key_A, 14}, {Qt::Key_C, 12}, {Qt::Key_P, 11}, {Qt::Key_S, 10}, {Qt::Key_W, 13}};
        if (const auto found = panels.find(keyCode); found != panels.end()) shell_.stbMAIN_PanelClick(found->second);
    }
}

void PageWindow::keyPressEvent(QKeyEvent* event)
{
    Form_KeyDown(event->key(), vb::shiftState(event->modifiers()));
}
