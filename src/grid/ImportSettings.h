#pragma once

#include <QString>
#include <cstdint>
#include <optional>
#include <vector>

class SessionContext;

// One value of an instrument configuration (a row of the "_VE2" table) and the grid column
// that receives it.
struct ImportValue {
    int16_t MNR = 0;
    QString SPALTE;
    std::optional<int> POSITION;  // empty: not read from the file
    QString PRAEFIX, SUFFIX;
    float FAKTOR = 1.0f;
    QString FORMAT;
    int column = -1;  // grid column, -1 when no column is named so
};

// An instrument configuration ("Elektronikvorgaben") as the presets database keeps it: the
// header row of the "_VE1" table and the value rows of the "_VE2" table.
struct ImportSettings {
    enum class Outcome { Read, Missing, Failed };

    int32_t IDK = 0;
    int16_t ZL = 0;
    QString DATUM, UHRZEIT, KENZ1NR, KENZ1KZ, TZS, TZZ;
    std::vector<ImportValue> values;

    // Reads the configuration named AKVK through a binding object on the presets database.
    // Failed: a read failed (its message has been given); Missing: no configuration so named.
    Outcome read(SessionContext& session, const QString& AKVK);
    // "<BLANK>" and "<TAB>" in the separators become a blank and a tab.
    void translateSeparators();
    // KENZ1NR as a count; nothing when it is empty.
    std::optional<int> skipCount() const;
};
