#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>
#include <sys/stat.h>

// What a test checks of a file it must not have changed: its bytes and its permission bits.
namespace FileFacts {

inline QByteArray content(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

inline mode_t mode(const QString& path)
{
    struct stat st {};
    ::stat(QFile::encodeName(path).constData(), &st);
    return st.st_mode & 07777;
}

}  // namespace FileFacts
