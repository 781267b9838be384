// Misuse a real JVM would not survive or would reject ends the process with exit code 97, a message on
// standard error and a "fail" line in the log. Each case runs in a child process.
#include "ChildCases.h"
#include "JvmTest.h"

namespace testjvm_test {
namespace {

struct LoudFailure {
    const wchar_t* childCase;
    // The start of the failure message (some end with thread ids).
    const char* message;
    const wchar_t* script;
};

std::ostream& operator<<(std::ostream& out, const LoudFailure& failure) {
    return out << failure.message;
}

class LoudFailureTest : public JvmTest, public ::testing::WithParamInterface<LoudFailure> {};

TEST_P(LoudFailureTest, EndsTheProcessWithExitCode97AndSaysWhy) {
    const LoudFailure& failure = GetParam();
    if (failure.script != nullptr) useScript(failure.script);
    const ChildOutcome outcome = runInChild(failure.childCase);
    ASSERT_TRUE(outcome.started) << outcome.output;
    ASSERT_FALSE(outcome.timedOut);
    EXPECT_EQ(outcome.exitCode, 97u) << outcome.output;
    EXPECT_NE(outcome.output.find(std::string("testjvm: ") + failure.message), std::string::npos)
        << outcome.output;
    const std::vector<std::string> lines = logLines();
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines.back().rfind(std::string("fail ") + failure.message, 0), 0u) << lines.back();
}

INSTANTIATE_TEST_SUITE_P(
    Misuse, LoudFailureTest,
    ::testing::Values(
        LoudFailure{L"unsupported-function", "unsupported JNI function GetObjectClass", nullptr},
        LoudFailure{L"unsupported-variadic", "unsupported JNI function CallStaticIntMethod", nullptr},
        LoudFailure{L"unsupported-reserved", "unsupported JNI function reserved0", nullptr},
        LoudFailure{L"unsupported-invoke-reserved", "unsupported JNI function reserved1", nullptr},
        LoudFailure{L"call-while-pending",
                    "FindClass called while java.lang.NoClassDefFoundError: Missing is pending", nullptr},
        LoudFailure{L"foreign-thread", "NewStringUTF called on thread ", nullptr},
        LoudFailure{L"detached-env", "FindClass called with the JNIEnv of a detached thread", nullptr},
        LoudFailure{L"null-element-class", "NewObjectArray given a null element class", nullptr},
        LoudFailure{L"deleted-reference", "GetStringLength given a deleted reference", nullptr},
        LoudFailure{L"unknown-directive", "unknown directive \"main=dance\" in PELMORA_TESTJVM_SCRIPT",
                    L"main=return;main=dance"}),
    [](const ::testing::TestParamInfo<LoudFailure>& parameter) {
        std::string name;
        for (const wchar_t* c = parameter.param.childCase; *c != L'\0'; ++c) {
            if (*c != L'-') name += static_cast<char>(*c);
        }
        return name;
    });

}  // namespace
}  // namespace testjvm_test
