#include "ColorPacking.h"

#include <gtest/gtest.h>

namespace pelmora {
namespace {

TEST(PackColor, PutsRedGreenAndBlueIntoTheirBytes) {
    EXPECT_EQ(packColor(0x12, 0, 0), 0x000012u);
    EXPECT_EQ(packColor(0, 0x34, 0), 0x003400u);
    EXPECT_EQ(packColor(0, 0, 0x56), 0x560000u);
    EXPECT_EQ(packColor(0x12, 0x34, 0x56), 0x563412u);
    EXPECT_EQ(packColor(255, 255, 255), 0xFFFFFFu);
    EXPECT_EQ(packColor(0, 0, 0), 0u);
}

TEST(PackColor, KeepsOnlyTheLow8BitsOfEachComponent) {
    EXPECT_EQ(packColor(300, 0, 0), 44u);
    EXPECT_EQ(packColor(256, 256, 256), 0u);
    EXPECT_EQ(packColor(0, 0x1FF, 0), 0x00FF00u);
    EXPECT_EQ(packColor(-1, 0, 0), 0x0000FFu);
    EXPECT_EQ(packColor(0, 0, -256), 0u);
}

}  // namespace
}  // namespace pelmora
