// The class path list file "Pelmora.cp": one jar name per line, relative to the "lib\" folder.
#pragma once

#include <istream>
#include <string>
#include <vector>

namespace pelmora {

// The non-empty lines of the list, in order and exactly as read (no trimming, no comments). Reading stops at
// the first failed read; a last line without a final line feed still counts.
std::vector<std::wstring> readClassPathList(std::wistream& in);

}  // namespace pelmora
