#include "platform/os/TemporaryFile.h"

#include "platform/os/FileLock.h"
#include "platform/os/Os.h"
#include "platform/vb/VbError.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QRegularExpression>

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace vb {

namespace {

constexpr int kRandomLength = 8;

QString randomPart()
{
    static const char letters[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    QString part;
    for (int i = 0; i < kRandomLength; ++i) part += QLatin1Char(letters[QRandomGenerator::system()->bounded(62)]);
    return part;
}

QRegularExpression leftoverName(const QString& target)
{
    return QRegularExpression(QStringLiteral("^") + QRegularExpression::escape(QFileInfo(target).fileName())
                              + QStringLiteral("\\.[A-Za-z0-9]{%1}\\.tmp$").arg(kRandomLength));
}

}  // namespace

TemporaryFile::TemporaryFile(const QString& target, mode_t mode) : target_(target)
{
    for (int attempt = 0; attempt < 100 && fd_ < 0; ++attempt) {
        path_ = target + QLatin1Char('.') + randomPart() + QStringLiteral(".tmp");
        fd_ = ::open(QFile::encodeName(path_).constData(), O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, mode);
        if (fd_ < 0 && errno != EEXIST) break;
    }
    if (fd_ < 0)
        raise(errPathAccess, QStringLiteral("No file can be created in the folder '%1'.").arg(QFileInfo(target).absolutePath()));
    // Nobody else knows the name yet, so the lock cannot be held elsewhere.
    ::flock(fd_, LOCK_EX | LOCK_NB);
}

TemporaryFile::~TemporaryFile()
{
    if (!committed_) {
        QFile::remove(path_ + QStringLiteral("-journal"));
        QFile::remove(path_);
    }
    if (fd_ >= 0) ::close(fd_);
}

void TemporaryFile::takeModeOf(const QString& model)
{
    struct stat st {};
    if (::stat(QFile::encodeName(model).constData(), &st) != 0) return;
    ::fchmod(fd_, st.st_mode & 07777);
    if (::fchown(fd_, static_cast<uid_t>(-1), st.st_gid) != 0) {
        // Not a member of that group: the file keeps ours, as any new file would.
    }
}

void TemporaryFile::commit()
{
    if (::fsync(fd_) != 0)
        raise(errPathAccess, QStringLiteral("The file '%1' cannot be written.").arg(target_));
    if (std::rename(QFile::encodeName(path_).constData(), QFile::encodeName(target_).constData()) != 0)
        raise(errPathAccess, QStringLiteral("The file '%1' cannot be replaced.").arg(target_));
    committed_ = true;
    Os::syncToDisk(QFileInfo(target_).absolutePath());
}

QStringList TemporaryFile::leftovers(const QString& target)
{
    const QDir folder = QFileInfo(target).absoluteDir();
    const QRegularExpression name = leftoverName(target);
    QStringList found;
    for (const QString& entry : folder.entryList(QDir::Files | QDir::System | QDir::Hidden))
        if (name.match(entry).hasMatch()) found.append(folder.filePath(entry));
    return found;
}

void TemporaryFile::removeLeftovers(const QString& target)
{
    for (const QString& leftover : leftovers(target)) {
        if (FileLock::isHeld(leftover)) continue;
        QFile::remove(leftover + QStringLiteral("-journal"));
        QFile::remove(leftover);
    }
}

}  // namespace vb
