#include "BitmapPixels.h"

#include <pelmora/Win32Handles.h>

#include <algorithm>
#include <utility>

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
    const ScreenDc screen(GetDC(nullptr));
    const int lines = GetDIBits(screen.get(), bitmap, 0, static_cast<UINT>(result.height), bytes.data(),
                                &info, DIB_RGB_COLORS);
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

namespace {

// The picture's pixel next to the proportional position whose colour the bitmap's pixel has; {-1, -1} for
// none.
std::pair<int, int> sourceOf(const BitmapPixels& bitmap, int column, int row, int pictureWidth,
                             int pictureHeight, int bitCount) {
    const int idealColumn = (2 * column + 1) * pictureWidth / (2 * bitmap.width);
    const int idealRow = (2 * row + 1) * pictureHeight / (2 * bitmap.height);
    for (int sourceRow = std::max(0, idealRow - 2); sourceRow <= std::min(pictureHeight - 1, idealRow + 2);
         ++sourceRow) {
        const int sourceColumn =
            matchingTestPictureColumn(bitmap.at(column, row), sourceRow, std::max(0, idealColumn - 2),
                                      std::min(pictureWidth - 1, idealColumn + 2), bitCount);
        if (sourceColumn != -1) return {sourceColumn, sourceRow};
    }
    return {-1, -1};
}

std::string at(int column, int row) {
    return " at " + std::to_string(column) + "," + std::to_string(row);
}

}  // namespace

std::string squeezeProblem(const BitmapPixels& bitmap, int pictureWidth, int pictureHeight, int bitCount) {
    if (bitmap.width <= 0 || bitmap.height <= 0) return "an empty bitmap";
    const int columnSpan = (pictureWidth + bitmap.width - 1) / bitmap.width;
    const int rowSpan = (pictureHeight + bitmap.height - 1) / bitmap.height;
    std::vector<std::pair<int, int>> previousRow;
    for (int row = 0; row < bitmap.height; ++row) {
        std::vector<std::pair<int, int>> sources;
        for (int column = 0; column < bitmap.width; ++column) {
            const auto source = sourceOf(bitmap, column, row, pictureWidth, pictureHeight, bitCount);
            if (source.first == -1) return "a pixel that is no pixel of the picture" + at(column, row);
            if (column > 0 &&
                (source.first <= sources.back().first || source.second != sources.back().second)) {
                return "columns out of order" + at(column, row);
            }
            if (!previousRow.empty() && source.second <= previousRow[column].second) {
                return "rows out of order" + at(column, row);
            }
            sources.push_back(source);
        }
        if (sources.front().first > columnSpan - 1 || sources.back().first < pictureWidth - columnSpan) {
            return "a row that does not span the picture" + at(0, row);
        }
        if ((row == 0 && sources.front().second > rowSpan - 1) ||
            (row == bitmap.height - 1 && sources.front().second < pictureHeight - rowSpan)) {
            return "rows that do not span the picture" + at(0, row);
        }
        previousRow = std::move(sources);
    }
    return "";
}

}  // namespace pelmora::test
