// The library may import from Windows' own DLLs only: it ships alone, beside no runtime DLLs.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "SupportLibrary.h"

namespace pelmora::test {
namespace {

std::vector<std::string> importedLibraries() {
    const auto* base = reinterpret_cast<const BYTE*>(supportLibrary());
    const auto& dos = *reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
    const auto& nt = *reinterpret_cast<const IMAGE_NT_HEADERS64*>(base + dos.e_lfanew);
    const auto& entry = nt.OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    std::vector<std::string> names;
    for (auto* descriptor = reinterpret_cast<const IMAGE_IMPORT_DESCRIPTOR*>(base + entry.VirtualAddress);
         descriptor->Name != 0; ++descriptor) {
        names.emplace_back(reinterpret_cast<const char*>(base + descriptor->Name));
    }
    return names;
}

std::wstring systemFolder() {
    wchar_t folder[MAX_PATH]{};
    GetSystemDirectoryW(folder, MAX_PATH);
    return folder;
}

TEST(ImportTable, NamesOnlyLibrariesOfTheSystemFolder) {
    const auto libraries = importedLibraries();
    ASSERT_FALSE(libraries.empty());
    for (const auto& library : libraries) {
        const std::wstring path = systemFolder() + L"\\" + std::wstring(library.begin(), library.end());
        EXPECT_NE(GetFileAttributesW(path.c_str()), INVALID_FILE_ATTRIBUTES) << library;
    }
}

}  // namespace
}  // namespace pelmora::test
