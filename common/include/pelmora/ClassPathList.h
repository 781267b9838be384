// The class path list file ("Pelmora.cp"): one jar name per line, relative to the "lib\" folder. The launcher
// and the thumbnail server read it with this one reader, from the file's bytes.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace pelmora {

// The non-empty lines of the list, in order and exactly as read: each byte is one character, a line ends at a
// line feed, and a carriage return right before a line feed is dropped, as a text-mode read drops it. A last
// line without a final line feed still counts. No trimming, no comments, no length limit.
inline std::vector<std::string> readClassPathList(std::string_view bytes) {
    std::vector<std::string> entries;
    while (!bytes.empty()) {
        const std::size_t end = bytes.find('\n');
        std::string_view line = bytes.substr(0, end);
        if (end != std::string_view::npos && !line.empty() && line.back() == '\r') line.remove_suffix(1);
        if (!line.empty()) entries.emplace_back(line);
        bytes.remove_prefix(end == std::string_view::npos ? bytes.size() : end + 1);
    }
    return entries;
}

// The text with each byte widened to one UTF-16 code unit of the same value.
inline std::wstring widenEachByte(std::string_view text) {
    std::wstring wide(text.size(), L'\0');
    for (std::size_t i = 0; i < text.size(); ++i) wide[i] = static_cast<unsigned char>(text[i]);
    return wide;
}

}  // namespace pelmora
