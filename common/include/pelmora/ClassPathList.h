// The class path list file ("Pelmora.cp"): one jar name per line, relative to the "lib\" folder. The launcher
// reads it as wide text, the thumbnail server as narrow text; both use this one reader.
#pragma once

#include <istream>
#include <string>
#include <vector>

namespace pelmora {

// The non-empty lines of the list, in order and exactly as read (no trimming, no comments, no length limit).
// Reading stops at the first failed read; a last line without a final line feed still counts. A carriage
// return is part of the line: open the file in text mode to drop it.
template <class CharT, class Traits>
std::vector<std::basic_string<CharT, Traits>> readClassPathList(std::basic_istream<CharT, Traits>& in) {
    std::vector<std::basic_string<CharT, Traits>> entries;
    std::basic_string<CharT, Traits> line;
    while (in.good() && std::getline(in, line)) {
        if (!line.empty()) entries.push_back(line);
    }
    return entries;
}

}  // namespace pelmora
