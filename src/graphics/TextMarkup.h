#pragma once

#include <QString>
#include <vector>

// One piece of a label: plain text (empty code) or a group {code,content}.
struct TextRun {
    QString code;
    QString content;
    bool operator==(const TextRun&) const = default;
};

// The label markup of the engine: groups {code,content} between plain runs, and numbers in
// exponent notation shown as a power of ten.
class TextMarkup {
public:
    // True when the text holds a "{" with a "}" after it.
    static bool hasMarkup(const QString& text);
    static std::vector<TextRun> split(const QString& text);
    // "1.5E+03" -> "1.5*10{h,+03}"; any other text unchanged.
    static QString expandExponent(const QString& text);
};
