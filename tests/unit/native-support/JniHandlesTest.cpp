#include "JniHandles.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace pelmora {
namespace {

struct Opaque;
using Handle = Opaque*;

std::uintptr_t bitsOf(Handle handle) {
    return reinterpret_cast<std::uintptr_t>(handle);
}

TEST(JniHandles, LongValuesCarryTheWholeHandle) {
    const jlong values[] = {0, 1, 0x12345678, 0x7FFFFFFF80000000LL, -1};
    for (const jlong value : values) {
        EXPECT_EQ(toJava(handleFrom<Handle>(value)), value);
    }
    EXPECT_EQ(bitsOf(handleFrom<Handle>(0x123456789ALL)), 0x123456789Au);
    EXPECT_EQ(handleFrom<Handle>(0), nullptr);
}

TEST(JniHandles, IntValuesAreSignExtended) {
    EXPECT_EQ(bitsOf(handleFromInt<Handle>(0x12345)), 0x12345u);
    EXPECT_EQ(bitsOf(handleFromInt<Handle>(0x7FFFFFFF)), 0x7FFFFFFFu);
    EXPECT_EQ(bitsOf(handleFromInt<Handle>(-1)), UINTPTR_MAX);
    EXPECT_EQ(toJava(handleFromInt<Handle>(-0x7FFFFFFF - 1)), -0x80000000LL);
}

}  // namespace
}  // namespace pelmora
