#include "platform/os/Os.h"

#include "platform/os/SafePath.h"
#include "platform/os/TemporaryFile.h"
#include "platform/vb/VbError.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QSettings>

#include <cerrno>
#include <fcntl.h>
#include <cstring>
#include <pwd.h>
#include <unistd.h>

namespace vb {

QString Os::userName()
{
    const QString env = qEnvironmentVariable("USER");
    if (!env.isEmpty()) return env;
    if (const passwd* pw = getpwuid(geteuid())) return QString::fromLocal8Bit(pw->pw_name);
    return QString();
}

QString Os::getSetting(const QString& application, const QString& section, const QString& key, const QString& defaultValue)
{
    QSettings s(QSettings::IniFormat, QSettings::UserScope, application, application);
    return s.value(section + QLatin1Char('/') + key, defaultValue).toString();
}

void Os::saveSetting(const QString& application, const QString& section, const QString& key, const QString& value)
{
    QSettings s(QSettings::IniFormat, QSettings::UserScope, application, application);
    s.setValue(section + QLatin1Char('/') + key, value);
    s.sync();
}

QString Os::programFolder() { return QCoreApplication::applicationDirPath(); }

QString Os::parentFolder(const QString& path)
{
    QString p = QDir::cleanPath(path);
    return QFileInfo(p).absolutePath();
}

QString Os::join(const QString& folder, const QString& name)
{
    if (folder.endsWith(QLatin1Char('/'))) return folder + name;
    return folder + QLatin1Char('/') + name;
}

bool Os::folderExists(const QString& path) { return !path.isEmpty() && QFileInfo(path).isDir(); }

bool Os::fileExists(const QString& path) { return !path.isEmpty() && QFileInfo(path).isFile(); }

QString Os::findFileNoCase(const QString& folder, const QString& name)
{
    const QString direct = join(folder, name);
    if (fileExists(direct)) return direct;
    const QStringList entries = QDir(folder).entryList(QDir::Files);
    for (const QString& e : entries)
        if (e.compare(name, Qt::CaseInsensitive) == 0) return join(folder, e);
    return QString();
}

qint64 Os::fileSize(const QString& path) { return QFileInfo(path).size(); }

void Os::syncToDisk(const QString& path)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
}

void Os::saveFile(const QString& path, const QByteArray& content)
{
    if (SafePath::isLink(path)) raise(errPathAccess, QStringLiteral("The file '%1' is a symbolic link.").arg(path));
    // A new file is created as any new file would be (the umask decides); a replaced one
    // keeps its mode.
    TemporaryFile file(path, 0666);
    if (QFileInfo::exists(path)) file.takeModeOf(path);
    for (qsizetype done = 0; done < content.size();) {
        const ssize_t n = ::write(file.handle(), content.constData() + done, static_cast<size_t>(content.size() - done));
        if (n < 0 && errno == EINTR) continue;
        if (n < 0 && (errno == ENOSPC || errno == EDQUOT)) raiseDiskFull(QFileInfo(path).absolutePath());
        if (n <= 0) raise(errPathAccess, QStringLiteral("The file '%1' cannot be written: %2").arg(path, QString::fromLocal8Bit(std::strerror(errno))));
        done += n;
    }
    file.commit();
}

bool Os::writeFile(const QString& path, const QByteArray& content, QString* error)
{
    try {
        saveFile(path, content);
    } catch (const VbError& e) {
        if (error) *error = e.description();
        return false;
    }
    return true;
}

}  // namespace vb
