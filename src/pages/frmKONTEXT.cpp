#include "pages/frmKONTEXT.h"

#include "data/ShellWindow.h"
#include "pages/PageWindow.h"
#include "platform/ui/Procedure.h"
#include "platform/ui/Ui.h"
#include "platform/widgets/DialogButtons.h"
#include "platform/widgets/KeyState.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

namespace {

constexpr double kTwipsPerInch = 1440.0;

QString tagOf(bool on) { return on ? QStringLiteral("1") : QStringLiteral("0"); }

}  // namespace

frmKONTEXT::frmKONTEXT(ShellWindow& shell, QWidget* parent) : QDialog(parent), shell_(shell)
{
    setObjectName(QStringLiteral("frmKONTEXT"));
    setAttribute(Qt::WA_DeleteOnClose);
    fraSKALEN = new QGroupBox(QStringLiteral("Seitenlayout"), this);
    fraSKALEN->setObjectName(QStringLiteral("fraSKALEN"));
    chkBOKF = new QCheckBox(QStringLiteral("Kopf / Fußzeile darstellen"), fraSKALEN);
    chkBOKF->setObjectName(QStringLiteral("chkBOKF"));
    chkBOKFS = new QCheckBox(QStringLiteral("Seitennummerierung darstellen"), fraSKALEN);
    chkBOKFS->setObjectName(QStringLiteral("chkBOKFS"));
    cmdFARBEN = {new QPushButton(QStringLiteral("Seitenfarbe"), fraSKALEN),
                 new QPushButton(QStringLiteral("Pictureboxfarben"), fraSKALEN)};
    auto* frame = new QVBoxLayout(fraSKALEN);
    frame->addWidget(chkBOKF);
    frame->addWidget(chkBOKFS);
    for (int i = 0; i < 2; ++i) {
        cmdFARBEN[i]->setObjectName(QStringLiteral("cmdFARBEN"));
        cmdFARBEN[i]->setProperty("index", i);
        cmdFARBEN[i]->setAutoDefault(false);
        frame->addWidget(cmdFARBEN[i]);
        connect(cmdFARBEN[i], &QPushButton::clicked, this, [this, i] { cmdFARBEN_Click(i); });
    }

    const vb::DialogButtons buttons(this);
    cmdOK = buttons.ok;
    cmdABBRECHEN = buttons.cancel;
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(fraSKALEN);
    layout->addLayout(buttons.row);

    connect(chkBOKF, &QCheckBox::clicked, this, &frmKONTEXT::chkBOKF_Click);
    connect(cmdOK, &QPushButton::clicked, this, &frmKONTEXT::cmdOK_Click);
    connect(cmdABBRECHEN, &QPushButton::clicked, this, &frmKONTEXT::cmdABBRECHEN_Click);
}

frmKONTEXT* frmKONTEXT::showFor(ShellWindow& shell, PageWindow& page)
{
    QWidget* owner = page.window();
    // A dialog closed a moment ago may still wait for its deletion: only an open one for
    // this page is taken up again.
    frmKONTEXT* dialog = nullptr;
    for (frmKONTEXT* d : owner->findChildren<frmKONTEXT*>(QString(), Qt::FindDirectChildrenOnly)) {
        if (d->isVisible() && d->page_ == &page) dialog = d;
        else d->close();
    }
    if (!dialog) {
        dialog = new frmKONTEXT(shell, owner);
        connect(&page, &PageWindow::unloaded, dialog, &QDialog::close);
    }
    dialog->prepare(page);
    dialog->Form_Load();
    dialog->show();
    dialog->Form_Resize();
    dialog->raise();
    dialog->activateWindow();
    return dialog;
}

void frmKONTEXT::prepare(PageWindow& page)
{
    page_ = &page;
    chkBOKF->setProperty("Tag", tagOf(page.headerShown()));
    chkBOKFS->setProperty("Tag", tagOf(page.pageNumberShown()));
    cdlFARBEN[0] = page.BackColor();
    const auto pictures = page.findChildren<vb::PictureBox*>(Qt::FindDirectChildrenOnly);
    cdlFARBEN[1] = pictures.isEmpty() ? page.BackColor() : pictures.front()->BackColor();
}

void frmKONTEXT::Form_Load()
{
    setWindowTitle(QStringLiteral("Kontextmenü ") + (page_ ? page_->Tag() : QString()));
}

void frmKONTEXT::Form_Resize()
{
    if (isMinimized()) return;
    const QRect screen = this->screen()->geometry();
    move(screen.left() + qRound(1134 * logicalDpiX() / kTwipsPerInch),
         screen.top() + qRound(1984.5 * logicalDpiY() / kTwipsPerInch));
    chkBOKF->setChecked(chkBOKF->property("Tag").toString() == QLatin1String("1"));
    chkBOKF_Click();
    chkBOKFS->setChecked(chkBOKFS->property("Tag").toString() == QLatin1String("1"));
}

void frmKONTEXT::resizeEvent(QResizeEvent* event)
{
    QDialog::resizeEvent(event);
    Form_Resize();
}

void frmKONTEXT::chkBOKF_Click()
{
    // The page number is part of the footer: without a footer there is none to show.
    const bool on = chkBOKF->isChecked();
    chkBOKFS->setEnabled(on);
    chkBOKFS->setChecked(on);
}

void frmKONTEXT::cmdFARBEN_Click(int index)
{
    vb::Procedure p(QStringLiteral("VB-Fehler: "), windowTitle());
    p.step([&] {
        if (const auto colour = vb::Ui::instance().ChooseColor(cdlFARBEN[index])) cdlFARBEN[index] = *colour;
    });
}

void frmKONTEXT::cmdOK_Click()
{
    vb::Procedure p(QStringLiteral("VB-Fehler: "), windowTitle());
    vb::Ui::instance().SetPointer(vb::Pointer::Hourglass);
    // The page may have been closed while the dialog stayed open: nothing to apply then.
    p.step([&] {
        if (page_ && !page_->isUnloaded())
            page_->KONTEXT(chkBOKF->isChecked(), chkBOKFS->isChecked(), cdlFARBEN[0], cdlFARBEN[1]);
    });
    vb::Ui::instance().SetPointer(vb::Pointer::Default);
    if (!p.cancelled()) close();
}

void frmKONTEXT::cmdABBRECHEN_Click() { close(); }

void frmKONTEXT::Form_KeyDown(int keyCode, int shift)
{
    if (keyCode == Qt::Key_Return || keyCode == Qt::Key_Enter) {
        focusNextChild();
    } else if (keyCode == Qt::Key_Escape) {
        cmdABBRECHEN_Click();
    } else if (keyCode == Qt::Key_F1) {
        shell_.mnuHILFE_Click();
    } else if (shift == 2 && keyCode == Qt::Key_S) {
        cmdOK_Click();
    } else if (shift == 2 && keyCode == Qt::Key_Q) {
        shell_.mnuBEENDEN_Click();
    }
}

void frmKONTEXT::keyPressEvent(QKeyEvent* event)
{
    Form_KeyDown(event->key(), vb::shiftState(event->modifiers()));
}
