#include "Coordinates.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>

namespace pelmora {
namespace {

constexpr std::int32_t int32Min = std::numeric_limits<std::int32_t>::min();
constexpr std::int32_t int32Max = std::numeric_limits<std::int32_t>::max();

TEST(RoundCoord, HalvesRoundUpOnBothSidesOfZero) {
    EXPECT_EQ(roundCoord(2.5f), 3);
    EXPECT_EQ(roundCoord(10.5f), 11);
    EXPECT_EQ(roundCoord(-2.5f), -2);
    EXPECT_EQ(roundCoord(-10.5f), -10);
    EXPECT_EQ(roundCoord(0.5f), 1);
    EXPECT_EQ(roundCoord(-0.5f), 0);
}

TEST(RoundCoord, OtherFractionsGoToTheNearestWhole) {
    EXPECT_EQ(roundCoord(2.49f), 2);
    EXPECT_EQ(roundCoord(2.51f), 3);
    EXPECT_EQ(roundCoord(-2.49f), -2);
    EXPECT_EQ(roundCoord(-2.51f), -3);
    EXPECT_EQ(roundCoord(0.0f), 0);
    EXPECT_EQ(roundCoord(-0.0f), 0);
    EXPECT_EQ(roundCoord(-7.0f), -7);
    EXPECT_EQ(roundCoord(2000.0f), 2000);
}

TEST(RoundCoord, AddsTheHalfInDoublePrecision) {
    // The float just below 0.5: in float arithmetic 0.49999997f + 0.5f rounds to 1.
    const float justBelowHalf = std::nextafter(0.5f, 0.0f);
    EXPECT_EQ(roundCoord(justBelowHalf), 0);
    EXPECT_EQ(roundCoord(-std::nextafter(0.5f, 1.0f)), -1);
    // Large floats are whole numbers already.
    EXPECT_EQ(roundCoord(16777216.0f), 16777216);
    EXPECT_EQ(roundCoord(-16777216.0f), -16777216);
}

TEST(RoundCoord, ValuesBeyondThe32BitRangeSaturate) {
    EXPECT_EQ(roundCoord(3.0e9f), int32Max);
    EXPECT_EQ(roundCoord(-3.0e9f), int32Min);
    EXPECT_EQ(roundCoord(std::numeric_limits<float>::infinity()), int32Max);
    EXPECT_EQ(roundCoord(-std::numeric_limits<float>::infinity()), int32Min);
    EXPECT_EQ(roundCoord(std::numeric_limits<float>::quiet_NaN()), 0);
    EXPECT_EQ(roundCoord(-2147483648.0f), int32Min);
}

TEST(TruncateToInt32, CutsTowardZero) {
    EXPECT_EQ(truncateToInt32(0.9f), 0);
    EXPECT_EQ(truncateToInt32(2.7f), 2);
    EXPECT_EQ(truncateToInt32(-1.0f), -1);
    EXPECT_EQ(truncateToInt32(-0.5f), 0);
    EXPECT_EQ(truncateToInt32(-1.9f), -1);
}

TEST(TruncateToInt32, SaturatesAtTheEndsOfTheRange) {
    EXPECT_EQ(truncateToInt32(2147483647.9), int32Max);
    EXPECT_EQ(truncateToInt32(2147483648.0), int32Max);
    EXPECT_EQ(truncateToInt32(-2147483648.9), int32Min);
    EXPECT_EQ(truncateToInt32(-1.0e300), int32Min);
    EXPECT_EQ(truncateToInt32(std::nan("")), 0);
}

TEST(Magnitude, DropsTheSign) {
    EXPECT_EQ(magnitude(-1000), 1000);
    EXPECT_EQ(magnitude(501), 501);
    EXPECT_EQ(magnitude(0), 0);
    EXPECT_EQ(magnitude(int32Max), int32Max);
    EXPECT_EQ(magnitude(int32Min), int32Max);
}

}  // namespace
}  // namespace pelmora
