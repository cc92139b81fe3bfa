#include "shell/Screenshot.h"

#include "platform/ui/ScriptedUi.h"
#include "shell/frmMAIN.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QPixmap>
#include <QTextStream>
#include <QThread>

bool Screenshot::take(frmMAIN& window, const QString& path)
{
    for (int i = 0; i < 10; ++i) {
        QApplication::processEvents();
        QThread::msleep(20);
    }
    QDir().mkpath(QFileInfo(path).absolutePath());
    const bool saved = window.grab().save(path, "PNG");
    QTextStream(stdout) << (saved ? QStringLiteral("Screenshot: ") : QStringLiteral("Screenshot failed: ")) << QFileInfo(path).absoluteFilePath()
                        << Qt::endl;
    window.mnuBEENDEN_Click();
    return saved;
}

void Screenshot::printMessages(const vb::ScriptedUi& ui)
{
    QTextStream err(stderr);
    for (const auto& m : ui.messages) err << "[" << m.title << "] " << QString(m.text).replace(QStringLiteral("\r\n"), QStringLiteral(" / ")) << Qt::endl;
}
