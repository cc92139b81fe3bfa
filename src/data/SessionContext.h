#pragma once

#include "platform/db/Connection.h"

#include <QString>
#include <cstdint>

// The session of one run, owned by the main window and handed to every window and class
// that needs it: who works on which project, where its files are, the language and the
// decimal separator, and the open connections to the working copy (cnnX) and the presets
// database (cnnX_V).
class SessionContext {
public:
    SessionContext();

    static QString title() { return QStringLiteral("VELOR"); }

    // The logged-in user, upper case; "UNBEK." when the system does not tell.
    QString BENUTZER() const;
    // The information-system folder from the settings store; empty when the key is missing.
    QString DATENBANKPFAD() const;
    QString PROJEKT() const { return projekt_; }
    QString PROJEKTSPFAD() const { return projektspfad_; }
    QString BEARBEITER() const { return bearbeiter_; }
    // The working copy <install>/BENUTZER/<user>/VELOR.mdb; its folders are created on read,
    // the user's own for the user alone.
    QString XMDBPFAD() const;
    int16_t SPRACHE() const { return sprache_; }
    QString DEZIMALPUNKT() const { return dezimalpunkt_; }

    // The folder the program runs from; a path containing "SOURCE" means a development start.
    QString programFolder() const { return programFolder_; }
    void setProgramFolder(const QString& folder) { programFolder_ = folder; }
    bool isStandAlone() const;
    // The folder the program folder lies in, and in it the folders of all projects and of
    // all users' working copies.
    QString installationFolder() const;
    QString projectsRoot() const;
    QString usersFolder() const;

    QString projectFolder() const;
    QString projectDatabase() const;
    QString templateDatabase() const;
    QString archiveDatabase() const;
    QString presetsDatabase() const;

    // Set by start-up.
    void setProject(const QString& projektspfad, const QString& projekt, const QString& bearbeiter);
    // The language of the messages, the program's and its platform's.
    void setLanguage(int16_t sprache);
    // The separator typed and shown in numbers; also what every conversion uses from now on.
    void setDecimalSeparator(const QString& separator);

    // Unsaved changes in the working copy.
    bool BOGEAENDERT = false;

    db::Connection cnnX;
    db::Connection cnnX_V;

private:
    QString programFolder_;
    QString projekt_, projektspfad_, bearbeiter_;
    int16_t sprache_ = 3;
    QString dezimalpunkt_ = QStringLiteral(",");
};
