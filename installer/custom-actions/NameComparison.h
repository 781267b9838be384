// Names that Windows compares without regard to case: file paths, ProgIDs.
#pragma once

#include <algorithm>
#include <string_view>

namespace pelmora::setup {

// ASCII letters match either case; other letters only exactly (both sides of every comparison here come
// from the same source of names: the file system's, or the package's own).
inline bool equalIgnoringCase(std::wstring_view left, std::wstring_view right) {
    const auto folded = [](wchar_t c) {
        return c >= L'a' && c <= L'z' ? static_cast<wchar_t>(c - L'a' + L'A') : c;
    };
    return std::equal(left.begin(), left.end(), right.begin(), right.end(),
                      [&](wchar_t a, wchar_t b) { return folded(a) == folded(b); });
}

}  // namespace pelmora::setup
