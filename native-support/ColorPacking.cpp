#include "ColorPacking.h"

namespace pelmora {

std::uint32_t packColor(std::int32_t red, std::int32_t green, std::int32_t blue) {
    auto lowByte = [](std::int32_t component) { return static_cast<std::uint32_t>(component) & 0xFFu; };
    return lowByte(red) | lowByte(green) << 8 | lowByte(blue) << 16;
}

}  // namespace pelmora
