// The elements of a Java primitive array, held from Get<Type>ArrayElements until the matching release with
// mode 0 (changes copied back, the elements freed).
#pragma once

#include <jni.h>

#include "JniAllocation.h"

namespace pelmora {

struct JniIntArrayAccess {
    using Array = jintArray;
    using Element = jint;
    static Element* get(JNIEnv* env, Array array) { return env->GetIntArrayElements(array, nullptr); }
    static void release(JNIEnv* env, Array array, Element* elements) {
        env->ReleaseIntArrayElements(array, elements, 0);
    }
};

struct JniFloatArrayAccess {
    using Array = jfloatArray;
    using Element = jfloat;
    static Element* get(JNIEnv* env, Array array) { return env->GetFloatArrayElements(array, nullptr); }
    static void release(JNIEnv* env, Array array, Element* elements) {
        env->ReleaseFloatArrayElements(array, elements, 0);
    }
};

struct JniByteArrayAccess {
    using Array = jbyteArray;
    using Element = jbyte;
    static Element* get(JNIEnv* env, Array array) { return env->GetByteArrayElements(array, nullptr); }
    static void release(JNIEnv* env, Array array, Element* elements) {
        env->ReleaseByteArrayElements(array, elements, 0);
    }
};

template <class Access>
class JniArrayElements {
    using Array = typename Access::Array;
    using Element = typename Access::Element;

  public:
    // The array must not be null; a runtime that cannot give the elements leaves the object false.
    JniArrayElements(JNIEnv* env, Array array)
        : env_(env), array_(array), elements_(Access::get(env, array)) {
        if (elements_ == nullptr) clearFailedAllocation(env_);
    }
    JniArrayElements(const JniArrayElements&) = delete;
    JniArrayElements& operator=(const JniArrayElements&) = delete;
    ~JniArrayElements() {
        if (elements_ != nullptr) Access::release(env_, array_, elements_);
    }

    explicit operator bool() const { return elements_ != nullptr; }
    Element* get() const { return elements_; }

  private:
    JNIEnv* env_;
    Array array_;
    Element* elements_;
};

using JniIntArrayElements = JniArrayElements<JniIntArrayAccess>;
using JniFloatArrayElements = JniArrayElements<JniFloatArrayAccess>;
using JniByteArrayElements = JniArrayElements<JniByteArrayAccess>;

}  // namespace pelmora
