// Creating a JVM from a loaded jvm.dll, shared by the launcher and the thumbnail server: the option texts and
// the init arguments that point into them, the lookup of JNI_CreateJavaVM and the call. What a failure means
// (its message, whether the process ends) stays with each caller.
#pragma once

#include <jni.h>
#include <pelmora/ProcAddress.h>

#include <windows.h>

#include <string>
#include <utility>
#include <vector>

namespace pelmora {

using CreateJavaVmFunction = jint(JNICALL*)(JavaVM**, void**, void*);

// JavaVMInitArgs over options it owns; the JVM may read them for as long as this object lives.
class JavaVmInitArguments {
  public:
    explicit JavaVmInitArguments(std::vector<std::string> optionTexts, jint version = JNI_VERSION_10,
                                 jboolean ignoreUnrecognized = JNI_FALSE)
        : texts_(std::move(optionTexts)) {
        options_.assign(texts_.size(), JavaVMOption{});
        for (std::size_t i = 0; i < texts_.size(); ++i) options_[i].optionString = texts_[i].data();
        arguments_.version = version;
        arguments_.nOptions = static_cast<jint>(options_.size());
        arguments_.options = options_.data();
        arguments_.ignoreUnrecognized = ignoreUnrecognized;
    }
    JavaVmInitArguments(const JavaVmInitArguments&) = delete;
    JavaVmInitArguments& operator=(const JavaVmInitArguments&) = delete;

    JavaVMInitArgs* get() { return &arguments_; }

  private:
    std::vector<std::string> texts_;
    std::vector<JavaVMOption> options_;
    JavaVMInitArgs arguments_ = {};
};

struct CreatedJavaVm {
    // False when the library exports no JNI_CreateJavaVM; the call was then not made.
    bool functionFound = false;
    // JNI_CreateJavaVM's result; negative on failure.
    jint result = JNI_ERR;
    JavaVM* vm = nullptr;
    JNIEnv* env = nullptr;

    bool created() const { return functionFound && result >= 0 && vm != nullptr; }
};

// Calls the library's JNI_CreateJavaVM with the arguments on the calling thread.
inline CreatedJavaVm createJavaVm(HMODULE jvmLibrary, JavaVmInitArguments& arguments) {
    CreatedJavaVm created;
    const auto create = procAddress<CreateJavaVmFunction>(jvmLibrary, "JNI_CreateJavaVM");
    if (create == nullptr) return created;
    created.functionFound = true;
    void* env = nullptr;
    created.result = create(&created.vm, &env, arguments.get());
    created.env = static_cast<JNIEnv*>(env);
    return created;
}

}  // namespace pelmora
