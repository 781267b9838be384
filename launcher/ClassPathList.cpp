#include "ClassPathList.h"

namespace pelmora {

std::vector<std::wstring> readClassPathList(std::wistream& in) {
    std::vector<std::wstring> entries;
    std::wstring line;
    while (in.good() && std::getline(in, line)) {
        if (!line.empty()) entries.push_back(line);
    }
    return entries;
}

}  // namespace pelmora
