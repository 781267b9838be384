#include "PolygonCounts.h"

#include <cstdint>

namespace pelmora {

bool countsFitPoints(const int* counts, std::size_t polygonCount, std::size_t pointCount) {
    // 64 bits hold the sum of any number of 32-bit counts that could still fit.
    std::uint64_t needed = 0;
    for (std::size_t i = 0; i < polygonCount; ++i) {
        if (counts[i] < 0) return false;
        needed += static_cast<std::uint64_t>(counts[i]);
        if (needed > pointCount) return false;
    }
    return true;
}

}  // namespace pelmora
