#include "BitmapPixels.h"

namespace pelmora::test {

std::optional<BitmapPixels> readBitmapPixels(HBITMAP bitmap) {
    BITMAP description{};
    if (!bitmap || GetObjectW(bitmap, sizeof(description), &description) != sizeof(description)) {
        return std::nullopt;
    }
    BitmapPixels result;
    result.width = description.bmWidth;
    result.height = description.bmHeight;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = result.width;
    info.bmiHeader.biHeight = -result.height;  // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(result.width) * result.height * 4);
    HDC screen = GetDC(nullptr);
    const int lines =
        GetDIBits(screen, bitmap, 0, static_cast<UINT>(result.height), bytes.data(), &info, DIB_RGB_COLORS);
    ReleaseDC(nullptr, screen);
    if (lines != result.height) return std::nullopt;
    result.pixels.reserve(bytes.size() / 4);
    for (std::size_t offset = 0; offset < bytes.size(); offset += 4) {
        result.pixels.push_back({bytes[offset + 2], bytes[offset + 1], bytes[offset]});
    }
    return result;
}

int matchingTestPictureColumn(const TestColour& colour, int rowFromTop, int first, int last, int bitCount) {
    for (int column = first; column <= last; ++column) {
        if (testPicturePixel(column, rowFromTop, bitCount) == colour) return column;
    }
    return -1;
}

}  // namespace pelmora::test
