// A fresh start: the installation, the launch settings and the JVM choice as the Java side sees them.
#include "LauncherFixture.h"

namespace pelmora::test {
namespace {

using Strings = std::vector<std::wstring>;

class LauncherStart : public LauncherFixture {};

TEST_F(LauncherStart, MainReceivesTheDocumentsAndTheJvmTheSettings) {
    installLauncher();
    installPrivateRuntime();
    writeFile(appFolder + L"\\Pelmora.cp", "a.jar\r\n\r\nb.jar");
    auto launcher = launch(L"a.sgf \"b b.sgf\"", L"main=return");
    EXPECT_EQ(exitCodeOf(launcher), 0u);

    const auto created = creation();
    ASSERT_TRUE(created);
    EXPECT_EQ(created->version, L"0x000a0000");
    EXPECT_EQ(created->ignoreUnrecognized, L"0");
    EXPECT_EQ(created->options, (Strings{L"-Dpelmora.root=" + appFolder, expectedMaxHeapOption(),
                                         L"-Djava.class.path=.\\Pelmora.jar;lib\\a.jar;lib\\b.jar;"}));
    EXPECT_EQ(created->module, appFolder + L"\\jre\\bin\\client\\jvm.dll");

    const auto mains = callsOf(L"main");
    ASSERT_EQ(mains.size(), 1u);
    EXPECT_EQ(mains[0].arguments, (Strings{L"-delayexit", L"-workdir", startFolder, L"-open", L"a.sgf",
                                           L"b b.sgf", L"-endOpen"}));
    EXPECT_TRUE(callsOf(L"commands").empty());
    EXPECT_TRUE(logHas(L"findclass name=Pelmora2 found=1"));
    EXPECT_TRUE(logHas(L"destroy "));
}

TEST_F(LauncherStart, NoArgumentsAndTheLanguageSetting) {
    installLauncher();
    installPrivateRuntime(L"server");
    setLanguage(L"de");
    auto launcher = launch(L"");
    EXPECT_EQ(exitCodeOf(launcher), 0u);
    const auto created = creation();
    ASSERT_TRUE(created);
    EXPECT_EQ(created->options, (Strings{L"-Dpelmora.root=" + appFolder, L"-Dpelmora.language=de",
                                         expectedMaxHeapOption(), L"-Djava.class.path=.\\Pelmora.jar;"}));
    EXPECT_EQ(created->module, appFolder + L"\\jre\\bin\\server\\jvm.dll");
    const auto mains = callsOf(L"main");
    ASSERT_EQ(mains.size(), 1u);
    EXPECT_EQ(mains[0].arguments, (Strings{L"-delayexit", L"-workdir", startFolder, L"-open", L"-endOpen"}));
}

TEST_F(LauncherStart, ALanguageValueLongerThan129CharactersReadsAsEmpty) {
    installLauncher();
    installPrivateRuntime();
    const std::wstring longest(129, L'x');
    setLanguage(longest);
    auto fits = launch(L"");
    EXPECT_EQ(exitCodeOf(fits), 0u);
    ASSERT_TRUE(creation());
    EXPECT_EQ(creation()->options.at(1), L"-Dpelmora.language=" + longest);

    DeleteFileW(logPath.c_str());
    setLanguage(std::wstring(200, L'y'));
    auto tooLong = launch(L"");
    EXPECT_EQ(exitCodeOf(tooLong), 0u);
    ASSERT_TRUE(creation());
    EXPECT_EQ(creation()->options.at(1), expectedMaxHeapOption());
}

TEST_F(LauncherStart, ALauncherInABinFolderUsesTheParentAsInstallation) {
    installLauncher(true);
    installPrivateRuntime();
    auto launcher = launch(L"");
    EXPECT_EQ(exitCodeOf(launcher), 0u);
    const auto created = creation();
    ASSERT_TRUE(created);
    EXPECT_EQ(created->options.front(), L"-Dpelmora.root=" + appFolder);
    EXPECT_EQ(created->module, appFolder + L"\\jre\\bin\\client\\jvm.dll");
}

TEST_F(LauncherStart, TheNewestAcceptableRegisteredRuntimeIsChosen) {
    installLauncher();
    registerRuntime(L"JRE", L"1.8.0_301", L"jre", {L"client", L"server"});
    registerRuntime(L"JRE", L"17", L"jre", {L"client", L"server"});
    registerRuntime(L"JDK", L"17", L"sdk", {L"client"});
    const std::wstring home21 = registerRuntime(L"JDK", L"21", L"sdk", {L"server"});
    auto launcher = launch(L"");
    EXPECT_EQ(exitCodeOf(launcher), 0u);
    const auto created = creation();
    ASSERT_TRUE(created);
    EXPECT_EQ(created->module, home21 + L"\\jre\\bin\\server\\jvm.dll");
}

TEST_F(LauncherStart, AtEqualVersionsARuntimesClientJvmWins) {
    installLauncher();
    registerRuntime(L"JDK", L"17.0.2", L"sdk", {L"client", L"server"});
    const std::wstring runtime =
        registerRuntime(L"Java Runtime Environment", L"17.0.2", L"jre", {L"client", L"server"});
    registerRuntime(L"JRE", L"11.0.2", L"jre", {L"client"});
    auto launcher = launch(L"");
    EXPECT_EQ(exitCodeOf(launcher), 0u);
    const auto created = creation();
    ASSERT_TRUE(created);
    EXPECT_EQ(created->module, runtime + L"\\bin\\client\\jvm.dll");
}

TEST_F(LauncherStart, APrivateRuntimeWinsOverTheRegistry) {
    installLauncher();
    installPrivateRuntime();
    registerRuntime(L"JRE", L"21", L"jre", {L"server"});
    auto launcher = launch(L"");
    EXPECT_EQ(exitCodeOf(launcher), 0u);
    const auto created = creation();
    ASSERT_TRUE(created);
    EXPECT_EQ(created->module, appFolder + L"\\jre\\bin\\client\\jvm.dll");
}

}  // namespace
}  // namespace pelmora::test
