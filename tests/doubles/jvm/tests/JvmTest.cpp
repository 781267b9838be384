#include "JvmTest.h"

#include "JniHelpers.h"
#include <pelmora/JavaVmCreation.h>

namespace testjvm_test {

void JvmTest::SetUp() {
    library_.emplace();
    ASSERT_TRUE(library_->loaded()) << "cannot load the test runtime";
    ASSERT_NE(library_->createJavaVm(), nullptr) << "the test runtime exports no JNI_CreateJavaVM";
}

void JvmTest::TearDown() {
    if (running_) destroy();
    if (library_) {
        EXPECT_TRUE(library_->unload()) << "jvm.dll stayed loaded: the next test would share its state";
    }
}

jint JvmTest::create(const std::vector<std::string>& options, jboolean ignoreUnrecognized, jint version) {
    pelmora::JavaVmInitArguments arguments(options, version, ignoreUnrecognized);
    const jint result = library_->create(arguments, &vm_, &env_);
    if (result == JNI_OK) running_ = true;
    return result;
}

jclass JvmTest::createWithMainClass() {
    if (create({applicationClassPathOption()}) != JNI_OK) return nullptr;
    return env_->FindClass("Pelmora2");
}

jint JvmTest::destroy() {
    running_ = false;
    return vm_->DestroyJavaVM();
}

std::string JvmTest::applicationClassPathOption() const {
    return "-Djava.class.path=" + lowBytes(folder_.createFile(L"Pelmora.jar"));
}

std::vector<std::string> JvmTest::logLines() const {
    return pelmora::test::splitLines(pelmora::test::readFileBytes(logPath_));
}

std::string JvmTest::describeAndClear(JNIEnv* env) const {
    const std::size_t before = logLines().size();
    env->ExceptionDescribe();
    const std::vector<std::string> lines = logLines();
    for (std::size_t i = before; i < lines.size(); ++i) {
        if (lines[i].rfind("describe ", 0) == 0) return lines[i];
    }
    return std::string();
}

std::vector<std::string> linesStartingWith(const std::vector<std::string>& lines, const std::string& prefix) {
    std::vector<std::string> matching;
    for (const std::string& line : lines) {
        if (line.rfind(prefix, 0) == 0) matching.push_back(line);
    }
    return matching;
}

int indexOfLine(const std::vector<std::string>& lines, const std::string& line) {
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (lines[i] == line) return static_cast<int>(i);
    }
    return -1;
}

}  // namespace testjvm_test
