// The bridge runtime against real Java: what a JNI call does on the Java side, how exceptions, references,
// threads and the end of either process behave, and the misuse that must end the process loudly.
#include "BridgeCases.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <regex>
#include <string>

namespace javabridge_test {
namespace {

constexpr DWORD loudFailure = 97;

bool contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

TEST(BridgeValuesTest, StringsKeepEveryCodeUnitFromUtf16AndModifiedUtf8) {
    const auto outcome = runInChild(L"strings");
    EXPECT_EQ(outcome.exitCode, 0u) << outcome.output;
    EXPECT_TRUE(contains(outcome.output, "utf16: 0065 00E9 D834 DD1E")) << outcome.output;
    EXPECT_TRUE(contains(outcome.output, "mutf8: 0065 00E9 D834 DD1E")) << outcome.output;
    EXPECT_TRUE(contains(outcome.output, "destroy: 0")) << outcome.output;
}

TEST(BridgeValuesTest, ByteArraysTravelBothWaysAndARegionOutsideRaisesAnException) {
    const auto outcome = runInChild(L"bytes");
    EXPECT_EQ(outcome.exitCode, 0u) << outcome.output;
    EXPECT_TRUE(contains(outcome.output, "reversed -128 4 3 2 1")) << outcome.output;
    EXPECT_TRUE(contains(outcome.output, "outside: pending 1, occurred 1, buffer kept 1")) << outcome.output;
    EXPECT_TRUE(contains(outcome.output, "java.lang.ArrayIndexOutOfBoundsException")) << outcome.output;
    EXPECT_TRUE(contains(outcome.output, "after describe: pending 0")) << outcome.output;
}

TEST(BridgeValuesTest, ArgumentsAreDecodedFromTheDescriptorInAllThreeCallForms) {
    const auto outcome = runInChild(L"arguments");
    EXPECT_EQ(outcome.exitCode, 0u) << outcome.output;
    EXPECT_TRUE(
        contains(outcome.output, "variadic: true -5 9786 -300 70000 1099511627776 1.5 2.25 text null"))
        << outcome.output;
    EXPECT_TRUE(contains(outcome.output, "list: false 127 65535 32767 -1 -2 -0.5 1.0E300 text 3"))
        << outcome.output;
    EXPECT_TRUE(contains(outcome.output,
                         "array: true -128 65 -1 2147483647 -9223372036854775808 0.25 -3.5 null null"))
        << outcome.output;
}

TEST(BridgeExceptionTest, AWrongDescriptorGivesNullAndAPendingNoSuchMethodError) {
    const auto outcome = runInChild(L"missing-method");
    EXPECT_EQ(outcome.exitCode, 0u) << outcome.output;
    EXPECT_TRUE(contains(outcome.output, "method found 0, pending 1")) << outcome.output;
    EXPECT_TRUE(contains(outcome.output, "java.lang.NoSuchMethodError: static LBridgeProbe;.reversed([C)[B"))
        << outcome.output;
    EXPECT_TRUE(contains(outcome.output, "same id twice 1")) << outcome.output;
}

TEST(BridgeExceptionTest, ExceptionDescribePrintsTheJavaStackTraceWithoutTheBridge) {
    const auto outcome = runInChild(L"exception");
    EXPECT_EQ(outcome.exitCode, 0u) << outcome.output;
    EXPECT_TRUE(contains(outcome.output, "pending 1")) << outcome.output;
    EXPECT_TRUE(
        contains(outcome.output, "Exception in thread \"main\" java.lang.IllegalStateException: boom"))
        << outcome.output;
    EXPECT_TRUE(std::regex_search(outcome.output,
                                  std::regex("\tat BridgeProbe\\.fail\\(BridgeProbe\\.java:[0-9]+\\)")))
        << outcome.output;
    EXPECT_FALSE(contains(outcome.output, "javabridge.")) << outcome.output;
    EXPECT_FALSE(contains(outcome.output, "reflect")) << outcome.output;
}

TEST(BridgeReferenceTest, PopLocalFrameKeepsItsResultAndFreesTheRest) {
    const auto outcome = runInChild(L"frames");
    EXPECT_EQ(outcome.exitCode, loudFailure) << outcome.output;
    EXPECT_TRUE(contains(outcome.output, "push: 0")) << outcome.output;
    EXPECT_TRUE(contains(outcome.output, "kept length 3")) << outcome.output;
    EXPECT_TRUE(contains(outcome.output, "javabridge: GetArrayLength: invalid local reference"))
        << outcome.output;
}

TEST(BridgeMisuseTest, ACallWithAnExceptionPendingFailsLoudly) {
    const auto outcome = runInChild(L"call-while-pending");
    EXPECT_EQ(outcome.exitCode, loudFailure) << outcome.output;
    EXPECT_TRUE(contains(outcome.output, "javabridge: FindClass called with an exception pending"))
        << outcome.output;
}

TEST(BridgeMisuseTest, AnUnsupportedFunctionFailsLoudlyByName) {
    const auto outcome = runInChild(L"unsupported-function");
    EXPECT_EQ(outcome.exitCode, loudFailure) << outcome.output;
    EXPECT_TRUE(contains(outcome.output, "javabridge: unsupported JNI function GetObjectClass"))
        << outcome.output;
}

TEST(BridgeCreationTest, OptionsNoJvmAcceptsFailCreationAsJavaDoes) {
    const auto outcome = runInChild(L"options");
    EXPECT_EQ(outcome.exitCode, 0u) << outcome.output;
    EXPECT_TRUE(contains(outcome.output, "-cp: -1")) << outcome.output;
    EXPECT_TRUE(contains(outcome.output, "Unrecognized option: -cp")) << outcome.output;
    // The JVM itself judges the -X options.
    EXPECT_TRUE(contains(outcome.output, "-Xbogus: -1")) << outcome.output;
    EXPECT_TRUE(contains(outcome.output, "Unrecognized option: -Xbogus")) << outcome.output;
}

TEST(BridgeCreationTest, WindowsPathsInTheClassPathAndPropertiesBecomeLinuxPaths) {
    const auto outcome = runInChild(L"paths");
    EXPECT_EQ(outcome.exitCode, 0u) << outcome.output;
    EXPECT_TRUE(std::regex_search(
        outcome.output, std::regex("java\\.class\\.path=/[^\r\n:]*/java-bridge/bridge-probe\\.jar")))
        << outcome.output;
    // C: lies in the prefix; the link through dosdevices, whose colon would split a class path, is resolved.
    EXPECT_TRUE(
        std::regex_search(outcome.output, std::regex("probe\\.folder=/[^\r\n:]*/drive_c/windows\r?\n")))
        << outcome.output;
    EXPECT_TRUE(contains(outcome.output, "probe.text=plain; not a path")) << outcome.output;
}

TEST(BridgeLifetimeTest, SystemExitEndsTheWindowsProcessWithItsCode) {
    const auto outcome = runInChild(L"system-exit");
    EXPECT_EQ(outcome.exitCode, 42u) << outcome.output;
    EXPECT_FALSE(contains(outcome.output, "still running")) << outcome.output;
}

TEST(BridgeLifetimeTest, DestroyJavaVmWaitsForNonDaemonThreads) {
    const auto outcome = runInChild(L"destroy-waits");
    EXPECT_EQ(outcome.exitCode, 0u) << outcome.output;
    const auto worker = outcome.output.find("worker done");
    const auto destroyed = outcome.output.find("destroyed");
    ASSERT_NE(worker, std::string::npos) << outcome.output;
    ASSERT_NE(destroyed, std::string::npos) << outcome.output;
    EXPECT_LT(worker, destroyed) << outcome.output;
}

TEST(BridgeLifetimeTest, EachAttachedThreadHasAJavaThreadOfItsOwn) {
    const auto outcome = runInChild(L"threads");
    EXPECT_EQ(outcome.exitCode, 0u) << outcome.output;
    EXPECT_TRUE(contains(outcome.output, "thread main daemon=false")) << outcome.output;
    EXPECT_TRUE(std::regex_search(outcome.output, std::regex("thread Thread-[0-9]+ daemon=false")))
        << outcome.output;
    EXPECT_TRUE(contains(outcome.output, "thread probe-daemon daemon=true")) << outcome.output;
}

TEST(BridgeLifetimeTest, TheJavaProcessEndsWhenTheWindowsProcessGoesAway) {
    const auto outcome = runInChild(L"orphan");
    EXPECT_EQ(outcome.exitCode, 5u) << outcome.output;
    std::smatch pid;
    ASSERT_TRUE(std::regex_search(outcome.output, pid, std::regex("pid ([0-9]+)"))) << outcome.output;
    // Wine shows the Linux side's /proc on drive Z:.
    const std::wstring process = L"Z:\\proc\\" + std::wstring(pid[1].str().begin(), pid[1].str().end());
    bool gone = false;
    for (int i = 0; i < 150 && !gone; ++i) {
        gone = GetFileAttributesW(process.c_str()) == INVALID_FILE_ATTRIBUTES;
        if (!gone) Sleep(100);
    }
    EXPECT_TRUE(gone) << "Java process " << pid[1] << " outlived its Windows process";
}

}  // namespace
}  // namespace javabridge_test
