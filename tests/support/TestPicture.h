// The picture the test Java runtime's thumbnail renderer returns, and what tests on the receiving side
// recompute to check it: a packed device-independent bitmap (a BITMAPINFOHEADER and the pixel rows) whose
// every pixel tells its column and row.
//
// Layout: a 40-byte little-endian BITMAPINFOHEADER (biSize 40, biWidth, biHeight positive, so bottom-up,
// biPlanes 1, biBitCount 16, 24 or 32, biCompression BI_RGB, biSizeImage = stride * height, the rest 0),
// then the rows, the picture's bottom row first. Each row holds width pixels from left to right and is padded
// with zero bytes to the stride ((width * bitCount + 31) / 32) * 4. A 24-bit pixel is the bytes blue, green,
// red; a 32-bit pixel blue, green, red, 0; a 16-bit pixel a little-endian word of 5 bits each, blue in the
// low bits, then green, then red, the top bit 0.
//
// Colour at column c and row r, both counted from 0, r from the TOP of the picture:
//   red   = (c % 32) * 8 + (c / 32) % 8
//   green = (r % 32) * 8 + (r / 32) % 8
//   blue  = ((c / 32) % 8) * 32 + ((r / 32) % 4) * 8
// Red and green are one-to-one for columns and rows 0..255, so every pixel of a picture up to 256 x 256 has
// a colour of its own. The top 5 bits of each channel (what 16 bits keep) are column % 32, row % 32, and
// (column / 32) % 8 followed by (row / 32) % 4: at 16 bits every pixel of a picture up to 256 x 128 still
// differs, and neighbouring rows and columns always do.
#pragma once

#include <cstddef>
#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

namespace pelmora::test {

struct TestColour {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;
};

bool operator==(const TestColour& left, const TestColour& right);
bool operator!=(const TestColour& left, const TestColour& right);
// "rgb(r,g,b)" in decimal, for test failure messages.
std::ostream& operator<<(std::ostream& out, const TestColour& colour);

inline constexpr std::size_t testPictureHeaderSize = 40;
// Keeps every size field within 32 bits.
inline constexpr int testPictureMaxSide = 8192;

// The colour of the pixel, 8 bits per channel, as a 24- or 32-bit picture stores it.
TestColour testPicturePixel(int column, int rowFromTop);
// The colour as a picture of that bit count holds it, widened to 8 bits per channel: for 16 bits each 5-bit
// channel v reads as v * 8 + v / 4 (its bits repeated into the low bits), as GetDIBits widens it; for 24
// and 32 bits the colour above.
TestColour testPicturePixel(int column, int rowFromTop, int bitCount);

// The bytes of one row, padding included: ((width * bitCount + 31) / 32) * 4.
std::size_t testPictureStride(int width, int bitCount);
// Header and rows as described above. Throws std::invalid_argument unless width and height are 1 to
// testPictureMaxSide and bitCount is 16, 24 or 32.
std::vector<std::uint8_t> testPictureBuffer(int width, int height, int bitCount);

// 32-bit FNV-1a of the bytes, which the runtime's log records for byte[] arguments.
std::uint32_t testChecksum(const std::uint8_t* bytes, std::size_t count);
// Bytes that differ from position to position, so a checksum tells which part of them arrived.
std::string countingBytes(std::size_t count);
// The checksum as the log writes it: 8 lower-case hexadecimal digits.
std::string testChecksumText(const std::uint8_t* bytes, std::size_t count);

}  // namespace pelmora::test
