// One thumbnail request: attach the calling thread to the JVM, call the renderer's static create, hand its
// byte array back unchanged as a BSTR (null for no image), detach.
#pragma once

#include <windows.h>

#include <oleauto.h>

#include <cstdint>

namespace pelmora::thumbsrv {

// The text (in this system the path of a game record) as a Java String of exactly length code units.
BSTR renderFromText(const wchar_t* text, std::uint32_t length, std::uint16_t x, std::uint16_t y);

// The bytes (the start of a game record) as a Java byte[] of count elements.
BSTR renderFromBytes(const std::uint8_t* bytes, std::uint32_t count, std::uint16_t x, std::uint16_t y);

}  // namespace pelmora::thumbsrv
