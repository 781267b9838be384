// The JavaVMInitArgs for one JNI_CreateJavaVM call, owning the option texts it points at.
#pragma once

#include <string>
#include <vector>

#include <jni.h>

namespace testjvm_test {

class VmArguments {
  public:
    explicit VmArguments(std::vector<std::string> options, jboolean ignoreUnrecognized = JNI_FALSE,
                         jint version = JNI_VERSION_10);
    VmArguments(const VmArguments&) = delete;
    VmArguments& operator=(const VmArguments&) = delete;

    JavaVMInitArgs* get() { return &initArgs_; }

  private:
    std::vector<std::string> texts_;
    std::vector<JavaVMOption> options_;
    JavaVMInitArgs initArgs_{};
};

// The 8-bit text the launcher gives the runtime for a wide text: the low byte of each UTF-16 unit.
std::string lowBytes(const std::wstring& text);

}  // namespace testjvm_test
