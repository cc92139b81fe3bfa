#pragma once

#include <QString>

// The titles of a record's axes as the page writes them: a name and a unit in brackets,
// "s [mm]", "σ [kN/m²]". A record captured before titles were kept has the plain ones.
struct AxisTitles {
    QString x = QStringLiteral("x [-]");
    QString y = QStringLiteral("y [-]");

    // The part before the unit ("σ" of "σ [kN/m²]") and the unit with its brackets; a title
    // without brackets is all name.
    static QString name(const QString& title);
    static QString unit(const QString& title);

    bool operator==(const AxisTitles&) const = default;
};
