#include "pages/frmANZEIGEN.h"

#include "data/SessionContext.h"
#include "data/ShellWindow.h"
#include "pages/PageWindow.h"
#include "platform/ui/Procedure.h"
#include "platform/vb/Convert.h"
#include "platform/widgets/DialogButtons.h"

#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>
#include <optional>

namespace {

// The window that frames a page in the main window (the page itself when it has none).
QWidget* frameOf(QWidget* page)
{
    auto* frame = qobject_cast<QMdiSubWindow*>(page->parentWidget());
    return frame ? static_cast<QWidget*>(frame) : page;
}

}  // namespace

frmANZEIGEN::frmANZEIGEN(ShellWindow& shell, QWidget* parent) : QDialog(parent), shell_(shell)
{
    setObjectName(QStringLiteral("frmANZEIGEN"));
    setAttribute(Qt::WA_DeleteOnClose);
    for (int i = 0; i < 2; ++i) {
        lblSEITEN[i] = new QLabel(this);
        lblSEITEN[i]->setObjectName(QStringLiteral("lblSEITEN"));
        lblSEITEN[i]->setProperty("index", i);
    }
    lblSEITE = new QLabel(this);
    lblSEITE->setObjectName(QStringLiteral("lblSEITE"));
    txtSEITE = new QLineEdit(this);
    txtSEITE->setObjectName(QStringLiteral("txtSEITE"));
    const vb::DialogButtons buttons(this);
    cmdOK = buttons.ok;
    cmdABBRECHEN = buttons.cancel;
    cmdABBRECHEN->setAutoDefault(false);

    auto* grid = new QGridLayout;
    grid->addWidget(lblSEITEN[0], 0, 0);
    grid->addWidget(lblSEITEN[1], 0, 1);
    grid->addWidget(lblSEITE, 1, 0);
    grid->addWidget(txtSEITE, 1, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addLayout(buttons.row);

    connect(txtSEITE, &QLineEdit::editingFinished, this, &frmANZEIGEN::txtSEITE_LostFocus);
    connect(cmdOK, &QPushButton::clicked, this, &frmANZEIGEN::cmdOK_Click);
    connect(cmdABBRECHEN, &QPushButton::clicked, this, &frmANZEIGEN::cmdABBRECHEN_Click);
}

frmANZEIGEN* frmANZEIGEN::showFor(ShellWindow& shell, QWidget* owner)
{
    frmANZEIGEN* dialog = nullptr;
    for (frmANZEIGEN* d : owner->findChildren<frmANZEIGEN*>(QString(), Qt::FindDirectChildrenOnly))
        if (d->isVisible()) dialog = d;
    if (!dialog) {
        dialog = new frmANZEIGEN(shell, owner);
        for (QWidget* w : shell.pageList())
            if (auto* page = qobject_cast<PageWindow*>(w)) connect(page, &PageWindow::unloaded, dialog, &QDialog::close);
    }
    dialog->Form_Load();
    dialog->show();
    dialog->raise();
    dialog->Form_Activate();
    return dialog;
}

void frmANZEIGEN::Form_Load()
{
    const bool english = shell_.session().SPRACHE() == 1;
    setWindowTitle(english ? QStringLiteral("Show") : QStringLiteral("Anzeigen"));
    lblSEITEN[0]->setText(english ? QStringLiteral("Available Pages:") : QStringLiteral("Vorhandene Seiten:"));
    lblSEITE->setText(english ? QStringLiteral("Show Page Nr.: ") : QStringLiteral("Anzeigen: "));
    cmdABBRECHEN->setText(english ? QStringLiteral("Cancel") : QStringLiteral("Abbrechen"));
    const QList<QWidget*> pages = shell_.pageList();
    lblSEITEN[1]->setText(QString::number(pages.size()));
    txtSEITE->setText(QString::number(pages.indexOf(shell_.activeChild()) + 1));
}

void frmANZEIGEN::Form_Activate()
{
    const QRect screen = this->screen()->geometry();
    move(screen.left() + qRound(screen.width() - 1.5 * width()), screen.top() + qRound(screen.height() - 2.0 * height()));
    txtSEITE->setFocus();
    txtSEITE->setSelection(0, 1);
}

bool frmANZEIGEN::event(QEvent* event)
{
    const bool handled = QDialog::event(event);
    if (event->type() == QEvent::WindowActivate) Form_Activate();
    return handled;
}

int frmANZEIGEN::pageNumber()
{
    const int count = static_cast<int>(shell_.pageList().size());
    const std::optional<double> typed = vb::parseNumber(txtSEITE->text());
    const double number = typed && std::isfinite(*typed) ? *typed : 1.0;
    if (count == 0) return 0;
    return std::clamp(static_cast<int>(vb::Round(std::clamp(number, 1.0, static_cast<double>(count)))), 1, count);
}

void frmANZEIGEN::txtSEITE_LostFocus()
{
    const int n = pageNumber();
    if (n > 0) txtSEITE->setText(QString::number(n));
}

void frmANZEIGEN::cmdOK_Click()
{
    vb::Procedure p(QStringLiteral("VB-Error: "), windowTitle());
    // Enter on the default button leaves the box without leaving it: clamp here as well, and
    // against the pages open now, not those open when the dialog was.
    const int n = pageNumber();
    const QList<QWidget*> pages = shell_.pageList();
    p.step([&] {
        for (int i = 0; i < pages.size(); ++i)
            if (i != n - 1) frameOf(pages[i])->hide();
        if (n == 0) return;
        QWidget* frame = frameOf(pages[n - 1]);
        frame->showMaximized();
        if (auto* sub = qobject_cast<QMdiSubWindow*>(frame); sub && sub->mdiArea()) sub->mdiArea()->setActiveSubWindow(sub);
    });
    close();
}

void frmANZEIGEN::cmdABBRECHEN_Click() { close(); }
