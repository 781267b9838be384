// The bitmap Explorer receives, made in this process from buffers as the server returns them: its size,
// its pixels read back with GetDIBits, and what happens to buffers that hold no drawable picture.
#include "ThumbnailBitmap.h"

#include "BitmapPixels.h"
#include "TestPicture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <utility>
#include <vector>

namespace pelmora::thumb {
namespace {

using test::BitmapPixels;
using test::testPicturePixel;

com::UniqueBstr bstrOf(const std::vector<std::uint8_t>& bytes) {
    return com::UniqueBstr(SysAllocStringByteLen(reinterpret_cast<const char*>(bytes.data()),
                                                 static_cast<UINT>(bytes.size())));
}

// Makes the bitmap of a test picture and reads it back.
BitmapPixels thumbnailOf(int width, int height, int bitCount, std::int32_t requestedWidth,
                         std::int32_t requestedHeight) {
    HBITMAP bitmap = nullptr;
    EXPECT_EQ(createThumbnailBitmap(bstrOf(test::testPictureBuffer(width, height, bitCount)), &bitmap,
                                    requestedWidth, requestedHeight),
              S_OK);
    auto pixels = test::readBitmapPixels(bitmap);
    DeleteObject(bitmap);
    return pixels.value_or(BitmapPixels{});
}

TEST(ThumbnailBitmapTest, APictureWithinTheRequestIsCopiedPixelForPixelAtEachBitCount) {
    for (const int bitCount : {16, 24, 32}) {
        const BitmapPixels bitmap = thumbnailOf(200, 150, bitCount, 256, 256);
        ASSERT_EQ(bitmap.width, 200) << bitCount;
        ASSERT_EQ(bitmap.height, 150) << bitCount;
        int wrong = 0;
        for (int row = 0; row < 150; ++row) {
            for (int column = 0; column < 200; ++column) {
                if (bitmap.at(column, row) != testPicturePixel(column, row, bitCount) && ++wrong <= 3) {
                    ADD_FAILURE() << bitCount << " bits: pixel " << column << "," << row << " is "
                                  << bitmap.at(column, row);
                }
            }
        }
        EXPECT_EQ(wrong, 0);
    }
}

TEST(ThumbnailBitmapTest, AWiderPictureIsSqueezedAlongItsWidthOnly) {
    const BitmapPixels bitmap = thumbnailOf(300, 200, 24, 256, 256);
    ASSERT_EQ(bitmap.width, 256);
    ASSERT_EQ(bitmap.height, 200);
    EXPECT_EQ(test::squeezeProblem(bitmap, 300, 200, 24), "");
}

TEST(ThumbnailBitmapTest, ASmallRequestSqueezesBothAxesIntoASquare) {
    for (const int bitCount : {16, 32}) {
        const BitmapPixels bitmap = thumbnailOf(300, 200, bitCount, 96, 96);
        ASSERT_EQ(bitmap.width, 96);
        ASSERT_EQ(bitmap.height, 96);
        EXPECT_EQ(test::squeezeProblem(bitmap, 300, 200, bitCount), "") << bitCount;
    }
}

TEST(ThumbnailBitmapTest, TheBitmapHasTheScreensFormat) {
    HBITMAP bitmap = nullptr;
    ASSERT_EQ(createThumbnailBitmap(bstrOf(test::testPictureBuffer(8, 8, 16)), &bitmap, 256, 256), S_OK);
    BITMAP description{};
    ASSERT_EQ(GetObjectW(bitmap, sizeof(description), &description), static_cast<int>(sizeof(description)));
    HDC screen = CreateCompatibleDC(nullptr);
    EXPECT_EQ(description.bmBitsPixel, GetDeviceCaps(screen, BITSPIXEL));
    EXPECT_EQ(description.bmPlanes, GetDeviceCaps(screen, PLANES));
    DeleteDC(screen);
    // The handler keeps no hold on it: it is selected into no device context and can be deleted.
    EXPECT_TRUE(DeleteObject(bitmap));
}

TEST(ThumbnailBitmapTest, NoPictureLeavesTheOutputAsTheCallerSetIt) {
    const auto marker = reinterpret_cast<HBITMAP>(static_cast<std::uintptr_t>(0x1234));
    HBITMAP bitmap = marker;
    EXPECT_EQ(createThumbnailBitmap({}, &bitmap, 256, 256), E_FAIL);
    EXPECT_EQ(bitmap, marker);

    std::vector<std::uint8_t> truncated = test::testPictureBuffer(64, 64, 24);
    truncated.resize(truncated.size() - 1);
    std::vector<std::uint8_t> badHeader = test::testPictureBuffer(64, 64, 24);
    badHeader[0] = 12;
    for (const auto& bytes : {truncated, badHeader, std::vector<std::uint8_t>(39, 0)}) {
        EXPECT_EQ(createThumbnailBitmap(bstrOf(bytes), &bitmap, 256, 256), E_FAIL);
        EXPECT_EQ(bitmap, marker);
    }
}

TEST(ThumbnailBitmapTest, ARequestWithoutAreaGivesNoBitmap) {
    for (const auto& request : {std::pair{0, 256}, std::pair{256, 0}, std::pair{-1, -1}}) {
        HBITMAP bitmap = nullptr;
        EXPECT_EQ(createThumbnailBitmap(bstrOf(test::testPictureBuffer(8, 8, 24)), &bitmap, request.first,
                                        request.second),
                  E_FAIL);
        EXPECT_EQ(bitmap, nullptr);
    }
}

TEST(ThumbnailBitmapTest, RepeatedThumbnailsLeaveNoGdiObjectsBehind) {
    const DWORD before = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
    std::vector<std::uint8_t> broken = test::testPictureBuffer(16, 16, 24);
    broken.resize(60);
    for (int round = 0; round < 200; ++round) {
        HBITMAP bitmap = nullptr;
        ASSERT_EQ(createThumbnailBitmap(bstrOf(test::testPictureBuffer(16, 16, 24)), &bitmap, 8, 8), S_OK);
        DeleteObject(bitmap);
        EXPECT_EQ(createThumbnailBitmap(bstrOf(broken), &bitmap, 8, 8), E_FAIL);
    }
    EXPECT_EQ(GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS), before);
}

}  // namespace
}  // namespace pelmora::thumb
