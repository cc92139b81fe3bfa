#include "shell/frmHILFE.h"

#include "platform/vb/VbError.h"
#include "shell/RtfReader.h"

#include <QFile>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

frmHILFE::frmHILFE(bool english, QWidget* parent) : QWidget(parent, Qt::Window)
{
    setObjectName(QStringLiteral("frmHILFE"));
    txtHILFE = new QTextBrowser(this);
    txtHILFE->setObjectName(QStringLiteral("txtHILFE"));
    txtHILFE->setOpenExternalLinks(true);
    lblDATEI = new QLabel(this);
    lblDATEI->setObjectName(QStringLiteral("lblDATEI"));
    lblDATEI->setWordWrap(true);
    lblDATEI->setTextInteractionFlags(Qt::TextSelectableByMouse);
    lblDATEI->hide();
    cmdSCHLIESSEN = new QPushButton(english ? QStringLiteral("Close") : QStringLiteral("Schließen"), this);
    cmdSCHLIESSEN->setObjectName(QStringLiteral("cmdSCHLIESSEN"));
    connect(cmdSCHLIESSEN, &QPushButton::clicked, this, &QWidget::close);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(lblDATEI, 1);
    buttons->addWidget(cmdSCHLIESSEN, 0, Qt::AlignBottom);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(txtHILFE, 1);
    layout->addLayout(buttons);
    resize(720, 640);
}

QByteArray frmHILFE::read(const QString& path) const
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) vb::raise(vb::errFileNotFound, QStringLiteral("File not found: ") + path);
    // Links and pictures of the document resolve in its folder.
    txtHILFE->document()->setBaseUrl(QUrl::fromLocalFile(QFileInfo(path).absolutePath() + QLatin1Char('/')));
    return file.readAll();
}

void frmHILFE::showContents(const QString& helpFile, const QString& title)
{
    // The file's ending (".HLP") says nothing about its content: it is read as HTML.
    txtHILFE->setHtml(QString::fromUtf8(read(helpFile)));
    txtHILFE->moveCursor(QTextCursor::Start);
    lblDATEI->hide();
    setWindowTitle(title);
}

void frmHILFE::showDocument(const QString& rtfFile, const QString& title, const QString& note)
{
    const RtfReader::Content content = RtfReader::read(read(rtfFile));
    txtHILFE->setHtml(content.html);
    // Setting the text clears the document's resources: the pictures come after it.
    for (int i = 0; i < content.pictures.size(); ++i)
        txtHILFE->document()->addResource(QTextDocument::ImageResource, QUrl(RtfReader::pictureName(i)), content.pictures[i]);
    txtHILFE->moveCursor(QTextCursor::Start);
    lblDATEI->setText(note);
    lblDATEI->show();
    setWindowTitle(title);
}

void frmHILFE::present()
{
    if (QWidget* owner = parentWidget(); owner && !isVisible()) {
        QRect frame = rect();
        frame.moveCenter(owner->geometry().center());
        move(frame.topLeft());
    }
    show();
    raise();
    activateWindow();
}

void frmHILFE::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape) {
        close();
        return;
    }
    QWidget::keyPressEvent(event);
}
