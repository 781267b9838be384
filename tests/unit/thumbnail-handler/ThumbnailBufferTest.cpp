// The checks every thumbnail image buffer passes before the handler draws it, and the bitmap's size.
#include "ThumbnailBuffer.h"

#include "GuardedMemory.h"
#include "TestPicture.h"

#include <gtest/gtest.h>

#include <vector>

namespace pelmora::thumb {
namespace {

using test::testPictureBuffer;

void putField(std::vector<std::uint8_t>& buffer, std::size_t offset, std::uint32_t value, std::size_t size) {
    for (std::size_t i = 0; i < size; ++i) buffer[offset + i] = static_cast<std::uint8_t>(value >> (8 * i));
}

std::optional<ThumbnailPicture> read(const std::vector<std::uint8_t>& buffer) {
    return readThumbnailPicture(buffer.data(), buffer.size());
}

TEST(ThumbnailBufferTest, AWellFormedBufferDeclaresItsPictureAtEveryBitCount) {
    for (const int bitCount : {16, 24, 32}) {
        const auto picture = read(testPictureBuffer(301, 7, bitCount));
        ASSERT_TRUE(picture) << bitCount;
        EXPECT_EQ(picture->width, 301);
        EXPECT_EQ(picture->height, 7);
        EXPECT_EQ(picture->bitCount, bitCount);
        EXPECT_EQ(picture->stride, test::testPictureStride(301, bitCount));
    }
}

TEST(ThumbnailBufferTest, ExtraBytesAfterThePixelsAreAllowedButOneByteTooFewIsNot) {
    std::vector<std::uint8_t> buffer = testPictureBuffer(3, 2, 24);  // stride 12: each row padded by 3
    ASSERT_EQ(buffer.size(), 40u + 24u);
    EXPECT_TRUE(read(buffer));
    buffer.push_back(0);  // a marshaler rounding an odd length up
    EXPECT_TRUE(read(buffer));
    buffer.resize(40 + 23);
    EXPECT_FALSE(read(buffer));
    // Rows that are not padded to 4 bytes are too short for the format.
    buffer.resize(40 + 18);
    EXPECT_FALSE(read(buffer));
}

TEST(ThumbnailBufferTest, EveryHeaderOutsideTheFormatIsRejected) {
    struct Change {
        const char* what;
        std::size_t offset;
        std::uint32_t value;
        std::size_t size;
    };
    const Change changes[] = {
        {"biSize 124 (a larger header)", 0, 124, 4},
        {"biSize 12", 0, 12, 4},
        {"width 0", 4, 0, 4},
        {"negative width", 4, static_cast<std::uint32_t>(-4), 4},
        {"height 0", 8, 0, 4},
        {"negative height (top-down)", 8, static_cast<std::uint32_t>(-4), 4},
        {"no planes", 12, 0, 2},
        {"two planes", 12, 2, 2},
        {"8 bits with a colour table", 14, 8, 2},
        {"1 bit", 14, 1, 2},
        {"48 bits", 14, 48, 2},
        {"no bits", 14, 0, 2},
        {"BI_RLE8", 16, 1, 4},
        {"BI_BITFIELDS", 16, 3, 4},
        {"BI_PNG", 16, 5, 4},
        {"a colour table of 1 entry", 32, 1, 4},
        {"a colour table of 2^32-1 entries", 32, 0xFFFFFFFFu, 4},
    };
    for (const Change& change : changes) {
        std::vector<std::uint8_t> buffer = testPictureBuffer(4, 4, 32);
        putField(buffer, change.offset, change.value, change.size);
        EXPECT_FALSE(read(buffer)) << change.what;
    }
}

TEST(ThumbnailBufferTest, FieldsTheDrawingIgnoresMayHoldAnything) {
    std::vector<std::uint8_t> buffer = testPictureBuffer(4, 4, 24);
    putField(buffer, 20, 0, 4);            // biSizeImage 0 is allowed for BI_RGB
    putField(buffer, 24, 0xFFFFFFFFu, 4);  // resolution
    putField(buffer, 28, 12345, 4);
    putField(buffer, 36, 7, 4);  // biClrImportant counts nothing without a table
    EXPECT_TRUE(read(buffer));
}

TEST(ThumbnailBufferTest, BuffersShorterThanAHeaderOrMissingAreRejected) {
    const std::vector<std::uint8_t> buffer = testPictureBuffer(1, 1, 32);
    for (std::size_t length = 0; length < 40; ++length) {
        EXPECT_FALSE(readThumbnailPicture(buffer.data(), length)) << length;
    }
    EXPECT_FALSE(readThumbnailPicture(nullptr, 100));
}

TEST(ThumbnailBufferTest, HugeDeclaredSizesAreRejectedWithoutOverflow) {
    struct Size {
        std::uint32_t width;
        std::uint32_t height;
        std::uint16_t bitCount;
    };
    // Stride times height overflows 32 bits for each, and 64 bits for the largest.
    const Size sizes[] = {
        {0x7FFFFFFF, 0x7FFFFFFF, 32}, {0x40000000, 4, 32}, {1, 0x7FFFFFFF, 16}, {0x10000, 0x10000, 24}};
    for (const Size& size : sizes) {
        std::vector<std::uint8_t> buffer = testPictureBuffer(2, 2, 32);
        buffer.resize(4096);
        putField(buffer, 4, size.width, 4);
        putField(buffer, 8, size.height, 4);
        putField(buffer, 14, size.bitCount, 2);
        EXPECT_FALSE(read(buffer)) << size.width << " x " << size.height;
    }
}

TEST(ThumbnailBufferTest, ATruncatedBufferIsNeverReadPastItsEnd) {
    test::GuardedMemory memory;
    const std::vector<std::uint8_t> buffer = testPictureBuffer(20, 20, 24);
    for (std::size_t length = 0; length < buffer.size(); length += (length < 48 ? 1 : 97)) {
        EXPECT_FALSE(readThumbnailPicture(memory.place(buffer, length), length)) << length;
    }
    EXPECT_TRUE(readThumbnailPicture(memory.place(buffer, buffer.size()), buffer.size()));
}

TEST(ThumbnailBufferTest, EachAxisIsClampedByItselfAndNeverEnlarged) {
    struct Case {
        std::int32_t pictureWidth, pictureHeight, requestedWidth, requestedHeight, width, height;
    };
    const Case cases[] = {
        {200, 150, 256, 256, 200, 150},  // smaller: kept as it is
        {300, 200, 256, 256, 256, 200},  // only the width is squeezed
        {300, 200, 96, 96, 96, 96},      // both squeezed, the aspect ratio lost
        {256, 192, 256, 256, 256, 192}, {256, 256, 256, 256, 256, 256},
        {100, 400, 256, 128, 100, 128}, {1, 1, 0x7FFFFFFF, 0x7FFFFFFF, 1, 1},
    };
    for (const Case& c : cases) {
        ThumbnailPicture picture;
        picture.width = c.pictureWidth;
        picture.height = c.pictureHeight;
        const ThumbnailSize size = thumbnailSize(picture, c.requestedWidth, c.requestedHeight);
        EXPECT_EQ(size.width, c.width) << c.pictureWidth << "x" << c.pictureHeight;
        EXPECT_EQ(size.height, c.height) << c.pictureWidth << "x" << c.pictureHeight;
    }
}

}  // namespace
}  // namespace pelmora::thumb
