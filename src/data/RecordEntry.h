#pragma once

#include <QString>
#include <cstdint>

// A record as the lists name it: its number, its name (KEN), its comment (KOM) and whether
// it is active (AKT).
struct RecordEntry {
    int32_t id = 0;
    QString name;
    QString comment;
    bool active = false;
};
