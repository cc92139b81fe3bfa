#include "data/AxisTitles.h"

#include <gtest/gtest.h>

// A title splits into its name and its unit in brackets, the last bracket pair at the end.
TEST(AxisTitles, NameAndUnit)
{
    const struct {
        const char* title;
        const char* name;
        const char* unit;
    } cases[] = {
        {"x [-]", "x", "[-]"},
        {"σ [kN/m²]", "σ", "[kN/m²]"},
        {"Temperatur [°C] ", "Temperatur", "[°C]"},
        {"a [b] c", "a [b] c", ""},
        {"[mm]", "", "[mm]"},
        {"Weg", "Weg", ""},
    };
    for (const auto& c : cases) {
        const QString title = QString::fromUtf8(c.title);
        EXPECT_EQ(AxisTitles::name(title), QString::fromUtf8(c.name)) << c.title;
        EXPECT_EQ(AxisTitles::unit(title), QString::fromUtf8(c.unit)) << c.title;
    }
}
