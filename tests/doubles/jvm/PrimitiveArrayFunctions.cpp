// New, Get/Release...ArrayElements and Get/Set...ArrayRegion for byte[], int[] and float[].
#include "ArrayBounds.h"
#include "JavaExceptions.h"
#include "JniEntry.h"
#include "LocalReferences.h"
#include "LoudFailure.h"
#include "NativeInterface.h"
#include "TextConversion.h"
#include "VirtualMachine.h"

#include <algorithm>
#include <cstring>
#include <string>

namespace testjvm {
namespace {

struct ByteArrayKind {
    using Element = jbyte;
    using Handle = jbyteArray;
    static constexpr const char* descriptor = "[B";
    static constexpr const char* description = "a byte[]";
    static constexpr const char* newArray = "NewByteArray";
    static constexpr const char* getElements = "GetByteArrayElements";
    static constexpr const char* releaseElements = "ReleaseByteArrayElements";
    static constexpr const char* getRegion = "GetByteArrayRegion";
    static constexpr const char* setRegion = "SetByteArrayRegion";
};

struct IntArrayKind {
    using Element = jint;
    using Handle = jintArray;
    static constexpr const char* descriptor = "[I";
    static constexpr const char* description = "an int[]";
    static constexpr const char* newArray = "NewIntArray";
    static constexpr const char* getElements = "GetIntArrayElements";
    static constexpr const char* releaseElements = "ReleaseIntArrayElements";
    static constexpr const char* getRegion = "GetIntArrayRegion";
    static constexpr const char* setRegion = "SetIntArrayRegion";
};

struct FloatArrayKind {
    using Element = jfloat;
    using Handle = jfloatArray;
    static constexpr const char* descriptor = "[F";
    static constexpr const char* description = "a float[]";
    static constexpr const char* newArray = "NewFloatArray";
    static constexpr const char* getElements = "GetFloatArrayElements";
    static constexpr const char* releaseElements = "ReleaseFloatArrayElements";
    static constexpr const char* getRegion = "GetFloatArrayRegion";
    static constexpr const char* setRegion = "SetFloatArrayRegion";
};

template <class Kind>
using ArrayOf = PrimitiveArray<typename Kind::Element>;

template <class Kind>
typename Kind::Handle JNICALL newArray(JNIEnv* env, jsize length) {
    ThreadEnvironment& environment = enterJni(env, Kind::newArray);
    if (length < 0) {
        throwJavaException(environment, "java/lang/NegativeArraySizeException",
                           utf16FromLatin1(std::to_string(length)));
        return nullptr;
    }
    auto* array =
        environment.vm.heap().allocate<ArrayOf<Kind>>(Kind::descriptor, static_cast<std::size_t>(length));
    return static_cast<typename Kind::Handle>(newLocalReference(environment, array));
}

template <class Kind>
typename Kind::Element* JNICALL getElements(JNIEnv* env, typename Kind::Handle array, jboolean* isCopy) {
    ThreadEnvironment& environment = enterJni(env, Kind::getElements);
    auto& object = requireAs<ArrayOf<Kind>>(environment, array, Kind::getElements, Kind::description);
    if (isCopy != nullptr) *isCopy = JNI_TRUE;
    return static_cast<typename Kind::Element*>(environment.vm.lentBuffers().lend(
        &object, object.elements.data(), object.elements.size() * sizeof(typename Kind::Element)));
}

template <class Kind>
void JNICALL releaseElements(JNIEnv* env, typename Kind::Handle array, typename Kind::Element* elements,
                             jint mode) {
    ThreadEnvironment& environment = enterJni(env, Kind::releaseElements, WhilePending::allowed);
    auto& object = requireAs<ArrayOf<Kind>>(environment, array, Kind::releaseElements, Kind::description);
    const std::string name(Kind::releaseElements);
    std::vector<unsigned char>* copy = environment.vm.lentBuffers().find(&object, elements);
    if (copy == nullptr) failLoudly(name + " given elements its Get function did not return for that array");
    if (mode != 0 && mode != JNI_COMMIT && mode != JNI_ABORT) failLoudly(name + " given an unknown mode");
    // 0 and JNI_COMMIT write the copy back; 0 and JNI_ABORT free it.
    if (mode != JNI_ABORT && !copy->empty()) std::memcpy(object.elements.data(), copy->data(), copy->size());
    if (mode != JNI_COMMIT) environment.vm.lentBuffers().giveBack(elements);
}

template <class Kind>
void JNICALL getRegion(JNIEnv* env, typename Kind::Handle array, jsize start, jsize count,
                       typename Kind::Element* buffer) {
    ThreadEnvironment& environment = enterJni(env, Kind::getRegion);
    auto& object = requireAs<ArrayOf<Kind>>(environment, array, Kind::getRegion, Kind::description);
    if (!checkRegion(environment, start, count, object.elements.size())) return;
    if (count > 0 && buffer == nullptr) failLoudly(std::string(Kind::getRegion) + " given a null buffer");
    std::copy_n(object.elements.begin() + start, count, buffer);
}

template <class Kind>
void JNICALL setRegion(JNIEnv* env, typename Kind::Handle array, jsize start, jsize count,
                       const typename Kind::Element* buffer) {
    ThreadEnvironment& environment = enterJni(env, Kind::setRegion);
    auto& object = requireAs<ArrayOf<Kind>>(environment, array, Kind::setRegion, Kind::description);
    if (!checkRegion(environment, start, count, object.elements.size())) return;
    if (count > 0 && buffer == nullptr) failLoudly(std::string(Kind::setRegion) + " given a null buffer");
    std::copy_n(buffer, count, object.elements.begin() + start);
}

}  // namespace

void installPrimitiveArrayFunctions(JNINativeInterface_& table) {
    table.NewByteArray = &newArray<ByteArrayKind>;
    table.GetByteArrayElements = &getElements<ByteArrayKind>;
    table.ReleaseByteArrayElements = &releaseElements<ByteArrayKind>;
    table.GetByteArrayRegion = &getRegion<ByteArrayKind>;
    table.SetByteArrayRegion = &setRegion<ByteArrayKind>;

    table.NewIntArray = &newArray<IntArrayKind>;
    table.GetIntArrayElements = &getElements<IntArrayKind>;
    table.ReleaseIntArrayElements = &releaseElements<IntArrayKind>;
    table.GetIntArrayRegion = &getRegion<IntArrayKind>;
    table.SetIntArrayRegion = &setRegion<IntArrayKind>;

    table.NewFloatArray = &newArray<FloatArrayKind>;
    table.GetFloatArrayElements = &getElements<FloatArrayKind>;
    table.ReleaseFloatArrayElements = &releaseElements<FloatArrayKind>;
    table.GetFloatArrayRegion = &getRegion<FloatArrayKind>;
    table.SetFloatArrayRegion = &setRegion<FloatArrayKind>;
}

}  // namespace testjvm
