// Whether the vertex counts of a poly-polygon stay within the points given, so GDI never reads past them.
#pragma once

#include <cstddef>

namespace pelmora {

// True when no count is negative and all counts together need at most pointCount points.
bool countsFitPoints(const int* counts, std::size_t polygonCount, std::size_t pointCount);

}  // namespace pelmora
