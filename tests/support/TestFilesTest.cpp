// Temporary folders, whole files and their lines.
#include "TestFiles.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace pelmora::test {
namespace {

TEST(SplitLines, EndsLinesAtLineFeedsAndKeepsALastLineWithoutOne) {
    EXPECT_EQ(splitLines(""), std::vector<std::string>{});
    EXPECT_EQ(splitLines("one\n"), std::vector<std::string>{"one"});
    EXPECT_EQ(splitLines("one\n\ntwo\r\nthree"), (std::vector<std::string>{"one", "", "two\r", "three"}));
}

TEST(TempFolder, HoldsCreatedFilesAndFoldersAndIsGoneAtTheEnd) {
    std::wstring path;
    {
        const TempFolder folder(L"support-test");
        path = folder.path();
        EXPECT_TRUE(fileExists(path));
        EXPECT_EQ(folder.createFile(L"a\\b.txt", "x\r\ny"), path + L"\\a\\b.txt");
        EXPECT_EQ(readFileBytes(folder / L"a\\b.txt"), "x\r\ny");
        EXPECT_EQ(readUtf8Lines(folder / L"a\\b.txt"), (std::vector<std::wstring>{L"x", L"y"}));
        EXPECT_EQ(readFileBytes(folder.createFile(L"empty")), "");
        EXPECT_EQ(folder.createFolder(L"c\\d"), path + L"\\c\\d");
        EXPECT_TRUE(fileExists(folder / L"c\\d"));
        EXPECT_EQ(readFileBytes(folder / L"missing"), "");
    }
    EXPECT_FALSE(fileExists(path));
}

}  // namespace
}  // namespace pelmora::test
