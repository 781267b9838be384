// The fixture of the runtime's tests: a fresh load of jvm.dll per test, a log file in a temporary folder,
// and a script variable the test may set before it creates the runtime.
#pragma once

#include "ScopedEnvironmentVariable.h"
#include "TestFiles.h"
#include "TestJvmLibrary.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include <jni.h>

namespace testjvm_test {

using pelmora::test::ScopedEnvironmentVariable;
using pelmora::test::TempFolder;
using pelmora::test::TestJvmLibrary;

class JvmTest : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;

    void useScript(const std::wstring& script) { script_.set(script); }
    // Calls JNI_CreateJavaVM; on success vm_ and env_ are set.
    jint create(const std::vector<std::string>& options, jboolean ignoreUnrecognized = JNI_FALSE,
                jint version = JNI_VERSION_10);
    // Creates the runtime with the application's jar on the class path and finds the main class.
    jclass createWithMainClass();
    jint destroy();

    // An existing Pelmora.jar in the test's folder, as a class path option.
    std::string applicationClassPathOption() const;
    std::vector<std::string> logLines() const;
    // Runs ExceptionDescribe on env (which clears the exception) and returns the "describe" line it recorded,
    // or an empty text if none.
    std::string describeAndClear(JNIEnv* env) const;

    TempFolder folder_{L"testjvm"};
    std::wstring logPath_ = folder_ / L"testjvm.log";
    ScopedEnvironmentVariable log_{L"PELMORA_TESTJVM_LOG", logPath_};
    ScopedEnvironmentVariable script_{L"PELMORA_TESTJVM_SCRIPT", std::nullopt};
    std::optional<TestJvmLibrary> library_;
    JavaVM* vm_ = nullptr;
    JNIEnv* env_ = nullptr;
    bool running_ = false;
};

// The log's lines that start with the prefix, in order.
std::vector<std::string> linesStartingWith(const std::vector<std::string>& lines, const std::string& prefix);
// The position of the line, or -1.
int indexOfLine(const std::vector<std::string>& lines, const std::string& line);

}  // namespace testjvm_test
