#pragma once

#include <optional>
#include <vector>

namespace vb { class FlexGrid; }

// The time stamps of a grid's rows (a date column, a time column or both) and the elapsed
// time between two rows: minutes when a time column exists, else whole days. Every row's
// stamp is read once, however many rows refer to it.
class ElapsedClock {
public:
    ElapsedClock(const vb::FlexGrid& grid, int dateCol, int timeCol);

    // Elapsed time from row `from` to row `to`; nothing when a stamp cannot be read.
    std::optional<double> between(int from, int to);

private:
    struct Stamp {
        bool read = false;
        std::optional<double> days;     // whole days of the date
        std::optional<double> seconds;  // seconds of the time of day
    };
    const Stamp& stamp(int row);

    const vb::FlexGrid& grid_;
    int dateCol_, timeCol_;
    std::vector<Stamp> stamps_;
};
