// documentOpened: the file joins the shell's recent documents, a shortcut to it in the user's Recent folder.
#include <gtest/gtest.h>

#include <objbase.h>
#include <shlobj.h>

#include <set>
#include <string>

#include <pelmora/Win32Handles.h>

#include "SupportLibrary.h"
#include "TestJvm.h"

namespace pelmora::test {
namespace {

std::wstring recentFolder() {
    wchar_t folder[MAX_PATH]{};
    SHGetFolderPathW(nullptr, CSIDL_RECENT, nullptr, SHGFP_TYPE_CURRENT, folder);
    return folder;
}

std::set<std::wstring> shortcutsIn(const std::wstring& folder) {
    std::set<std::wstring> names;
    WIN32_FIND_DATAW found{};
    const HANDLE search = FindFirstFileW((folder + L"\\*.lnk").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return names;
    do {
        names.insert(found.cFileName);
    } while (FindNextFileW(search, &found));
    FindClose(search);
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

class RecentDocuments : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)));
        wchar_t temp[MAX_PATH]{};
        GetTempPathW(MAX_PATH, temp);
        fileName_ = L"Pelmora recent game " + std::to_wstring(GetCurrentProcessId()) + L".sgf";
        path_ = std::wstring(temp) + fileName_;
        const FileHandle file(CreateFileW(path_.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                          FILE_ATTRIBUTE_NORMAL, nullptr));
        ASSERT_TRUE(file);
        const char game[] = "(;GM[1]FF[4]SZ[19])";
        DWORD written = 0;
        WriteFile(file.get(), game, sizeof game - 1, &written, nullptr);
        before_ = shortcutsIn(recentFolder());
    }
    void TearDown() override {
        for (const auto& name : shortcutsIn(recentFolder())) {
            if (before_.count(name) == 0) DeleteFileW((recentFolder() + L"\\" + name).c_str());
        }
        DeleteFileW(path_.c_str());
        CoUninitialize();
    }

    std::set<std::wstring> newShortcuts() const {
        std::set<std::wstring> added;
        for (const auto& name : shortcutsIn(recentFolder())) {
            if (before_.count(name) == 0) added.insert(name);
        }
        return added;
    }

    TestJvm& jvm_ = TestJvm::instance();
    LocalFrame frame_;
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
