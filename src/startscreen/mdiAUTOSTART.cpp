#include "startscreen/mdiAUTOSTART.h"

#include "data/VersionInfo.h"
#include "startscreen/Logo.h"
#include "startscreen/clsADRESSE.h"

#include <QFrame>
#include <QLabel>
#include <QProgressBar>
#include <QResizeEvent>

mdiAUTOSTART::mdiAUTOSTART(int16_t sprache, QWidget* parent) : QWidget(parent), sprache_(sprache)
{
    setObjectName(QStringLiteral("mdiAUTOSTART"));
    setWindowTitle(QStringLiteral("VELOR"));
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, QColor(236, 240, 245));
    setPalette(pal);

    fraKOPF = new QFrame(this);
    fraKOPF->setObjectName(QStringLiteral("fraKOPF"));
    fraKOPF->setFrameStyle(QFrame::Panel | QFrame::Raised);
    fraKOPF->setAutoFillBackground(true);
    QPalette head = fraKOPF->palette();
    head.setColor(QPalette::Window, Qt::white);
    fraKOPF->setPalette(head);

    auto makeLabel = [this](const char* name, int pointSize, bool bold) {
        auto* l = new QLabel(fraKOPF);
        l->setObjectName(QString::fromLatin1(name));
        QFont f = l->font();
        f.setFamily(QStringLiteral("Arial"));
        f.setPointSize(pointSize);
        f.setBold(bold);
        l->setFont(f);
        return l;
    };
    picLOGO = new QLabel(fraKOPF);
    picLOGO->setObjectName(QStringLiteral("picLOGO"));
    lblTITEL = makeLabel("lblTITEL", 26, true);
    lblUNTERTITEL = makeLabel("lblUNTERTITEL", 12, false);
    lblVERSION = makeLabel("lblVERSION", 10, false);
    lblFIRMA = makeLabel("lblFIRMA", 11, true);
    lblADRESSE = makeLabel("lblADRESSE", 9, false);
    lblADRESSE->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    pgbBERECHNEN = new QProgressBar(this);
    pgbBERECHNEN->setObjectName(QStringLiteral("pgbBERECHNEN"));
    pgbBERECHNEN->setRange(0, 100);
    pgbBERECHNEN->setVisible(false);
}

void mdiAUTOSTART::Form_Load()
{
    const bool english = sprache_ == 1;
    lblVERSION->setText(QStringLiteral("Version ") + VersionInfo::releaseDate());
    const clsADRESSE adr(sprache_);
    lblFIRMA->setText(adr.FIRMA1() + QLatin1Char('\n') + adr.FIRMA2());
    lblADRESSE->setText(adr.PLZ() + QStringLiteral(", ") + adr.STR() + QLatin1Char('\n') + adr.headLine() + QLatin1Char('\n')
                        + adr.contactLine());
    lblTITEL->setText(english ? VersionInfo::productNameEnglish() : VersionInfo::productName());
    lblUNTERTITEL->setText(QString());
    Form_Resize();
}

void mdiAUTOSTART::Form_Resize()
{
    const int w = width(), h = height();
    const int margin = 12;
    const int headHeight = std::max(150, h / 3);
    fraKOPF->setGeometry(margin, margin, std::max(100, w - 2 * margin), headHeight);
    const int logo = headHeight - 40;
    picLOGO->setPixmap(Logo::pixmap(logo));
    picLOGO->setGeometry(20, 20, logo, logo);
    const int x = logo + 44;
    const int textWidth = std::max(50, fraKOPF->width() - x - 20);
    lblTITEL->setGeometry(x, 18, textWidth, 44);
    lblUNTERTITEL->setGeometry(x, 62, textWidth, 20);
    lblVERSION->setGeometry(x, 84, textWidth, 18);
    lblFIRMA->setGeometry(x, headHeight - 100, textWidth, 38);
    lblADRESSE->setGeometry(x, headHeight - 60, textWidth, 52);
    pgbBERECHNEN->setGeometry(margin, h - margin - 22, std::max(100, w - 2 * margin), 22);
}

void mdiAUTOSTART::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    Form_Resize();
}
