// The version resource Explorer shows in the file's properties.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ModulePaths.h"
#include "SupportLibrary.h"

namespace pelmora::test {
namespace {

class VersionResource : public ::testing::Test {
  protected:
    void SetUp() override {
        const std::wstring path = modulePath(supportLibrary());
        const DWORD size = GetFileVersionInfoSizeW(path.c_str(), nullptr);
        ASSERT_GT(size, 0u);
        block_.resize(size);
        ASSERT_TRUE(GetFileVersionInfoW(path.c_str(), 0, size, block_.data()));
    }

    std::wstring text(const wchar_t* name) {
        const std::wstring query = std::wstring(L"\\StringFileInfo\\040904e4\\") + name;
        void* value = nullptr;
        UINT length = 0;
        if (!VerQueryValueW(block_.data(), query.c_str(), &value, &length) || length == 0)
            return L"<missing>";
        return static_cast<const wchar_t*>(value);
    }

    std::vector<BYTE> block_;
};

TEST_F(VersionResource, DescribesTheSupportLibrary) {
    EXPECT_EQ(text(L"FileDescription"), L"Pelmora Windows Support");
    EXPECT_EQ(text(L"OriginalFilename"), L"PelmoraWin64.dll");
    EXPECT_EQ(text(L"FileVersion"), L"1.0.2");
    EXPECT_EQ(text(L"ProductVersion"), L"2.3");
}

TEST_F(VersionResource, FixedPartMatchesTheTexts) {
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueW(block_.data(), L"\\", reinterpret_cast<void**>(&fixed), &length));
    ASSERT_GE(length, sizeof(VS_FIXEDFILEINFO));
    EXPECT_EQ(fixed->dwFileType, static_cast<DWORD>(VFT_DLL));
    EXPECT_EQ(fixed->dwFileVersionMS, MAKELONG(0, 1));
    EXPECT_EQ(fixed->dwFileVersionLS, MAKELONG(0, 2));
    EXPECT_EQ(fixed->dwProductVersionMS, MAKELONG(3, 2));
}

}  // namespace
}  // namespace pelmora::test
