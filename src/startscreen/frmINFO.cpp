#include "startscreen/frmINFO.h"

#include "data/SessionContext.h"
#include "data/VersionInfo.h"
#include "startscreen/Logo.h"
#include "startscreen/clsADRESSE.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>

frmINFO::frmINFO(int16_t sprache, QWidget* parent) : QDialog(parent), sprache_(sprache)
{
    setObjectName(QStringLiteral("frmINFO"));
    auto* grid = new QGridLayout(this);
    picLOGO = new QLabel(this);
    picLOGO->setPixmap(Logo::pixmap(96));
    lblFAMILIE = new QLabel(this);
    lblTITEL = new QLabel(this);
    lblVERSION = new QLabel(this);
    lblADRESSE = new QLabel(this);
    lblHERSTELLER = new QLabel(this);
    QFont big = lblFAMILIE->font();
    big.setPointSize(big.pointSize() + 6);
    big.setBold(true);
    lblFAMILIE->setFont(big);
    lblHERSTELLER->setWordWrap(true);
    cmdSCHLIESSEN = new QPushButton(this);
    cmdSCHLIESSEN->setObjectName(QStringLiteral("cmdSCHLIESSEN"));
    cmdSCHLIESSEN->setDefault(true);
    grid->addWidget(picLOGO, 0, 0, 4, 1, Qt::AlignTop);
    grid->addWidget(lblFAMILIE, 0, 1);
    grid->addWidget(lblTITEL, 1, 1);
    grid->addWidget(lblVERSION, 2, 1);
    grid->addWidget(lblADRESSE, 3, 1);
    grid->addWidget(lblHERSTELLER, 4, 0, 1, 2);
    grid->addWidget(cmdSCHLIESSEN, 5, 1, Qt::AlignRight);
    connect(cmdSCHLIESSEN, &QPushButton::clicked, this, &frmINFO::cmdSCHLIESSEN_Click);
    Form_Load();
}

void frmINFO::Form_Load()
{
    const bool english = sprache_ == 1;
    const QString title = SessionContext::title();
    setWindowTitle((english ? QStringLiteral("Info of ") : QStringLiteral("Info zu ")) + title);
    const clsADRESSE adr(sprache_);
    lblFAMILIE->setText(QStringLiteral("KELMORA"));
    // The program's own file name; on this platform it carries no ".exe".
    const QString file = QFileInfo(QCoreApplication::applicationFilePath()).fileName();
    lblTITEL->setText(title + QStringLiteral(" (") + file + QLatin1Char(')') + QStringLiteral(" - ")
                      + (english ? VersionInfo::productNameEnglish() : VersionInfo::productName()));
    lblVERSION->setText(QStringLiteral("Version ") + VersionInfo::version() + QStringLiteral(", ") + VersionInfo::releaseDate());
    lblADRESSE->setText(adr.FIRMA1() + QLatin1Char('\n') + adr.FIRMA2() + QLatin1Char('\n') + adr.PLZ() + QStringLiteral(", ")
                        + adr.STR() + QLatin1Char('\n') + adr.headLine() + QLatin1Char('\n') + adr.contactLine()
                        + QLatin1Char('\n') + adr.faxLine());
    lblHERSTELLER->setText(VersionInfo::copyright() + QLatin1Char('\n')
                           + (english ? VersionInfo::trademarksEnglish() : VersionInfo::trademarks()));
    cmdSCHLIESSEN->setText(english ? QStringLiteral("Done") : QStringLiteral("Schließen"));
}

void frmINFO::cmdSCHLIESSEN_Click() { accept(); }
