#pragma once

#include <QString>

// The text of an axis label: the value in the axis's number format, with as many further
// decimals as the value itself carries. A label must neither round a candidate end to its
// neighbour (0.0005 is not "0.001") nor show the noise of single precision (63, not
// 63.00001): values count to six significant digits, as a single holds them.
class AxisLabel {
public:
    // The decimals `value` carries at `significant` digits, trailing zeros dropped.
    static int decimals(double value, int significant = 6);
    // `value` rounded to `decimals` places, formatted with `format`; a format with a decimal
    // point gets optional places up to `decimals`.
    static QString text(double value, int decimals, const QString& format);
};
