#pragma once

// Qt's own dialogs (print, file, colour, the standard buttons) speak the session's language:
// for a German session Qt's German translations (Debian's Qt translation package) are loaded.
class QtTranslations {
public:
    // Loads (german) or removes Qt's German translations; false when they are not installed.
    static bool use(bool german);
};
