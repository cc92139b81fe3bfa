#pragma once

#include "data/AxisTitles.h"

#include <QString>
#include <cstdint>
#include <optional>
#include <vector>

// What a record remembers of its capture beside its points: the scan it was captured on with
// the axis titles and the kinds of the scan's axes, the calibration's reference clicks and
// the scan pixel of every clicked point.
struct StoredCapture {
    struct Head {
        QString scan;  // file name in the project's picture folder
        QString xTitle = AxisTitles{}.x, yTitle = AxisTitles{}.y;
        bool logX = false, logY = false;
        bool operator==(const Head&) const = default;
    };
    struct Reference {
        int16_t kind = 0;
        double bx = 0, by = 0;
        std::optional<double> wx, wy;
        bool operator==(const Reference&) const = default;
    };
    // A point's pixel with the values the point had when stored: the pixel holds only while
    // the record's point still has them.
    struct Pixel {
        int16_t polygon = 0, point = 0;
        double bx = 0, by = 0, px = 0, py = 0;
        bool operator==(const Pixel&) const = default;
    };

    std::optional<Head> head;  // none: the record was never captured by this program
    std::vector<Reference> references;
    std::vector<Pixel> pixels;
};
