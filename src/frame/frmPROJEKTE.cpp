#include "frame/frmPROJEKTE.h"

#include "frame/Kelmora.h"
#include "platform/ui/Ui.h"
#include "platform/vb/VbError.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

frmPROJEKTE::frmPROJEKTE(const Kelmora& kelmora, QWidget* parent) : QDialog(parent), kelmora_(kelmora)
{
    setObjectName(QStringLiteral("frmPROJEKTE"));
    setWindowTitle(QStringLiteral("KELMORA - Projekte"));
    auto* layout = new QVBoxLayout(this);
    lblORDNER = new QLabel(this);
    lstPROJEKTE = new QListWidget(this);
    lstPROJEKTE->setObjectName(QStringLiteral("lstPROJEKTE"));
    cmdSTARTEN = new QPushButton(QStringLiteral("VELOR &starten"), this);
    cmdNEU = new QPushButton(QStringLiteral("&Neues Projekt..."), this);
    cmdBEENDEN = new QPushButton(QStringLiteral("&Beenden"), this);
    cmdSTARTEN->setDefault(true);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(cmdNEU);
    buttons->addStretch();
    buttons->addWidget(cmdSTARTEN);
    buttons->addWidget(cmdBEENDEN);
    layout->addWidget(lblORDNER);
    layout->addWidget(lstPROJEKTE);
    layout->addLayout(buttons);
    connect(cmdSTARTEN, &QPushButton::clicked, this, &frmPROJEKTE::cmdSTARTEN_Click);
    connect(lstPROJEKTE, &QListWidget::itemDoubleClicked, this, &frmPROJEKTE::cmdSTARTEN_Click);
    connect(cmdNEU, &QPushButton::clicked, this, &frmPROJEKTE::cmdNEU_Click);
    connect(cmdBEENDEN, &QPushButton::clicked, this, &QDialog::reject);
    resize(420, 360);
    fill();
}

void frmPROJEKTE::fill()
{
    const QString folder = kelmora_.projectsFolder();
    lblORDNER->setText(QStringLiteral("Projekte in ") + folder);
    lstPROJEKTE->clear();
    lstPROJEKTE->addItems(Installation::projects(folder));
    // The user comes back to the project worked on last.
    const auto current = lstPROJEKTE->findItems(kelmora_.currentProject(), Qt::MatchExactly);
    if (!current.isEmpty()) lstPROJEKTE->setCurrentItem(current.first());
    else if (lstPROJEKTE->count() > 0) lstPROJEKTE->setCurrentRow(0);
    cmdSTARTEN->setEnabled(lstPROJEKTE->count() > 0);
}

void frmPROJEKTE::cmdSTARTEN_Click()
{
    QListWidgetItem* item = lstPROJEKTE->currentItem();
    if (!item) return;
    try {
        kelmora_.selectProject(item->text(), false);
        if (kelmora_.startModule({}, false) != 0) {
            vb::MsgBox(QStringLiteral("VELOR kann nicht gestartet werden: ") + kelmora_.installation().program(),
                       vb::vbExclamation, QStringLiteral("KELMORA"));
            return;
        }
        accept();
    } catch (const vb::VbError& e) {
        vb::MsgBox(e.description(), vb::vbExclamation, QStringLiteral("KELMORA"));
    }
}

void frmPROJEKTE::cmdNEU_Click()
{
    const QString name = vb::Ui::instance().InputBox(QStringLiteral("Name des neuen Projekts:"), QStringLiteral("KELMORA")).trimmed();
    if (name.isEmpty()) return;
    try {
        kelmora_.selectProject(name, true);
    } catch (const vb::VbError& e) {
        vb::MsgBox(e.description(), vb::vbExclamation, QStringLiteral("KELMORA"));
        return;
    }
    fill();
    const auto found = lstPROJEKTE->findItems(name, Qt::MatchExactly);
    if (!found.isEmpty()) lstPROJEKTE->setCurrentItem(found.first());
}
