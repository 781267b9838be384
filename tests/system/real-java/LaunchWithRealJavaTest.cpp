// The launcher against real Java: the build's Pelmora2 runs in an OpenJDK process behind the bridge runtime
// and tells on its standard output, which the bridge hands to the launcher's, what it received and opened.
#include "ChildProcess.h"
#include "MessageBoxes.h"
#include "ModulePaths.h"
#include "RealJavaSamples.h"
#include "RegistryFixture.h"
#include "ServerInstallation.h"
#include "TestFiles.h"
#include "Utf8Text.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace pelmora::test {
namespace {

constexpr DWORD launchLimitMs = 60000;

// The application's lines without their "Pelmora2: " prefix, in order.
std::vector<std::string> applicationLines(const std::string& output) {
    static const std::string prefix = "Pelmora2: ";
    std::vector<std::string> lines;
    for (std::string& line : splitLines(output)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.compare(0, prefix.size(), prefix) == 0) lines.push_back(line.substr(prefix.size()));
    }
    return lines;
}

// A string as the application's log quotes it.
std::string quoted(const std::wstring& text) {
    std::string result = "\"";
    for (char c : toUtf8(text)) {
        if (c == '\\' || c == '"') result += '\\';
        result += c;
    }
    return result + "\"";
}

bool startsWith(const std::string& text, const std::string& prefix) {
    return text.compare(0, prefix.size(), prefix) == 0;
}

// The hand-off waits until main runs, so that the log has a fixed order: commands delivered between the
// JVM's creation and the call of main would be logged before main's first lines.
void waitForMainToRun(const ChildProcess& launcher) {
    for (int i = 0; i < 600; ++i) {
        if (launcher.output().find("Pelmora2: main [") != std::string::npos) return;
        Sleep(100);
    }
    FAIL() << "main did not start: " << launcher.output();
}

class LaunchWithRealJavaTest : public ::testing::Test {
  protected:
    void SetUp() override {
        copyFile(binaryFolder() + L"\\Pelmora64.exe", launcherPath);
        registry.setString(HKEY_LOCAL_MACHINE, L"Software\\Pelmora2\\install", L"language", L"fr");
        for (const auto& sample : sampleRecords())
            copyFile(samplePath(sample.fileName), documents / sample.fileName);
    }

    ChildProcess launch(const std::wstring& tail, Capture capture = Capture::nothing) {
        return ChildProcess::start(launcherPath, tail, documents.path(), {}, capture);
    }

    // The Java side and the bridge runtime as the thumbnail server would have them, the launcher beside.
    ServerInstallation installation{L"pelmora real java", PrivateJava::installed, JavaSide::real};
    std::wstring launcherPath = installation.folder() / L"Pelmora64.exe";
    TempFolder documents{L"real java documents"};
    RegistryFixture registry;
};

TEST_F(LaunchWithRealJavaTest, RunsTheApplicationTakesAHandOffAndEndsOnQuit) {
    auto first = launch(L"\"Short 9x9 Game.sgf\"", Capture::outputAndError);
    waitForMainToRun(first);
    auto second = launch(L"\"19x19 Position.sgf\"");
    EXPECT_EQ(second.waitForExit(launchLimitMs), std::optional<DWORD>(0));
    auto quit = launch(L"-command quit");
    EXPECT_TRUE(quit.waitForExit(launchLimitMs));
    ASSERT_EQ(first.waitForExit(launchLimitMs), std::optional<DWORD>(0)) << first.output();

    const auto lines = applicationLines(first.output());
    ASSERT_EQ(lines.size(), 10u) << first.output();
    // The installation folder, as the Linux side sees it.
    EXPECT_TRUE(startsWith(lines[0], "root \"/")) << lines[0];
    EXPECT_NE(lines[0].find("/pelmora real java"), std::string::npos) << lines[0];
    EXPECT_EQ(lines[1], "language \"fr\"");
    // Pelmora.jar first, then one lib\ entry per line of Pelmora.cp, from the installation folder.
    std::string classPath = "class path [\"./Pelmora.jar\"";
    for (const auto& library : realJavaLibraries()) classPath += ", \"lib/" + toUtf8(library) + "\"";
    EXPECT_TRUE(startsWith(lines[2], classPath)) << lines[2];
    EXPECT_EQ(lines[3], "main [\"-delayexit\", \"-workdir\", " + quoted(documents.path()) +
                            ", \"-open\", \"Short 9x9 Game.sgf\", \"-endOpen\"]");
    EXPECT_TRUE(startsWith(lines[4], "opened \"Short 9x9 Game.sgf\" (file \"/")) << lines[4];
    EXPECT_NE(lines[4].find("): game \"Short game with a capture\", black \"Alice Marchand\", white \"Bruno "
                            "Åkesson\", board 9x9, moves 16"),
              std::string::npos)
        << lines[4];
    EXPECT_EQ(lines[5], "commands [\"-workdir\", " + quoted(documents.path()) +
                            ", \"-open\", \"19x19 Position.sgf\", \"-endOpen\"]");
    EXPECT_NE(lines[6].find("game \"Corner problem: the White group dies\", black \"Problem solver\", white "
                            "\"Problem setter\", board 19x19, moves 8"),
              std::string::npos)
        << lines[6];
    EXPECT_EQ(lines[7], "commands [\"quit\"]");
    EXPECT_EQ(lines[8], "quit");
    EXPECT_EQ(lines[9], "main returns");
}

TEST_F(LaunchWithRealJavaTest, AMissingMainClassIsAFatalErrorWithTheJavaStackTrace) {
    // A jar without the application: FindClass raises NoClassDefFoundError.
    installation.folder().createFile(L"Pelmora.jar",
                                     readFileBytes(binaryFolder() + L"\\java-bridge\\java-bridge.jar"));
    auto launcher = launch(L"\"Short 9x9 Game.sgf\"", Capture::outputAndError);
    const auto box = waitForMessageBox(launcher.id(), launchLimitMs);
    ASSERT_TRUE(box);
    EXPECT_EQ(toUtf8(box->text),
              "Error in Pelmora launcher. Error while attempting to find Java class Pelmora2");
    EXPECT_EQ(launcher.waitForExit(launchLimitMs), std::optional<DWORD>(1));
    const std::string output = launcher.output();
    EXPECT_NE(output.find("Exception in thread \"main\" java.lang.NoClassDefFoundError: Pelmora2"),
              std::string::npos)
        << output;
    EXPECT_NE(output.find("Caused by: java.lang.ClassNotFoundException: Pelmora2"), std::string::npos)
        << output;
}

}  // namespace
}  // namespace pelmora::test
