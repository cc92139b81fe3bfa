#include "platform/os/Os.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QSaveFile>
#include <QSettings>

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

bool Os::writeFile(const QString& path, const QByteArray& content, QString* error)
{
    QSaveFile file(path);
    const bool written = file.open(QIODevice::WriteOnly) && file.write(content) == content.size() && file.commit();
    if (!written && error) *error = file.errorString();
    return written;
}

}  // namespace vb
