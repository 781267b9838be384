#include "LaunchSettings.h"
#include "Properties.h"

#include <gtest/gtest.h>

#include <set>

namespace pelmora {
namespace {

struct FakeInstallation : InstallationView {
    std::set<std::wstring> paths;
    std::vector<std::wstring> entries;
    double memoryKb = 8.0 * 1024 * 1024;
    std::wstring language;

    bool pathExists(const std::wstring& path) const override { return paths.count(path) != 0; }
    std::vector<std::wstring> classPathEntries() const override { return entries; }
    double totalPhysicalMemoryKb() const override { return memoryKb; }
    std::wstring installSetting(const std::wstring& valueName) const override {
        return valueName == L"language" ? language : std::wstring();
    }
};

Properties settingsFor(const FakeInstallation& installation, const std::vector<std::wstring>& args) {
    Properties settings;
    settings.setFullPathAndNameOfExe(L"X:\\App\\bin\\Pelmora64.exe");
    applyLaunchDefaults(args, settings, installation);
    settings.addHeapOptions();
    return settings;
}

TEST(LaunchDefaults, FreshInstallation) {
    FakeInstallation installation;
    const auto args = rewriteArguments({L"X:\\App\\bin\\Pelmora64.exe", L"a.sgf", L"b b.sgf"}, L"D:\\Games");
    const Properties settings = settingsFor(installation, args);
    EXPECT_EQ(settings.customJavaHomePath(), L"");
    EXPECT_EQ(settings.jarsInClasspath(), L".\\Pelmora.jar;");
    EXPECT_EQ(settings.mainClass(), L"Pelmora2");
    EXPECT_EQ(settings.minJavaVersion(), L"11.0");
    EXPECT_EQ(settings.maxJavaVersion(), L"");
    EXPECT_EQ(settings.javaSystemProperties(),
              (std::vector<std::wstring>{L"-Dpelmora.root=X:\\App", L"-Xmx1000000k"}));
    EXPECT_EQ(settings.nonEmptyCommandLineArguments(),
              (std::vector<std::wstring>{L"-delayexit", L"-workdir", L"D:\\Games", L"-open", L"a.sgf",
                                         L"b b.sgf", L"-endOpen"}));
}

TEST(LaunchDefaults, PrivateRuntimeClassPathListAndLanguage) {
    FakeInstallation installation;
    installation.paths = {L".\\jre"};
    installation.entries = {L"a.jar", L"b.jar"};
    installation.language = L"de";
    installation.memoryKb = 524288;
    const Properties settings = settingsFor(installation, rewriteArguments({L"exe"}, L"C:\\"));
    EXPECT_EQ(settings.customJavaHomePath(), L".\\jre");
    EXPECT_EQ(settings.jarsInClasspath(), L".\\Pelmora.jar;lib\\a.jar;lib\\b.jar;");
    EXPECT_EQ(
        settings.javaSystemProperties(),
        (std::vector<std::wstring>{L"-Dpelmora.root=X:\\App", L"-Dpelmora.language=de", L"-Xmx300000k"}));
}

TEST(LaunchDefaults, EmptyGivenArgumentsStayInTheListButNotInMain) {
    FakeInstallation installation;
    const Properties settings =
        settingsFor(installation, rewriteArguments({L"exe", L"", L"x.sgf"}, L"C:\\W"));
    EXPECT_EQ(settings.commandLineArguments().size(), 7u);
    EXPECT_EQ(settings.nonEmptyCommandLineArguments().size(), 6u);
}

}  // namespace
}  // namespace pelmora
