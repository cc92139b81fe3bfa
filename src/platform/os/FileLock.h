#pragma once

#include <QString>

namespace vb {

// An exclusive lock on a file, held by the operating system for as long as this object
// lives: a process that ends in any way, killed included, leaves no lock behind. The file is
// created when missing and stays when the lock is released (removing it would let a second
// process lock a new file while a third still holds the old one).
class FileLock {
public:
    enum class Result { Locked, HeldElsewhere, Unavailable };

    FileLock() = default;
    ~FileLock() { release(); }
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;

    // Takes the lock without waiting. Unavailable: the file cannot be created or the file
    // system knows no locks.
    Result tryLock(const QString& path);
    void release();
    bool isLocked() const { return fd_ >= 0; }

    // True when some other holder has `path` locked right now.
    static bool isHeld(const QString& path);

private:
    int fd_ = -1;
};

}  // namespace vb
