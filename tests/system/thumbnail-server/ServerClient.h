// The in-process side of a test that talks to the real server through COM, as the Explorer handler does.
#pragma once

#include "ComCalls.h"
#include "PelmoraThumbSrv.h"

#include <pelmora/com/ComPtr.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace pelmora::test {

// This thread in a single-threaded apartment for the length of a test.
class ComApartment {
  public:
    ComApartment() { EXPECT_EQ(CoInitialize(nullptr), S_OK); }
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;
    ~ComApartment() { CoUninitialize(); }
};

// IThumbExtractor::createImage with the path; the result of the call, the image in image.
inline HRESULT requestPathImage(IThumbExtractor* extractor, const wchar_t* path, unsigned short x,
                                unsigned short y, com::UniqueBstr& image) {
    com::UniqueBstr text(SysAllocString(path));
    BSTR textValue = text.get();
    return extractor->createImage(&textValue, x, y, image.receive());
}

inline std::vector<std::uint8_t> bytesOf(const com::UniqueBstr& image) {
    const auto* data = reinterpret_cast<const std::uint8_t*>(image.get());
    return std::vector<std::uint8_t>(data, data + SysStringByteLen(image.get()));
}

}  // namespace pelmora::test
