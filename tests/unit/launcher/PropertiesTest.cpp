#include <pelmora/ClassPathList.h>
#include "Properties.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace pelmora {
namespace {

std::wstring selfHomeOf(const std::wstring& exe) {
    Properties settings;
    settings.setFullPathAndNameOfExe(exe);
    return settings.selfHomePath();
}

TEST(SelfHomePath, IsTheExecutablesFolderOrTheParentOfBin) {
    EXPECT_EQ(selfHomeOf(L"D:\\Apps\\Tool\\Pelmora64.exe"), L"D:\\Apps\\Tool");
    EXPECT_EQ(selfHomeOf(L"D:\\Apps\\Tool\\bin\\Pelmora64.exe"), L"D:\\Apps\\Tool");
    EXPECT_EQ(selfHomeOf(L"D:\\Apps\\Tool\\Bin\\Pelmora64.exe"), L"D:\\Apps\\Tool\\Bin");
    EXPECT_EQ(selfHomeOf(L"D:\\Apps\\bin\\bin\\Pelmora64.exe"), L"D:\\Apps\\bin");
    EXPECT_EQ(selfHomeOf(L"D:\\Apps\\cabin\\Pelmora64.exe"), L"D:\\Apps\\cabin");
    EXPECT_EQ(selfHomeOf(L"Pelmora64.exe"), L"");
}

std::wstring heapOptionsFor(std::int32_t shareKb, std::int32_t lower, std::int32_t upper) {
    Properties settings;
    settings.setMaxHeapShare(100, shareKb);
    settings.setMaxHeapLowerKb(lower);
    settings.setMaxHeapUpperKb(upper);
    settings.addHeapOptions();
    std::wstring all;
    for (const auto& option : settings.javaSystemProperties()) all += option + L" ";
    return all;
}

TEST(HeapOptions, ShareIsClampedIntoItsBounds) {
    EXPECT_EQ(heapOptionsFor(200000, 300000, 1000000), L"-Xmx300000k ");
    EXPECT_EQ(heapOptionsFor(4194304, 300000, 1000000), L"-Xmx1000000k ");
    EXPECT_EQ(heapOptionsFor(524288, 300000, 1000000), L"-Xmx524288k ");
    // An upper bound below the lower one wins.
    EXPECT_EQ(heapOptionsFor(500000, 300000, 200000), L"-Xmx200000k ");
    EXPECT_EQ(heapOptionsFor(0, 0, 1000000), L"");
}

TEST(HeapOptions, HalfOfTheMemoryAsTheLauncherSetsIt) {
    const std::pair<double, const wchar_t*> cases[] = {
        {524288, L"-Xmx300000k"}, {1048576, L"-Xmx524288k"}, {8388608, L"-Xmx1000000k"}};
    for (const auto& [memoryKb, expected] : cases) {
        Properties settings;
        settings.setMaxHeapShare(50, memoryKb);
        settings.setMaxHeapLowerKb(300000);
        settings.setMaxHeapUpperKb(1000000);
        settings.addHeapOptions();
        ASSERT_EQ(settings.javaSystemProperties().size(), 1u);
        EXPECT_EQ(settings.javaSystemProperties()[0], expected);
    }
}

TEST(HeapOptions, ShareIsLimitedToZeroToHundredPercent) {
    Properties settings;
    settings.setMaxHeapShare(150, 1000.0);
    EXPECT_EQ(settings.maxHeapKb(), 1000);
    settings.setMaxHeapShare(-5, 1000.0);
    EXPECT_EQ(settings.maxHeapKb(), 0);
    settings.setMaxHeapShare(33, 1001.0);
    EXPECT_EQ(settings.maxHeapKb(), 330);
    // More memory than a 32-bit KiB count holds does not wrap around.
    settings.setMaxHeapShare(100, 1e13);
    EXPECT_EQ(settings.maxHeapKb(), 2147483647);
}

TEST(HeapOptions, InitialHeapComesFirstWhenPositive) {
    Properties settings;
    settings.addJavaSystemProperty(L"-Dx=1");
    settings.setInitHeapKb(5);
    settings.setInitHeapLowerKb(64);
    settings.setMaxHeapShare(100, 2048);
    settings.addHeapOptions();
    EXPECT_EQ(settings.javaSystemProperties(),
              (std::vector<std::wstring>{L"-Dx=1", L"-Xms64k", L"-Xmx2048k"}));
}

TEST(CommandLineArguments, GrowWithEmptyEntriesWhichMainNeverSees) {
    Properties settings;
    settings.setCommandLineArgument(L"x", 3);
    EXPECT_EQ(settings.commandLineArguments(), (std::vector<std::wstring>{L"", L"", L"", L"x"}));
    EXPECT_EQ(settings.nonEmptyCommandLineArguments(), std::vector<std::wstring>{L"x"});
    settings.addCommandLineArgument(L"y");
    settings.setCommandLineArgument(L"w", 0);
    EXPECT_EQ(settings.nonEmptyCommandLineArguments(), (std::vector<std::wstring>{L"w", L"x", L"y"}));
}

TEST(MainClass, DotsBecomeSlashesInPlace) {
    Properties settings;
    settings.setMainClass(L"a.b.Main");
    EXPECT_EQ(settings.mainClassAsJniName(), L"a/b/Main");
    EXPECT_EQ(settings.mainClass(), L"a/b/Main");
}

TEST(DescribeSettings, ListsTheFieldsInOrderWithoutEscaping) {
    Properties settings;
    settings.setFullPathAndNameOfExe(L"C:\\P\\bin\\Pelmora64.exe");
    settings.setMainClass(L"Pelmora2");
    settings.setMinJavaVersion(L"11.0");
    settings.addJar(L".\\", L"Pelmora.jar");
    settings.setCallerDir(L"C:\\Start");
    settings.addJavaSystemProperty(L"-Da=b,c");
    settings.addCommandLineArgument(L"-delayexit");
    settings.setCommandLineArgument(L"f.sgf", 2);
    EXPECT_EQ(settings.describeSettings(),
              L"fullPathAndNameOfExe=C:\\P\\bin\\Pelmora64.exe,selfHomePath=C:\\P,customJavaHomePath=,"
              L"customBinJvmDir=,mainClass=Pelmora2,minJavaVersion=11.0,maxJavaVersion=,"
              L"jarsInClasspath=.\\Pelmora.jar;,libraryPath=,debugFile=,callerDir=C:\\Start,"
              L"javaSystemProperties[0]=-Da=b,c,commandLineArguments[0]=-delayexit,commandLineArguments[1]=,"
              L"commandLineArguments[2]=f.sgf");
}

TEST(ClassPathList, NonEmptyLinesExactlyAsReadEachByteOneCharacter) {
    using Lines = std::vector<std::string>;
    const std::pair<std::string, Lines> cases[] = {
        {"a.jar\n\nb.jar", {"a.jar", "b.jar"}},
        {" spaced .jar \n#not a comment\n\n\n", {" spaced .jar ", "#not a comment"}},
        {"", {}},
        // Only a carriage return right before a line feed goes, as in a text-mode read.
        {"a.jar\r\nb\rc.jar\r\r\n\r\nlast\r", {"a.jar", "b\rc.jar\r", "last\r"}},
        {std::string("n\0l.jar\n", 8), {std::string("n\0l.jar", 7)}},
    };
    for (const auto& [bytes, lines] : cases) EXPECT_EQ(readClassPathList(bytes), lines) << bytes;
    EXPECT_EQ(widenEachByte("caf\xE9\xFF"), L"caf\u00e9\u00ff");
}

}  // namespace
}  // namespace pelmora
