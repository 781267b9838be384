// documentOpened: the file joins the shell's recent documents, a shortcut to it in the user's Recent folder.
#include <gtest/gtest.h>

#include <objbase.h>
#include <shlobj.h>

#include <set>
#include <string>

#include <pelmora/Win32Handles.h>

#include "JvmFixture.h"
#include "SupportLibrary.h"
#include "TestFiles.h"

namespace pelmora::test {
namespace {

std::wstring recentFolder() {
    wchar_t folder[MAX_PATH]{};
    SHGetFolderPathW(nullptr, CSIDL_RECENT, nullptr, SHGFP_TYPE_CURRENT, folder);
    return folder;
}

struct FindTraits {
    using Handle = HANDLE;
    static Handle invalid() { return INVALID_HANDLE_VALUE; }
    static void close(Handle search) { FindClose(search); }
};
using FindHandle = UniqueHandle<FindTraits>;

std::set<std::wstring> shortcutsIn(const std::wstring& folder) {
    std::set<std::wstring> names;
    WIN32_FIND_DATAW found{};
    const FindHandle search(FindFirstFileW((folder + L"\\*.lnk").c_str(), &found));
    if (!search) return names;
    do {
        names.insert(found.cFileName);
    } while (FindNextFileW(search.get(), &found));
    return names;
}

// The path a shortcut file points to, read through the shell's own link object.
std::wstring targetOf(const std::wstring& shortcut) {
    std::wstring target;
    IShellLinkW* link = nullptr;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                reinterpret_cast<void**>(&link)))) {
        return L"<no shell link object>";
    }
    IPersistFile* file = nullptr;
    if (SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)))) {
        wchar_t path[MAX_PATH]{};
        if (SUCCEEDED(file->Load(shortcut.c_str(), STGM_READ)) &&
            SUCCEEDED(link->GetPath(path, MAX_PATH, nullptr, 0))) {
            target = path;
        }
        file->Release();
    }
    link->Release();
    return target;
}

// Windows paths compare without regard to case.
std::wstring upperCase(std::wstring path) {
    CharUpperBuffW(path.data(), static_cast<DWORD>(path.size()));
    return path;
}

class RecentDocuments : public JvmFixture {
  protected:
    void SetUp() override {
        ASSERT_TRUE(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)));
        fileName_ = L"Pelmora recent game " + std::to_wstring(GetCurrentProcessId()) + L".sgf";
        path_ = folder_.createFile(fileName_, "(;GM[1]FF[4]SZ[19])");
        ASSERT_TRUE(fileExists(path_));
        before_ = shortcutsIn(recentFolder());
    }
    void TearDown() override {
        for (const auto& name : shortcutsIn(recentFolder())) {
            if (before_.count(name) == 0) DeleteFileW((recentFolder() + L"\\" + name).c_str());
        }
        CoUninitialize();
    }

    std::set<std::wstring> newShortcuts() const {
        std::set<std::wstring> added;
        for (const auto& name : shortcutsIn(recentFolder())) {
            if (before_.count(name) == 0) added.insert(name);
        }
        return added;
    }

    TempFolder folder_{L"pelmora-recent"};
    std::wstring fileName_;
    std::wstring path_;
    std::set<std::wstring> before_;
};

// Wine 8 stores the target of a shortcut made from a UTF-16 path as if the path were 8-bit text (only its
// first letter survives); Windows stores the path. Under Wine only the shortcut's name shows the path.
bool runningOnWine() {
    return GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "wine_get_version") != nullptr;
}

TEST_F(RecentDocuments, OpenedDocumentGetsAShortcutToIt) {
    WINDOWS_UTIL(documentOpened)
    (jvm_.env(), nullptr, jvm_.string(std::u16string(path_.begin(), path_.end())));

    const auto added = newShortcuts();
    ASSERT_EQ(added.size(), 1u);
    const std::wstring shortcut = *added.begin();
    EXPECT_EQ(upperCase(shortcut), upperCase(fileName_ + L".lnk"));
    if (!runningOnWine()) {
        EXPECT_EQ(upperCase(targetOf(recentFolder() + L"\\" + shortcut)), upperCase(path_));
    }
}

TEST_F(RecentDocuments, NoPathAddsNothingAndClearsNothing) {
    WINDOWS_UTIL(documentOpened)
    (jvm_.env(), nullptr, jvm_.string(std::u16string(path_.begin(), path_.end())));
    ASSERT_EQ(newShortcuts().size(), 1u);
    WINDOWS_UTIL(documentOpened)(jvm_.env(), nullptr, nullptr);
    EXPECT_EQ(newShortcuts().size(), 1u);
    EXPECT_EQ(shortcutsIn(recentFolder()).size(), before_.size() + 1);
}

}  // namespace
}  // namespace pelmora::test
