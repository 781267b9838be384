#include "PolygonCounts.h"

#include <gtest/gtest.h>

#include <climits>
#include <vector>

namespace pelmora {
namespace {

bool fits(const std::vector<int>& counts, std::size_t points) {
    return countsFitPoints(counts.data(), counts.size(), points);
}

TEST(PolygonCounts, CountsMayUseSomeOrAllPoints) {
    EXPECT_TRUE(fits({3, 4}, 7));
    EXPECT_TRUE(fits({3, 4}, 8));
    EXPECT_TRUE(fits({}, 0));
    EXPECT_TRUE(fits({0, 0}, 0));
}

TEST(PolygonCounts, MorePointsThanGivenAreRefused) {
    EXPECT_FALSE(fits({3, 4}, 6));
    EXPECT_FALSE(fits({1}, 0));
    EXPECT_FALSE(fits({INT_MAX, INT_MAX, INT_MAX}, 100));
}

TEST(PolygonCounts, NegativeCountsAreRefusedEvenWhenTheSumWouldFit) {
    EXPECT_FALSE(fits({-5, 10}, 5));
    EXPECT_FALSE(fits({3, -1}, 10));
    EXPECT_FALSE(fits({INT_MIN}, 10));
}

}  // namespace
}  // namespace pelmora
