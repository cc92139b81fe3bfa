#include "platform/os/FileLock.h"

#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace vb {

FileLock::Result FileLock::tryLock(const QString& path)
{
    release();
    // Close-on-exec: a program started from here (the frame program at hand-back) must not
    // inherit the lock and keep it after this process has ended. A link at the place is no lock
    // of ours: following it would create or lock a file anywhere.
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (fd < 0) return Result::Unavailable;
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        const bool held = errno == EWOULDBLOCK;
        ::close(fd);
        return held ? Result::HeldElsewhere : Result::Unavailable;
    }
    fd_ = fd;
    return Result::Locked;
}

void FileLock::release()
{
    if (fd_ < 0) return;
    ::close(fd_);
    fd_ = -1;
}

bool FileLock::isHeld(const QString& path)
{
    if (!QFile::exists(path)) return false;
    FileLock probe;
    return probe.tryLock(path) == Result::HeldElsewhere;
}

}  // namespace vb
