// The shared test picture: its header, row layout and padding, its colours at each bit count as GDI reads
// them back, and the checksum the runtime's log uses.
#include "TestPicture.h"

#include <pelmora/Win32Handles.h>

#include <gtest/gtest.h>

#include <windows.h>

#include <cstring>
#include <set>
#include <stdexcept>
#include <tuple>

namespace {

using pelmora::test::testChecksum;
using pelmora::test::testChecksumText;
using pelmora::test::TestColour;
using pelmora::test::testPictureBuffer;
using pelmora::test::testPictureHeaderSize;
using pelmora::test::testPicturePixel;
using pelmora::test::testPictureStride;

std::uint32_t readLittleEndian(const std::vector<std::uint8_t>& bytes, std::size_t offset, std::size_t size) {
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < size; ++i)
        value |= static_cast<std::uint32_t>(bytes.at(offset + i)) << (8 * i);
    return value;
}

// The 8-bit colours GDI reads back from the picture, through a 32-bit top-down GetDIBits.
class GdiReading {
  public:
    explicit GdiReading(const std::vector<std::uint8_t>& picture) {
        BITMAPINFOHEADER header;
        std::memcpy(&header, picture.data(), sizeof header);
        width_ = header.biWidth;
        height_ = header.biHeight;
        const pelmora::ScreenDc screen(GetDC(nullptr));
        const pelmora::GdiBitmap bitmap(
            CreateDIBitmap(screen.get(), &header, CBM_INIT, picture.data() + testPictureHeaderSize,
                           reinterpret_cast<const BITMAPINFO*>(picture.data()), DIB_RGB_COLORS));
        if (!bitmap) return;
        BITMAPINFO request{};
        request.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
        request.bmiHeader.biWidth = width_;
        request.bmiHeader.biHeight = -height_;
        request.bmiHeader.biPlanes = 1;
        request.bmiHeader.biBitCount = 32;
        request.bmiHeader.biCompression = BI_RGB;
        pixels_.resize(static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_));
        lines_ = GetDIBits(screen.get(), bitmap.get(), 0, static_cast<UINT>(height_), pixels_.data(),
                           &request, DIB_RGB_COLORS);
    }

    bool complete() const { return lines_ == height_; }
    TestColour at(int column, int rowFromTop) const {
        const std::uint32_t pixel =
            pixels_[static_cast<std::size_t>(rowFromTop) * static_cast<std::size_t>(width_) +
                    static_cast<std::size_t>(column)];
        return {static_cast<std::uint8_t>(pixel >> 16), static_cast<std::uint8_t>(pixel >> 8),
                static_cast<std::uint8_t>(pixel)};
    }

  private:
    int width_ = 0;
    int height_ = 0;
    int lines_ = 0;
    std::vector<std::uint32_t> pixels_;
};

TEST(TestPictureTest, HeaderDescribesABottomUpPictureOfTheGivenSize) {
    for (const auto& [width, height, bitCount] :
         {std::tuple{200, 150, 24}, std::tuple{7, 3, 16}, std::tuple{5, 2, 24}, std::tuple{1, 1, 32}}) {
        SCOPED_TRACE(std::to_string(width) + "x" + std::to_string(height) + "x" + std::to_string(bitCount));
        const std::vector<std::uint8_t> picture = testPictureBuffer(width, height, bitCount);
        const std::size_t stride = testPictureStride(width, bitCount);
        EXPECT_EQ(stride % 4, 0u);
        EXPECT_GE(stride * 8, static_cast<std::size_t>(width * bitCount));
        EXPECT_LT(stride * 8, static_cast<std::size_t>(width * bitCount + 32));
        ASSERT_EQ(picture.size(), 40u + stride * static_cast<std::size_t>(height));

        EXPECT_EQ(readLittleEndian(picture, 0, 4), 40u);                                    // biSize
        EXPECT_EQ(readLittleEndian(picture, 4, 4), static_cast<std::uint32_t>(width));      // biWidth
        EXPECT_EQ(readLittleEndian(picture, 8, 4), static_cast<std::uint32_t>(height));     // biHeight
        EXPECT_EQ(readLittleEndian(picture, 12, 2), 1u);                                    // biPlanes
        EXPECT_EQ(readLittleEndian(picture, 14, 2), static_cast<std::uint32_t>(bitCount));  // biBitCount
        EXPECT_EQ(readLittleEndian(picture, 16, 4), 0u);                                    // BI_RGB
        EXPECT_EQ(readLittleEndian(picture, 20, 4),
                  stride * static_cast<std::size_t>(height));  // biSizeImage
        for (std::size_t offset = 24; offset < 40; offset += 4)
            EXPECT_EQ(readLittleEndian(picture, offset, 4), 0u);
    }
}

TEST(TestPictureTest, StridesAreWholeDwords) {
    EXPECT_EQ(testPictureStride(1, 16), 4u);
    EXPECT_EQ(testPictureStride(2, 16), 4u);
    EXPECT_EQ(testPictureStride(3, 16), 8u);
    EXPECT_EQ(testPictureStride(1, 24), 4u);
    EXPECT_EQ(testPictureStride(5, 24), 16u);
    EXPECT_EQ(testPictureStride(200, 24), 600u);
    EXPECT_EQ(testPictureStride(7, 32), 28u);
}

TEST(TestPictureTest, RowsAreStoredBottomUpWithTheirPixelsAndZeroPadding) {
    // 5 x 3 at 24 bits: 15 pixel bytes and 1 padding byte per row.
    const std::vector<std::uint8_t> picture = testPictureBuffer(5, 3, 24);
    for (int rowFromTop = 0; rowFromTop < 3; ++rowFromTop) {
        const std::size_t row = 40 + 16 * static_cast<std::size_t>(2 - rowFromTop);
        for (int column = 0; column < 5; ++column) {
            const std::size_t at = row + 3 * static_cast<std::size_t>(column);
            const TestColour colour = testPicturePixel(column, rowFromTop);
            EXPECT_EQ((TestColour{picture[at + 2], picture[at + 1], picture[at]}), colour)
                << column << "," << rowFromTop;
        }
        EXPECT_EQ(picture[row + 15], 0) << "padding of row " << rowFromTop;
    }

    // 3 x 2 at 16 bits: 6 pixel bytes and 2 padding bytes per row; words of 5-5-5 bits, top bit clear.
    const std::vector<std::uint8_t> small = testPictureBuffer(3, 2, 16);
    const TestColour topRight = testPicturePixel(2, 0);
    const std::uint32_t word = readLittleEndian(small, 40 + 8 + 4, 2);
    EXPECT_EQ(word >> 15, 0u);
    EXPECT_EQ((word >> 10) & 31, topRight.red / 8u);
    EXPECT_EQ((word >> 5) & 31, topRight.green / 8u);
    EXPECT_EQ(word & 31, topRight.blue / 8u);
    EXPECT_EQ(readLittleEndian(small, 40 + 6, 2), 0u);
    EXPECT_EQ(readLittleEndian(small, 40 + 8 + 6, 2), 0u);

    // 32 bits: blue, green, red and a zero byte.
    const std::vector<std::uint8_t> wide = testPictureBuffer(2, 2, 32);
    const TestColour bottomRight = testPicturePixel(1, 1);
    EXPECT_EQ(readLittleEndian(wide, 40 + 4, 4),
              bottomRight.red * 0x10000u + bottomRight.green * 0x100u + bottomRight.blue);
}

TEST(TestPictureTest, ColoursFollowTheDocumentedFormulas) {
    EXPECT_EQ(testPicturePixel(0, 0), (TestColour{0, 0, 0}));
    EXPECT_EQ(testPicturePixel(1, 2), (TestColour{8, 16, 0}));
    EXPECT_EQ(testPicturePixel(33, 65), (TestColour{8 + 1, 8 + 2, 32 + 16}));
    EXPECT_EQ(testPicturePixel(255, 255), (TestColour{255, 255, 7 * 32 + 3 * 8}));
    EXPECT_EQ(testPicturePixel(256, 0), testPicturePixel(0, 0));
    // 16 bits keep the top 5 bits of each channel and read back with them repeated below.
    EXPECT_EQ(testPicturePixel(33, 65, 16), (TestColour{8, 8, 48 + 1}));
    EXPECT_EQ(testPicturePixel(31, 31, 16), (TestColour{255, 255, 0}));
    EXPECT_EQ(testPicturePixel(33, 65, 24), testPicturePixel(33, 65));
    EXPECT_EQ(testPicturePixel(33, 65, 32), testPicturePixel(33, 65));
}

TEST(TestPictureTest, EveryPixelHasItsOwnColourUpTo256Square_OrAt16Bits256By128) {
    std::set<std::tuple<int, int, int>> full;
    std::set<std::tuple<int, int, int>> quantised;
    for (int row = 0; row < 256; ++row) {
        for (int column = 0; column < 256; ++column) {
            const TestColour colour = testPicturePixel(column, row);
            full.emplace(colour.red, colour.green, colour.blue);
            if (row < 128) {
                const TestColour reduced = testPicturePixel(column, row, 16);
                quantised.emplace(reduced.red, reduced.green, reduced.blue);
            }
        }
    }
    EXPECT_EQ(full.size(), 256u * 256u);
    EXPECT_EQ(quantised.size(), 256u * 128u);
}

TEST(TestPictureTest, GdiReadsBackTheDocumentedColoursAtEachBitCount) {
    for (const int bitCount : {16, 24, 32}) {
        SCOPED_TRACE(bitCount);
        const int width = 67;
        const int height = 41;
        const GdiReading reading(testPictureBuffer(width, height, bitCount));
        ASSERT_TRUE(reading.complete());
        for (int row = 0; row < height; ++row) {
            for (int column = 0; column < width; ++column) {
                ASSERT_EQ(reading.at(column, row), testPicturePixel(column, row, bitCount))
                    << "column " << column << ", row " << row;
            }
        }
    }
}

TEST(TestPictureTest, RejectsSizesAndBitCountsItDoesNotDraw) {
    EXPECT_THROW(testPictureBuffer(0, 1, 24), std::invalid_argument);
    EXPECT_THROW(testPictureBuffer(1, -1, 24), std::invalid_argument);
    EXPECT_THROW(testPictureBuffer(1, 1, 8), std::invalid_argument);
    EXPECT_THROW(testPictureBuffer(pelmora::test::testPictureMaxSide + 1, 1, 32), std::invalid_argument);
    EXPECT_NO_THROW(testPictureBuffer(pelmora::test::testPictureMaxSide, 1, 32));
}

TEST(TestPictureTest, ChecksumIsFnv1a32) {
    const std::uint8_t a[] = {'a'};
    const std::uint8_t foobar[] = {'f', 'o', 'o', 'b', 'a', 'r'};
    EXPECT_EQ(testChecksum(nullptr, 0), 0x811c9dc5u);
    EXPECT_EQ(testChecksum(a, 1), 0xe40c292cu);
    EXPECT_EQ(testChecksum(foobar, 6), 0xbf9cf968u);
    EXPECT_EQ(testChecksumText(foobar, 6), "bf9cf968");
    // Leading zeros are written.
    const std::uint8_t leadingZero[] = {0x00};
    EXPECT_EQ(testChecksum(leadingZero, 1), 0x050c5d1fu);
    EXPECT_EQ(testChecksumText(leadingZero, 1), "050c5d1f");
}

}  // namespace
