#include "TestJvmLibrary.h"

#include "ModulePaths.h"

#include <pelmora/ProcAddress.h>

namespace pelmora::test {

std::wstring TestJvmLibrary::path() {
    return binaryFolder() + L"\\testjvm\\jvm.dll";
}

TestJvmLibrary::TestJvmLibrary(const std::wstring& libraryPath)
    : path_(libraryPath), module_(LoadLibraryW(libraryPath.c_str())) {
    if (module_) {
        createJavaVm_ = procAddress<CreateJavaVm>(module_.get(), "JNI_CreateJavaVM");
    }
}

jint TestJvmLibrary::create(JavaVmInitArguments& arguments, JavaVM** vm, JNIEnv** env) const {
    return createJavaVm_(vm, reinterpret_cast<void**>(env), arguments.get());
}

bool TestJvmLibrary::unload() {
    module_.reset();
    createJavaVm_ = nullptr;
    return GetModuleHandleW(path_.c_str()) == nullptr;
}

}  // namespace pelmora::test
