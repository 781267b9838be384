// The handler's checks of the thumbnail image buffer that another process hands over, and the bitmap's
// size: any byte string is a buffer. An accepted buffer must hold stride x height bytes after the 40-byte
// header (the last byte of every row is read, as the drawing reads it, so a short buffer is an over-read the
// address sanitizer reports), it must declare the picture its header holds, and every buffer the format
// allows must be accepted. The bitmap's size never exceeds the picture or the request and is at least one
// pixel, for a few fixed requests and for the one the fuzzer puts in the header's resolution fields, which
// the checks ignore.
#include "FuzzInput.h"
#include "ThumbnailBuffer.h"

#include <cstdint>

namespace pelmora::thumb {
namespace {

using fuzz::check;

std::uint32_t field(const std::uint8_t* bytes, std::size_t offset, std::size_t size) {
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < size; ++i) value |= static_cast<std::uint32_t>(bytes[offset + i]) << (8 * i);
    return value;
}

using Wide = unsigned __int128;

// Bytes per row as the format defines it, in 128 bits so nothing can overflow.
Wide formatStride(std::int32_t width, std::uint32_t bitCount) {
    return (static_cast<Wide>(width) * bitCount + 31) / 32 * 4;
}

// The format, written out from its description: BITMAPINFOHEADER of 40 bytes, a picture of at least one
// pixel, one plane, 16, 24 or 32 bits, BI_RGB, no colour table, and every row present.
bool formatAllows(const std::uint8_t* bytes, std::size_t length) {
    if (length < thumbnailHeaderSize) return false;
    const auto width = static_cast<std::int32_t>(field(bytes, 4, 4));
    const auto height = static_cast<std::int32_t>(field(bytes, 8, 4));
    const std::uint32_t bitCount = field(bytes, 14, 2);
    if (field(bytes, 0, 4) != 40 || width < 1 || height < 1 || field(bytes, 12, 2) != 1) return false;
    if (bitCount != 16 && bitCount != 24 && bitCount != 32) return false;
    if (field(bytes, 16, 4) != 0 || field(bytes, 32, 4) != 0) return false;
    return thumbnailHeaderSize + formatStride(width, bitCount) * static_cast<Wide>(height) <= length;
}

// Where the rows' bytes go, so that reading them cannot be left out.
volatile std::uint8_t lastRowByte;

// Reads the last byte of every row, as StretchDIBits reads the rows.
void touchEveryRow(const std::uint8_t* bytes, const ThumbnailPicture& picture) {
    for (std::uint64_t row = 0; row < static_cast<std::uint64_t>(picture.height); ++row) {
        lastRowByte = bytes[thumbnailHeaderSize + row * picture.stride + picture.stride - 1];
    }
}

void checkSize(const ThumbnailPicture& picture, std::int32_t requestedWidth, std::int32_t requestedHeight) {
    if (requestedWidth < 1 || requestedHeight < 1) return;  // the handler refuses these before it asks
    const ThumbnailSize size = thumbnailSize(picture, requestedWidth, requestedHeight);
    check(size.width >= 1 && size.height >= 1, "the bitmap has at least one pixel");
    check(size.width <= picture.width && size.height <= picture.height, "the picture is never enlarged");
    check(size.width <= requestedWidth && size.height <= requestedHeight, "the bitmap fits the request");
    check(size.width == requestedWidth || size.width == picture.width, "the width is squeezed only to fit");
    check(size.height == requestedHeight || size.height == picture.height,
          "the height is squeezed only to fit");
}

}  // namespace
}  // namespace pelmora::thumb

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace pelmora::thumb;
    using pelmora::fuzz::check;
    const auto picture = readThumbnailPicture(data, size);
    check(picture.has_value() == formatAllows(data, size), "accepted exactly when the format allows it");
    if (!picture) return 0;

    check(picture->width == static_cast<std::int32_t>(field(data, 4, 4)), "the header's width");
    check(picture->height == static_cast<std::int32_t>(field(data, 8, 4)), "the header's height");
    check(picture->bitCount == field(data, 14, 2), "the header's bit count");
    check(picture->stride == formatStride(picture->width, picture->bitCount), "the format's stride");
    check(
        thumbnailHeaderSize + static_cast<Wide>(picture->stride) * static_cast<Wide>(picture->height) <= size,
        "an accepted buffer holds stride x height bytes after the header");
    touchEveryRow(data, *picture);

    for (const std::int32_t side : {1, 2, 96, 256, 0x7FFFFFFF}) checkSize(*picture, side, side);
    checkSize(*picture, static_cast<std::int32_t>(field(data, 24, 4)),
              static_cast<std::int32_t>(field(data, 28, 4)));
    return 0;
}
