// Message boxes of this process, shown from a second thread, read and closed through MessageBoxes and
// through the msgbox-reader tool running as another process.
#include "MessageBoxes.h"

#include "ChildProcess.h"
#include "ModulePaths.h"

#include <gtest/gtest.h>

#include <chrono>
#include <future>
#include <string>

namespace pelmora::test {
namespace {

const wchar_t boxCaption[] = L"Error in \"Pelmora\"";
const wchar_t boxText[] = L"Cannot find main class Pelmora2\nin Jürgen's \U0001D11E folder";

// Shows a box on its own thread; the box's answer arrives once it is closed.
std::future<int> showBox(const wchar_t* text, const wchar_t* caption) {
    return std::async(std::launch::async,
                      [=] { return MessageBoxW(nullptr, text, caption, MB_OK | MB_ICONWARNING); });
}

struct ToolRun {
    DWORD exitCode = 0;
    std::string output;
};

// Runs msgbox-reader.exe with the arguments and collects its standard output and error.
ToolRun runReader(const std::wstring& arguments) {
    ChildProcess reader = ChildProcess::start(binaryFolder() + L"\\msgbox-reader.exe", arguments, L"", {},
                                              Capture::outputAndError);
    ToolRun run;
    run.exitCode = reader.waitForExit(60000).value_or(STILL_ACTIVE);
    run.output = reader.output();
    return run;
}

TEST(MessageBoxesTest, ReadsCaptionAndTextAndClosesTheBox) {
    auto answer = showBox(boxText, boxCaption);
    const auto box = waitForMessageBox(GetCurrentProcessId(), 20000);
    ASSERT_TRUE(box.has_value());
    EXPECT_EQ(box->caption, boxCaption);
    EXPECT_EQ(box->text, boxText);
    ASSERT_EQ(answer.wait_for(std::chrono::seconds(10)), std::future_status::ready);
    EXPECT_EQ(answer.get(), IDOK);
    EXPECT_FALSE(anyMessageBox(GetCurrentProcessId()));
}

TEST(MessageBoxesTest, GivesUpWhenNoBoxAppears) {
    EXPECT_FALSE(anyMessageBox(GetCurrentProcessId()));
    const auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(waitForMessageBox(GetCurrentProcessId(), 300).has_value());
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
}

TEST(MessageBoxesTest, ReaderToolPrintsTheBoxOfAnotherProcessAsUtf8) {
    auto answer = showBox(boxText, boxCaption);
    const ToolRun run = runReader(std::to_wstring(GetCurrentProcessId()) + L" 20000");
    EXPECT_EQ(run.exitCode, 0u) << run.output;
    EXPECT_EQ(run.output,
              u8"caption=Error in \"Pelmora\"\n"
              u8"text=Cannot find main class Pelmora2\\nin Jürgen's \U0001D11E folder\n");
    ASSERT_EQ(answer.wait_for(std::chrono::seconds(10)), std::future_status::ready);
    EXPECT_EQ(answer.get(), IDOK);
}

TEST(MessageBoxesTest, ReaderToolFindsTheProcessByImageName) {
    auto answer = showBox(L"by image", L"caption");
    const ToolRun run = runReader(L"--image TEST_SUPPORT_TESTS.EXE 20000");
    EXPECT_EQ(run.exitCode, 0u) << run.output;
    EXPECT_EQ(run.output, "caption=caption\ntext=by image\n");
    ASSERT_EQ(answer.wait_for(std::chrono::seconds(10)), std::future_status::ready);
}

TEST(MessageBoxesTest, ReaderToolExitsOneWithoutABox) {
    const ToolRun run = runReader(std::to_wstring(GetCurrentProcessId()) + L" 300");
    EXPECT_EQ(run.exitCode, 1u);
    EXPECT_TRUE(run.output.empty()) << run.output;
}

}  // namespace
}  // namespace pelmora::test
