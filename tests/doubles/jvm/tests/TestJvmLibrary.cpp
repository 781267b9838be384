#include "TestJvmLibrary.h"

namespace testjvm_test {

std::wstring ownExecutablePath() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length < path.size()) {
            path.resize(length);
            return path;
        }
        path.resize(path.size() * 2);
    }
}

std::wstring ownFolder() {
    const std::wstring path = ownExecutablePath();
    return path.substr(0, path.rfind(L'\\'));
}

std::wstring TestJvmLibrary::path() {
    return ownFolder() + L"\\testjvm\\jvm.dll";
}

TestJvmLibrary::TestJvmLibrary() : module_(LoadLibraryW(path().c_str())) {
    if (module_) {
        createJavaVm_ = reinterpret_cast<CreateJavaVm>(
            reinterpret_cast<void*>(GetProcAddress(module_.get(), "JNI_CreateJavaVM")));
    }
}

bool TestJvmLibrary::unload() {
    module_.reset();
    createJavaVm_ = nullptr;
    return GetModuleHandleW(path().c_str()) == nullptr;
}

}  // namespace testjvm_test
