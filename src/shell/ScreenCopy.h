#pragma once

#include <QString>

class QWidget;
class SessionContext;

// Panel "Kopie": a picture of the active window saved as a bitmap in the project's JPG folder
// under a name the user confirms.
class ScreenCopy {
public:
    explicit ScreenCopy(SessionContext& session) : session_(session) {}

    // Asks for the name (the record's name + "-1" proposed) and saves the window's picture.
    // Returns the file written, or empty text when nothing was written. A failed save raises
    // error 75.
    QString run(QWidget* window, const QString& recordName);

    // The project's folder for screen copies, with a trailing "/"; created when missing.
    QString folder() const;
    // A name stays inside the folder: no path separator and no "..".
    static bool acceptableName(const QString& name);
    // The record's name as a file name the folder accepts: separators become "-".
    static QString nameOf(QString recordName);
    // A file of the folder named after the record that does not exist yet ("A.rtf", "A-2.rtf", …).
    QString newFile(const QString& recordName, const QString& extension) const;

private:
    bool german() const;
    void refuse(const QString& name) const;

    SessionContext& session_;
};
