// The text a deferred custom action gets from the package (CustomActionData): names separated by ';'.
#pragma once

#include <algorithm>
#include <string>
#include <string_view>
#include <vector>

namespace pelmora::setup {

// The names in order; empty ones are dropped.
inline std::vector<std::wstring> splitActionData(std::wstring_view data) {
    std::vector<std::wstring> names;
    while (!data.empty()) {
        const std::size_t end = std::min(data.find(L';'), data.size());
        if (end > 0) names.emplace_back(data.substr(0, end));
        data.remove_prefix(std::min(end + 1, data.size()));
    }
    return names;
}

}  // namespace pelmora::setup
