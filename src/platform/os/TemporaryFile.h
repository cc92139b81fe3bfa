#pragma once

#include <QString>
#include <QStringList>
#include <sys/types.h>

namespace vb {

// The file a replacement of `target` is written to before it is renamed over the target. Its
// name beside the target carries a random part and the file is created exclusively and never
// through a link, so nothing planted in a shared folder (a link under a name we would use, a
// file of someone else) can make us write anywhere but into a file of our own. It stays
// locked while it is written, so that a clean-up by another session leaves it alone; it is
// removed again unless it was committed.
class TemporaryFile {
public:
    // Creates the file with `mode` (the process's umask applies); raises a path-access error
    // naming the folder when it cannot be created.
    explicit TemporaryFile(const QString& target, mode_t mode = 0600);
    ~TemporaryFile();
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;

    const QString& path() const { return path_; }
    int handle() const { return fd_; }

    // Gives the file the mode and group of `model` (through the open handle, never by name);
    // the group only where the user may set it.
    void takeModeOf(const QString& model);
    // Flushes the file and renames it over the target. A link standing at the target is
    // replaced, not followed.
    void commit();

    // The temporary files interrupted writes to `target` may have left.
    static QStringList leftovers(const QString& target);
    // Removes them (with their journals), except those being written right now.
    static void removeLeftovers(const QString& target);

private:
    QString target_;
    QString path_;
    int fd_ = -1;
    bool committed_ = false;
};

}  // namespace vb
