// The pixels of a bitmap a test received (a thumbnail, for instance), read back with GetDIBits as 8 bits
// per channel, whatever the bitmap's own format.
#pragma once

#include "TestPicture.h"

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

namespace pelmora::test {

struct BitmapPixels {
    int width = 0;
    int height = 0;
    // Row by row from the top.
    std::vector<TestColour> pixels;

    const TestColour& at(int column, int rowFromTop) const {
        return pixels[static_cast<std::size_t>(rowFromTop) * static_cast<std::size_t>(width) +
                      static_cast<std::size_t>(column)];
    }
};

// Nothing when the handle is no bitmap or GetDIBits fails.
std::optional<BitmapPixels> readBitmapPixels(HBITMAP bitmap);

// The column among first..last of the test picture's row whose colour (at that bit count) the pixel has,
// or -1: where a squeezed picture's pixel came from, checked without blending.
int matchingTestPictureColumn(const TestColour& colour, int rowFromTop, int first, int last, int bitCount);

// What is wrong with a bitmap that should hold the test picture of that size squeezed by dropping rows and
// columns (COLORONCOLOR, never blending): every pixel is the picture's pixel next to the proportional
// position, rows and columns keep their order, and the first and last of each come from the picture's edges
// (within the span one bitmap pixel covers). Empty when nothing is.
std::string squeezeProblem(const BitmapPixels& bitmap, int pictureWidth, int pictureHeight, int bitCount);

}  // namespace pelmora::test
