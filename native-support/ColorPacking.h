// Java colour components turned into a GDI COLORREF.
#pragma once

#include <cstdint>

namespace pelmora {

// red + green * 256 + blue * 65536 from the low 8 bits of each component; higher bits are dropped.
std::uint32_t packColor(std::int32_t red, std::int32_t green, std::int32_t blue);

}  // namespace pelmora
