#pragma once

#include <QString>

// The question before a command writes over a file the user already has.
class ReplaceQuestion {
public:
    // True when no such file exists or the user agreed to replace it; false, with a message,
    // when a link stands at the place.
    static bool mayWrite(const QString& path, bool german, const QString& title);
};
