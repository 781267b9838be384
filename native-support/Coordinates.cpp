#include "Coordinates.h"

#include <cmath>
#include <limits>

namespace pelmora {

std::int32_t truncateToInt32(double value) {
    constexpr double lowest = std::numeric_limits<std::int32_t>::min();
    constexpr double highest = std::numeric_limits<std::int32_t>::max();
    if (std::isnan(value)) return 0;
    if (value <= lowest) return std::numeric_limits<std::int32_t>::min();
    if (value >= highest) return std::numeric_limits<std::int32_t>::max();
    return static_cast<std::int32_t>(value);
}

std::int32_t roundCoord(float value) {
    return truncateToInt32(std::floor(static_cast<double>(value) + 0.5));
}

std::int32_t magnitude(std::int32_t value) {
    if (value == std::numeric_limits<std::int32_t>::min()) return std::numeric_limits<std::int32_t>::max();
    return value < 0 ? -value : value;
}

}  // namespace pelmora
