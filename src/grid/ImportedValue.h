#pragma once

#include <QString>
#include <optional>

// The clean-up of an imported value, step by step: prefix and suffix, the date and time
// layouts of the instrument, a leading decimal mark, the decimal mark itself and the factor.
class ImportedValue {
public:
    // Positions of day, month, year (or hours, minutes, seconds) in a layout text.
    struct Layout {
        int first = -1, second = -1, third = -1;
        bool fourDigitYear = false;
        bool valid() const { return first >= 0 && second >= 0 && third >= 0; }
    };
    static Layout dateLayout(const QString& DATUM);
    static Layout timeLayout(const QString& UHRZEIT);

    // True when the text begins with the prefix and ends with the suffix (either may be empty),
    // without the two overlapping.
    static bool framed(const QString& text, const QString& prefix, const QString& suffix);
    // The text without the prefix (suffix) where it stands there; otherwise unchanged.
    static QString withoutPrefix(const QString& text, const QString& prefix);
    static QString withoutSuffix(const QString& text, const QString& suffix);
    // "2003-05-17" with JJJJ-MM-TT -> "17.05.03".
    static QString date(const QString& text, const Layout& layout);
    // "103005" with hhmmss -> "10:30:05".
    static QString time(const QString& text, const Layout& layout);
    // "-.5" -> "-0.5", ",25" -> "0,25".
    static QString leadingZero(const QString& text);
    // A number written with either decimal mark, in the session's mark; other text unchanged.
    static QString sessionDecimal(const QString& text);
    // The number times the factor, rounded to three places, in the session's form; nothing
    // when the text is no number.
    static std::optional<QString> scaled(const QString& text, float factor);
};
