#include "TestJvm.h"

#include <windows.h>

#include <stdexcept>

#include "ProgramFolder.h"

namespace pelmora::test {

namespace {

using CreateJavaVm = jint(JNICALL*)(JavaVM** vm, void** env, void* args);

template <class Array>
void checkArray(Array array, const char* what) {
    if (array == nullptr) throw std::runtime_error(std::string("the test JVM could not make ") + what);
}

}  // namespace

TestJvm& TestJvm::instance() {
    // Created once: a process holds one Java runtime, and it stays for the process's life.
    static TestJvm* const jvm = new TestJvm();
    return *jvm;
}

TestJvm::TestJvm() {
    const std::wstring path = programFolder() + L"\\testjvm\\jvm.dll";
    const HMODULE library = LoadLibraryW(path.c_str());
    if (library == nullptr) throw std::runtime_error("cannot load the test JVM bin\\testjvm\\jvm.dll");
    const auto create =
        reinterpret_cast<CreateJavaVm>(reinterpret_cast<void*>(GetProcAddress(library, "JNI_CreateJavaVM")));
    if (create == nullptr) throw std::runtime_error("the test JVM exports no JNI_CreateJavaVM");
    JavaVMInitArgs args{};
    args.version = JNI_VERSION_1_8;
    args.nOptions = 0;
    args.options = nullptr;
    args.ignoreUnrecognized = JNI_FALSE;
    void* env = nullptr;
    if (create(&vm_, &env, &args) != JNI_OK || env == nullptr) {
        throw std::runtime_error("JNI_CreateJavaVM of the test JVM failed");
    }
    env_ = static_cast<JNIEnv*>(env);
}

jstring TestJvm::string(std::u16string_view text) const {
    const jstring result =
        env_->NewString(reinterpret_cast<const jchar*>(text.data()), static_cast<jsize>(text.size()));
    checkArray(result, "a string");
    return result;
}

jfloatArray TestJvm::floats(const std::vector<float>& values) const {
    const jfloatArray array = env_->NewFloatArray(static_cast<jsize>(values.size()));
    checkArray(array, "a float array");
    env_->SetFloatArrayRegion(array, 0, static_cast<jsize>(values.size()), values.data());
    return array;
}

jintArray TestJvm::ints(const std::vector<int>& values) const {
    const jintArray array = env_->NewIntArray(static_cast<jsize>(values.size()));
    checkArray(array, "an int array");
    std::vector<jint> elements(values.begin(), values.end());
    env_->SetIntArrayRegion(array, 0, static_cast<jsize>(elements.size()), elements.data());
    return array;
}

std::vector<jbyte> TestJvm::bytes(jbyteArray array) const {
    std::vector<jbyte> result(static_cast<std::size_t>(env_->GetArrayLength(array)));
    env_->GetByteArrayRegion(array, 0, static_cast<jsize>(result.size()), result.data());
    return result;
}

LocalFrame::LocalFrame(jint capacity)
    : pushed_(TestJvm::instance().env()->PushLocalFrame(capacity) == JNI_OK) {
    if (!pushed_) throw std::runtime_error("PushLocalFrame failed");
}

LocalFrame::~LocalFrame() {
    if (pushed_) TestJvm::instance().env()->PopLocalFrame(nullptr);
}

}  // namespace pelmora::test
