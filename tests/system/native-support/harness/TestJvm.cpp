#include "TestJvm.h"

#include <stdexcept>

#include <pelmora/JavaVmCreation.h>

namespace pelmora::test {

namespace {

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
    if (!library_.loaded()) throw std::runtime_error("cannot load the test JVM bin\\testjvm\\jvm.dll");
    if (library_.createJavaVm() == nullptr)
        throw std::runtime_error("the test JVM exports no JNI_CreateJavaVM");
    JavaVmInitArguments arguments({}, JNI_VERSION_1_8);
    if (library_.create(arguments, &vm_, &env_) != JNI_OK || env_ == nullptr) {
        throw std::runtime_error("JNI_CreateJavaVM of the test JVM failed");
    }
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
