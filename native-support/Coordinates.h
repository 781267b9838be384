// Java floats and ints turned into the 32-bit integers GDI takes.
#pragma once

#include <cstdint>

namespace pelmora {

// A logical coordinate: rounded half up (floor(x + 0.5) in double precision), then truncated to 32 bits.
std::int32_t roundCoord(float value);

// Truncation toward zero, as a pen width is converted. Values beyond the 32-bit range saturate and NaN
// gives 0, where a plain conversion would be undefined.
std::int32_t truncateToInt32(double value);

// |value| without the overflow of INT32_MIN, which saturates.
std::int32_t magnitude(std::int32_t value);

}  // namespace pelmora
