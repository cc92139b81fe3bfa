#pragma once

#include <QString>

namespace vb {

// Checks for names and folders that come from places other users can write (the information
// system, the environment, a shared project folder): they may only lead where they claim to.
class SafePath {
public:
    // One folder or file name: not empty, no separator, not "." or "..".
    static bool isPlainName(const QString& name);
    // True when a component of `path` is "..".
    static bool climbs(const QString& path);
    // True when `path` is a symbolic link (a dangling one too).
    static bool isLink(const QString& path);
    // True when `path` is a folder itself (no link), owned by this user, that nobody else may write.
    static bool isPrivateFolder(const QString& path);
};

}  // namespace vb
