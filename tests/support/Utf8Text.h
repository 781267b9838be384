// UTF-16 texts of Windows as UTF-8 bytes and back.
#pragma once

#include <string>

namespace pelmora::test {

std::string toUtf8(const std::wstring& text);
std::wstring fromUtf8(const std::string& text);

}  // namespace pelmora::test
