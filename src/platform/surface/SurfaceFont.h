#pragma once

#include <QString>

namespace vb {

// The font of a surface as the original's font object describes it.
struct SurfaceFont {
    QString Name = QStringLiteral("Arial");
    double Size = 8.0;  // points
    bool Bold = false;
    bool Italic = false;
    bool Underline = false;
    bool Strikethrough = false;
    int Weight = 400;

    void setBold(bool bold)
    {
        Bold = bold;
        Weight = bold ? 700 : 400;
    }
    bool operator==(const SurfaceFont&) const = default;
};

}  // namespace vb
