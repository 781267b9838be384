// The test Java runtime (bin/testjvm/jvm.dll) that gives the support library its JNIEnv, as the real JVM
// does, and Java strings and arrays made in it.
#pragma once

#include "TestJvmLibrary.h"

#include <jni.h>

#include <string>
#include <string_view>
#include <vector>

namespace pelmora::test {

class TestJvm {
  public:
    // The process's runtime, created with JNI 1.8 and no options on first use; throws when it cannot be.
    static TestJvm& instance();
    TestJvm(const TestJvm&) = delete;
    TestJvm& operator=(const TestJvm&) = delete;

    // The JNIEnv of the thread that created the runtime.
    JNIEnv* env() const { return env_; }

    jstring string(std::u16string_view text) const;
    jfloatArray floats(const std::vector<float>& values) const;
    jintArray ints(const std::vector<int>& values) const;
    std::vector<jbyte> bytes(jbyteArray array) const;

  private:
    TestJvm();
    TestJvmLibrary library_;
    JavaVM* vm_ = nullptr;
    JNIEnv* env_ = nullptr;
};

// A local reference frame for the length of a scope, so that tests do not pile up references.
class LocalFrame {
  public:
    explicit LocalFrame(jint capacity = 64);
    LocalFrame(const LocalFrame&) = delete;
    LocalFrame& operator=(const LocalFrame&) = delete;
    ~LocalFrame();

  private:
    bool pushed_;
};

}  // namespace pelmora::test
