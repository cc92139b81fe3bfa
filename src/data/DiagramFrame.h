#pragma once

#include <cstdint>
#include <optional>

// A diagram's frame on its page, one row of G0: the axis origins (OX, OY), the margins in
// millimetres (RL, RR, RO, RU), the axis ends, the scale factors and the fixed ratio. A value
// that is not set is stored as NULL, as the columns it was read from.
struct DiagramFrame {
    std::optional<int16_t> OX, OY;
    std::optional<float> RL, RR, RO, RU;
    std::optional<float> XMIN, XMAX, YMIN, YMAX;
    std::optional<float> MX, MY, MYMX, MSP;

    bool operator==(const DiagramFrame&) const = default;
};
