#include "TestPicture.h"

#include <cstdio>
#include <stdexcept>

namespace pelmora::test {
namespace {

std::uint8_t channel(int low5, int high3) {
    return static_cast<std::uint8_t>((low5 % 32) * 8 + high3 % 8);
}

// The 5 bits 16-bit pixels keep of an 8-bit channel.
unsigned fiveBits(std::uint8_t value) {
    return static_cast<unsigned>(value) >> 3;
}

std::uint8_t widenedFiveBits(unsigned value) {
    return static_cast<std::uint8_t>((value << 3) | (value >> 2));
}

void putLittleEndian(std::vector<std::uint8_t>& bytes, std::size_t offset, std::uint32_t value,
                     std::size_t size) {
    for (std::size_t i = 0; i < size; ++i) bytes[offset + i] = static_cast<std::uint8_t>(value >> (8 * i));
}

}  // namespace

bool operator==(const TestColour& left, const TestColour& right) {
    return left.red == right.red && left.green == right.green && left.blue == right.blue;
}

bool operator!=(const TestColour& left, const TestColour& right) {
    return !(left == right);
}

std::ostream& operator<<(std::ostream& out, const TestColour& colour) {
    return out << "rgb(" << static_cast<int>(colour.red) << "," << static_cast<int>(colour.green) << ","
               << static_cast<int>(colour.blue) << ")";
}

TestColour testPicturePixel(int column, int rowFromTop) {
    TestColour colour;
    colour.red = channel(column, column / 32);
    colour.green = channel(rowFromTop, rowFromTop / 32);
    colour.blue = static_cast<std::uint8_t>((column / 32) % 8 * 32 + (rowFromTop / 32) % 4 * 8);
    return colour;
}

TestColour testPicturePixel(int column, int rowFromTop, int bitCount) {
    const TestColour colour = testPicturePixel(column, rowFromTop);
    if (bitCount != 16) return colour;
    return {widenedFiveBits(fiveBits(colour.red)), widenedFiveBits(fiveBits(colour.green)),
            widenedFiveBits(fiveBits(colour.blue))};
}

std::size_t testPictureStride(int width, int bitCount) {
    return static_cast<std::size_t>((width * bitCount + 31) / 32 * 4);
}

std::vector<std::uint8_t> testPictureBuffer(int width, int height, int bitCount) {
    if (width <= 0 || height <= 0 || width > testPictureMaxSide || height > testPictureMaxSide ||
        (bitCount != 16 && bitCount != 24 && bitCount != 32)) {
        throw std::invalid_argument("test picture of " + std::to_string(width) + "x" +
                                    std::to_string(height) + "x" + std::to_string(bitCount));
    }
    const std::size_t stride = testPictureStride(width, bitCount);
    const std::size_t rows = static_cast<std::size_t>(height);
    std::vector<std::uint8_t> bytes(testPictureHeaderSize + stride * rows, 0);

    // Written field by field, so the layout does not depend on a compiler's struct packing.
    putLittleEndian(bytes, 0, static_cast<std::uint32_t>(testPictureHeaderSize), 4);  // biSize
    putLittleEndian(bytes, 4, static_cast<std::uint32_t>(width), 4);                  // biWidth
    putLittleEndian(bytes, 8, static_cast<std::uint32_t>(height), 4);                 // biHeight
    putLittleEndian(bytes, 12, 1, 2);                                                 // biPlanes
    putLittleEndian(bytes, 14, static_cast<std::uint32_t>(bitCount), 2);              // biBitCount
    putLittleEndian(bytes, 20, static_cast<std::uint32_t>(stride * rows), 4);         // biSizeImage
    // biCompression (BI_RGB), the resolutions and the colour counts stay 0.

    const std::size_t pixelBytes = static_cast<std::size_t>(bitCount / 8);
    for (int rowFromTop = 0; rowFromTop < height; ++rowFromTop) {
        // Bottom-up: the top row is the last one stored.
        const std::size_t rowStart =
            testPictureHeaderSize + stride * static_cast<std::size_t>(height - 1 - rowFromTop);
        for (int column = 0; column < width; ++column) {
            const TestColour colour = testPicturePixel(column, rowFromTop);
            const std::size_t at = rowStart + pixelBytes * static_cast<std::size_t>(column);
            if (bitCount == 16) {
                const std::uint32_t word =
                    (fiveBits(colour.red) << 10) | (fiveBits(colour.green) << 5) | fiveBits(colour.blue);
                putLittleEndian(bytes, at, word, 2);
            } else {
                // The fourth byte of a 32-bit pixel stays 0.
                bytes[at] = colour.blue;
                bytes[at + 1] = colour.green;
                bytes[at + 2] = colour.red;
            }
        }
    }
    return bytes;
}

std::uint32_t testChecksum(const std::uint8_t* bytes, std::size_t count) {
    std::uint32_t hash = 2166136261u;
    for (std::size_t i = 0; i < count; ++i) {
        hash ^= bytes[i];
        hash *= 16777619u;
    }
    return hash;
}

std::string testChecksumText(const std::uint8_t* bytes, std::size_t count) {
    char text[9];
    std::snprintf(text, sizeof text, "%08lx", static_cast<unsigned long>(testChecksum(bytes, count)));
    return text;
}

std::string countingBytes(std::size_t count) {
    std::string bytes(count, '\0');
    for (std::size_t i = 0; i < count; ++i) bytes[i] = static_cast<char>((i * 7 + i / 251) & 0xFF);
    return bytes;
}

}  // namespace pelmora::test
