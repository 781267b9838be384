#include "SupportLibrary.h"

#include <stdexcept>
#include <string>

#include "ModulePaths.h"

namespace pelmora::test {

HMODULE supportLibrary() {
    static const HMODULE library = [] {
        const std::wstring path = binaryFolder() + L"\\PelmoraWin64.dll";
        const HMODULE loaded = LoadLibraryW(path.c_str());
        if (loaded == nullptr)
            throw std::runtime_error("cannot load PelmoraWin64.dll beside the test program");
        return loaded;
    }();
    return library;
}

void* supportExport(const char* name) {
    return reinterpret_cast<void*>(GetProcAddress(supportLibrary(), name));
}

void throwMissingExport(const char* name) {
    throw std::runtime_error(std::string("PelmoraWin64.dll does not export ") + name);
}

}  // namespace pelmora::test
