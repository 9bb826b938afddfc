#pragma once

#include <cstdint>

namespace nerim {

// One refinement sub-zone of a mesh axis. Cells are finest at Center and grow linearly towards
// Division (the sub-zone's start) and towards the sub-zone's end (the next sub-zone's Division,
// or the domain extent for the last one). Along Y, "left" is above the centre on the screen
// (smaller world y) and "right" below it.
struct TSubZone {
    double Center = 0.0;        // position of the finest cells
    double Division = 0.0;      // start of the sub-zone; the previous one ends here
    std::int32_t NumDivL = 0;   // cells between Division and Center
    std::int32_t NumDivR = 0;   // cells between Center and the end of the sub-zone
    double MaxSep = 0.0;        // largest size of the cell that touches Center

    bool operator==(const TSubZone&) const = default;
};

}  // namespace nerim
