// The test runtime bin/testjvm/jvm.dll, loaded beside the test program. Each load starts with a fresh
// runtime: the DLL keeps its state in globals that unloading discards.
#pragma once

#include <pelmora/Win32Handles.h>

#include <string>

#include <jni.h>

namespace testjvm_test {

// The folder of the running test program, without a trailing backslash.
std::wstring ownFolder();
std::wstring ownExecutablePath();

class TestJvmLibrary {
  public:
    using CreateJavaVm = jint(JNICALL*)(JavaVM**, void**, void*);

    TestJvmLibrary();
    // Null when the DLL or its export is missing.
    CreateJavaVm createJavaVm() const { return createJavaVm_; }
    bool loaded() const { return static_cast<bool>(module_); }
    // Frees the DLL; true when it really left the process.
    bool unload();

    static std::wstring path();

  private:
    pelmora::LibraryModule module_;
    CreateJavaVm createJavaVm_ = nullptr;
};

}  // namespace testjvm_test
