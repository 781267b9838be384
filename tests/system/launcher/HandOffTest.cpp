// One running instance: later starts hand their command line over and end.
#include "LauncherFixture.h"

#include <chrono>

namespace pelmora::test {
namespace {

using Strings = std::vector<std::wstring>;

class LauncherHandOff : public LauncherFixture {
  protected:
    // A first instance whose main runs until a command "quit" arrives.
    ChildProcess startRunningInstance() {
        installLauncher();
        installPrivateRuntime();
        auto first = launch(L"first.sgf", L"main=wait:quit");
        waitForCommandWindow();
        return first;
    }

    void quit(ChildProcess& first) {
        auto command = launch(L"-command quit");
        EXPECT_EQ(exitCodeOf(command), 1u);
        EXPECT_EQ(exitCodeOf(first), 0u);
    }
};

TEST_F(LauncherHandOff, ASecondStartHandsItsArgumentsOverExactly) {
    auto first = startRunningInstance();
    const std::wstring otherFolder = root / L"Other \u00c9 Folder";
    createFolders(otherFolder);
    const auto started = std::chrono::steady_clock::now();
    auto second = launch(
        L"plain.sgf \"with blank.sgf\" \"say \\\"hi\\\"\" \"C:\\trailing\\\\\" \"caf\u00e9 \u56f2\u7881 "
        L"\U0001F600.sgf\" \"\"",
        L"", otherFolder);
    EXPECT_EQ(exitCodeOf(second), 0u);
    // A successful hand-off waits two seconds before it ends.
    EXPECT_GE(std::chrono::steady_clock::now() - started, std::chrono::milliseconds(1900));

    quit(first);
    const auto commands = callsOf(L"commands");
    ASSERT_EQ(commands.size(), 2u);
    EXPECT_EQ(commands[0].arguments,
              (Strings{L"-workdir", otherFolder, L"-open", L"plain.sgf", L"with blank.sgf", L"say \"hi\"",
                       L"C:\\trailing\\", L"caf\u00e9 \u56f2\u7881 \U0001F600.sgf", L"", L"-endOpen"}));
    EXPECT_EQ(commands[1].arguments, Strings{L"quit"});
    const auto mains = callsOf(L"main");
    ASSERT_EQ(mains.size(), 1u);
    // commands runs on the command window's thread, not on main's.
    EXPECT_NE(commands[0].thread, mains[0].thread);
    EXPECT_EQ(creation()->options.size(), 3u) << "the second start must not create a JVM";
}

TEST_F(LauncherHandOff, CommandSwitchInAnyCaseSendsItsTextUnsplit) {
    auto first = startRunningInstance();
    auto upper = launch(L"-COMMAND \"one two\" ignored");
    EXPECT_EQ(exitCodeOf(upper), 1u);
    auto mixed = launch(L"-CoMmAnD");
    EXPECT_EQ(exitCodeOf(mixed), 1u);
    quit(first);
    const auto commands = callsOf(L"commands");
    ASSERT_EQ(commands.size(), 3u);
    EXPECT_EQ(commands[0].arguments, (Strings{L"one", L"two"}));
    EXPECT_EQ(commands[1].arguments, Strings{}) << "-command without a text sends an empty one";
    EXPECT_EQ(commands[2].arguments, Strings{L"quit"});
}

TEST_F(LauncherHandOff, CommandSwitchElsewhereIsAnOrdinaryArgument) {
    auto first = startRunningInstance();
    auto second = launch(L"x.sgf -command other");
    EXPECT_EQ(exitCodeOf(second), 0u);
    quit(first);
    const auto commands = callsOf(L"commands");
    ASSERT_EQ(commands.size(), 2u);
    EXPECT_EQ(commands[0].arguments,
              (Strings{L"-workdir", startFolder, L"-open", L"x.sgf", L"-command", L"other", L"-endOpen"}));
}

TEST_F(LauncherHandOff, CommandWithoutARunningInstanceEndsWithOne) {
    installLauncher();
    installPrivateRuntime();
    auto command = launch(L"-command quit");
    EXPECT_EQ(exitCodeOf(command), 1u);
    EXPECT_FALSE(creation());
}

}  // namespace
}  // namespace pelmora::test
