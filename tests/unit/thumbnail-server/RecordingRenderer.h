// What the extractor objects handed to the (recording) renderer, and what it gives back next.
#pragma once

#include <cstdint>
#include <string>

namespace pelmora::thumbsrv {

struct RenderCall {
    enum class Variant { none, text, bytes };
    Variant variant = Variant::none;
    std::string bytes;
    std::wstring text;
    std::uint16_t x = 0;
    std::uint16_t y = 0;
};

extern RenderCall lastRenderCall;
extern int renderCallCount;
// The image the next call returns, unless nextImageIsNull.
extern std::string nextImage;
extern bool nextImageIsNull;

}  // namespace pelmora::thumbsrv
