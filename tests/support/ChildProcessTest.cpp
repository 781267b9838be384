// Child processes with and without their standard streams read. msgbox-reader serves as the child: without
// arguments it prints its usage on standard output and exits 2.
#include "ChildProcess.h"

#include "ModulePaths.h"

#include <gtest/gtest.h>

#include <optional>
#include <stdexcept>
#include <string>

namespace pelmora::test {
namespace {

std::wstring reader() {
    return binaryFolder() + L"\\msgbox-reader.exe";
}

TEST(ChildProcess, CapturedOutputIsCompleteOnceTheChildHasEnded) {
    ChildProcess child = ChildProcess::start(reader(), L"", L"", {}, Capture::output);
    EXPECT_EQ(child.waitForExit(60000), std::optional<DWORD>(2));
    EXPECT_EQ(child.output().rfind("usage: msgbox-reader <process id> [timeout ms]\n", 0), 0u)
        << child.output();
    EXPECT_FALSE(child.running());
}

TEST(ChildProcess, WithoutCaptureThereIsNoOutput) {
    ChildProcess child = ChildProcess::start(reader(), L"", L"", {{L"PELMORA_UNUSED", L"1"}});
    EXPECT_EQ(child.waitForExit(60000), std::optional<DWORD>(2));
    EXPECT_EQ(child.output(), "");
}

TEST(ChildProcess, AMissingProgramThrows) {
    EXPECT_THROW(ChildProcess::start(binaryFolder() + L"\\no-such-program.exe", L"", L""),
                 std::runtime_error);
}

}  // namespace
}  // namespace pelmora::test
