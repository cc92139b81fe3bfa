#include "shell/ScreenCopy.h"

#include "data/SessionContext.h"
#include "platform/os/Os.h"
#include "platform/ui/Ui.h"
#include "platform/vb/VbError.h"
#include "shell/ReplaceQuestion.h"

#include <QBuffer>
#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QPixmap>
#include <QWidget>

namespace {

const QString kTitle = QStringLiteral("KOPIE");

}  // namespace

QString ScreenCopy::nameOf(QString recordName)
{
    recordName.replace(QLatin1Char('/'), QLatin1Char('-')).replace(QLatin1Char('\\'), QLatin1Char('-'));
    while (recordName.contains(QLatin1String(".."))) recordName.replace(QLatin1String(".."), QLatin1String("."));
    return recordName;
}

QString ScreenCopy::newFile(const QString& recordName, const QString& extension) const
{
    const QString base = folder() + nameOf(recordName);
    QString path = base + extension;
    for (int n = 2; QFileInfo::exists(path) || QFileInfo(path).isSymLink(); ++n) path = base + QLatin1Char('-') + QString::number(n) + extension;
    return path;
}

bool ScreenCopy::german() const { return session_.SPRACHE() != 1; }

QString ScreenCopy::folder() const
{
    const QString path = vb::Os::join(session_.projectFolder(), QStringLiteral("JPG"));
    QDir().mkpath(path);
    return path + QLatin1Char('/');
}

bool ScreenCopy::acceptableName(const QString& name)
{
    return !name.contains(QLatin1Char('/')) && !name.contains(QLatin1Char('\\')) &&
           !name.contains(QLatin1String(".."));
}

void ScreenCopy::refuse(const QString& name) const
{
    const QString text =
        german() ? QStringLiteral("Der Dateiname \"%1\" ist nicht zulässig: er darf weder \"/\" noch \"\\\" "
                                  "noch \"..\" enthalten.")
                       .arg(name)
                 : QStringLiteral("The file name \"%1\" is not allowed: it must not contain \"/\", \"\\\" or \"..\".")
                       .arg(name);
    vb::MsgBox(text, vb::vbExclamation, kTitle);
}

QString ScreenCopy::run(QWidget* window, const QString& recordName)
{
    if (!window) return QString();
    const QString dir = folder();
    // The proposed name is one the copy accepts.
    const QString proposed = nameOf(recordName) + QStringLiteral("-1");
    const QString name = vb::Ui::instance().InputBox(
        QStringLiteral("Bitte bestätigen oder ändern Sie den Dateinamen. Vorgabe: ") + dir + proposed +
            QStringLiteral(".bmp"),
        kTitle, proposed);
    if (name.isEmpty()) return QString();
    if (!acceptableName(name)) {
        refuse(name);
        return QString();
    }
    const QString path = dir + name + QStringLiteral(".bmp");
    if (!ReplaceQuestion::mayWrite(path, german(), kTitle)) return QString();

    vb::Ui::instance().SetPointer(vb::Pointer::Hourglass);
    vb::DoEvents();
    QByteArray bitmap;
    QBuffer buffer(&bitmap);
    buffer.open(QIODevice::WriteOnly);
    if (!window->grab().toImage().save(&buffer, "BMP")) vb::raise(vb::errPathAccess);
    vb::Os::saveFile(path, bitmap);
    vb::Ui::instance().SetPointer(vb::Pointer::Default);
    return path;
}
