#include "ModulePaths.h"

namespace pelmora::test {

std::wstring modulePath(HMODULE module) {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = GetModuleFileNameW(module, path.data(), static_cast<DWORD>(path.size()));
        if (length < path.size()) {
            path.resize(length);
            return path;
        }
        path.resize(path.size() * 2);
    }
}

std::wstring programPath() {
    return modulePath(nullptr);
}

std::wstring binaryFolder() {
    const std::wstring path = programPath();
    return path.substr(0, path.rfind(L'\\'));
}

}  // namespace pelmora::test
