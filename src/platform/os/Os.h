#pragma once

#include <QByteArray>
#include <QString>

namespace vb {

// The operating-system services the program asks for: the user name, the per-user settings
// store and file-system look-ups. Paths are joined with "/".
class Os {
public:
    // The logged-in user's name as the system reports it ($USER, else the account name);
    // empty when neither can be found.
    static QString userName();

    // The per-user settings store (application, section, key), as GetSetting/SaveSetting.
    // It lives under $XDG_CONFIG_HOME/KELMORA, so tests use a temporary home.
    static QString getSetting(const QString& application, const QString& section, const QString& key,
                              const QString& defaultValue = QString());
    static void saveSetting(const QString& application, const QString& section, const QString& key, const QString& value);

    // The folder the running program lives in.
    static QString programFolder();
    static QString parentFolder(const QString& path);
    static QString join(const QString& folder, const QString& name);
    static bool folderExists(const QString& path);
    static bool fileExists(const QString& path);
    // Finds `name` in `folder` without regard to case ("VELOR.HLP" finds "velor.hlp");
    // returns the path as it is on disk, or empty text.
    static QString findFileNoCase(const QString& folder, const QString& name);
    static qint64 fileSize(const QString& path);
    // Flushes a file, or a folder's entries (a rename in it), to the disk; quietly where it
    // cannot be opened.
    static void syncToDisk(const QString& path);
    // Writes the file beside its place and renames it over the old one, so a failed write
    // leaves an existing file whole; a link at the place is refused, never followed. False
    // (with the reason in `error`) when it failed.
    static bool writeFile(const QString& path, const QByteArray& content, QString* error = nullptr);
    // The same for a caller that reports by run-time error: a full disk raises the disk-full
    // error naming the folder, any other failure the path/file access error.
    static void saveFile(const QString& path, const QByteArray& content);
};

}  // namespace vb
