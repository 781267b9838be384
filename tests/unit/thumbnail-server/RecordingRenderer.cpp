// Stands in for the JVM host in the object tests: records what the extractor objects pass and returns
// what the test prepared.
#include "RecordingRenderer.h"

#include "ThumbRenderer.h"

namespace pelmora::thumbsrv {

RenderCall lastRenderCall;
int renderCallCount = 0;
std::string nextImage;
bool nextImageIsNull = true;

namespace {

BSTR prepared() {
    if (nextImageIsNull) return nullptr;
    return SysAllocStringByteLen(nextImage.data(), static_cast<UINT>(nextImage.size()));
}

}  // namespace

BSTR renderFromText(const wchar_t* text, std::uint32_t length, std::uint16_t x, std::uint16_t y) {
    ++renderCallCount;
    lastRenderCall = {RenderCall::Variant::text, std::string(), std::wstring(text, length), x, y};
    return prepared();
}

BSTR renderFromBytes(const std::uint8_t* bytes, std::uint32_t count, std::uint16_t x, std::uint16_t y) {
    ++renderCallCount;
    lastRenderCall = {RenderCall::Variant::bytes, std::string(reinterpret_cast<const char*>(bytes), count),
                      std::wstring(), x, y};
    return prepared();
}

}  // namespace pelmora::thumbsrv
