#include "shell/frmHILFE.h"

#include "platform/vb/VbError.h"

#include <QFile>
#include <QFileInfo>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

frmHILFE::frmHILFE(QWidget* parent) : QWidget(parent, Qt::Window)
{
    setObjectName(QStringLiteral("frmHILFE"));
    txtHILFE = new QTextBrowser(this);
    txtHILFE->setObjectName(QStringLiteral("txtHILFE"));
    txtHILFE->setOpenExternalLinks(true);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(txtHILFE);
    resize(720, 640);
}

void frmHILFE::showContents(const QString& helpFile, const QString& title)
{
    QFile file(helpFile);
    if (!file.open(QIODevice::ReadOnly)) vb::raise(vb::errFileNotFound, QStringLiteral("File not found: ") + helpFile);
    // The file's ending (".HLP") says nothing about its content: it is read as HTML.
    txtHILFE->document()->setBaseUrl(QUrl::fromLocalFile(QFileInfo(helpFile).absolutePath() + QLatin1Char('/')));
    txtHILFE->setHtml(QString::fromUtf8(file.readAll()));
    txtHILFE->moveCursor(QTextCursor::Start);
    setWindowTitle(title);
}
