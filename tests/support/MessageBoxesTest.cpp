// Message boxes of this process, shown from a second thread, read and closed through MessageBoxes and
// through the msgbox-reader tool running as another process.
#include "MessageBoxes.h"

#include <pelmora/Win32Handles.h>

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

std::wstring ownFolder() {
    wchar_t path[MAX_PATH];
    const std::wstring self(path, GetModuleFileNameW(nullptr, path, MAX_PATH));
    return self.substr(0, self.rfind(L'\\'));
}

struct ToolRun {
    DWORD exitCode = 0;
    std::string output;
};

// Runs msgbox-reader.exe with the arguments and collects its standard output through a pipe.
ToolRun runReader(const std::wstring& arguments) {
    ToolRun run;
    SECURITY_ATTRIBUTES inheritable{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
    KernelHandle readEnd;
    KernelHandle writeEnd;
    if (!CreatePipe(readEnd.receive(), writeEnd.receive(), &inheritable, 0)) return run;
    SetHandleInformation(readEnd.get(), HANDLE_FLAG_INHERIT, 0);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = writeEnd.get();
    startup.hStdError = writeEnd.get();
    std::wstring commandLine = L"\"" + ownFolder() + L"\\msgbox-reader.exe\" " + arguments;
    PROCESS_INFORMATION started{};
    if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup,
                        &started)) {
        return run;
    }
    const KernelHandle process(started.hProcess);
    const KernelHandle thread(started.hThread);
    // Only the child holds the write end now: reading ends when the child does.
    writeEnd.reset();
    char buffer[512];
    DWORD read = 0;
    while (ReadFile(readEnd.get(), buffer, sizeof buffer, &read, nullptr) && read > 0)
        run.output.append(buffer, read);
    WaitForSingleObject(process.get(), 60000);
    GetExitCodeProcess(process.get(), &run.exitCode);
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
