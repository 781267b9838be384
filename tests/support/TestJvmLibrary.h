// The test Java runtime, bin/testjvm/jvm.dll beside the test program, loaded as a launcher loads a JVM. The
// DLL keeps its state in globals: a load after the last unload starts with a fresh runtime.
#pragma once

#include <pelmora/JavaVmCreation.h>

#include <pelmora/Win32Handles.h>

#include <string>

#include <jni.h>

namespace pelmora::test {

class TestJvmLibrary {
  public:
    using CreateJavaVm = jint(JNICALL*)(JavaVM**, void**, void*);

    // The test runtime, or another jvm.dll of the build (the bridge runtime).
    explicit TestJvmLibrary(const std::wstring& libraryPath = path());
    // Null when the DLL or its export is missing.
    CreateJavaVm createJavaVm() const { return createJavaVm_; }
    bool loaded() const { return static_cast<bool>(module_); }
    // JNI_CreateJavaVM with the arguments; vm and env are written only as the runtime writes them. Needs the
    // export.
    jint create(JavaVmInitArguments& arguments, JavaVM** vm, JNIEnv** env) const;
    // Frees the DLL; true when it really left the process.
    bool unload();

    static std::wstring path();

  private:
    std::wstring path_;
    LibraryModule module_;
    CreateJavaVm createJavaVm_ = nullptr;
};

}  // namespace pelmora::test
