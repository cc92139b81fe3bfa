#pragma once

#include "shell/MainCommands.h"

#include <QPointer>
#include <QString>

class frmHILFE;
class frmMAIN;

// The "?" menu: help, the read-me and notes documents.
class HelpCommands : MainCommands {
public:
    explicit HelpCommands(frmMAIN& main) : MainCommands(main) {}

    // The menu opens: each entry is enabled exactly when its file is there.
    void FRAGEZEICHEN();
    void HILFE();
    void README();
    void HINWEISE();

    frmHILFE* helpWindow() const { return help_; }
    // Opens a document with the desktop's program for it; without one the document window
    // shows it and says where the file is.
    void showDocument(const QString& path, const QString& title);
    void closeHelp();

    // The files in the program folder, found without regard to case; empty when absent.
    QString helpFile() const;
    QString readMeFile() const;
    QString notesFile() const;

    static QString helpFileName() { return QStringLiteral("VELOR.HLP"); }

private:
    QString programFile(const QString& name) const;
    void openDocument(const QString& path, const QString& name, const QString& title);
    frmHILFE& window();

    QPointer<frmHILFE> help_;
};
