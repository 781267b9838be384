// The JavaVMInitArgs for one JNI_CreateJavaVM call, owning the option texts it points at.
#pragma once

#include <string>
#include <vector>

#include <jni.h>

namespace pelmora::test {

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

}  // namespace pelmora::test
