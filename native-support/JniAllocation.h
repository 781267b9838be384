// A JNI function that could not allocate (GetStringChars, Get<Type>ArrayElements, NewByteArray) leaves an
// OutOfMemoryError pending. No Java exception may leave the library, and no JNI call but a release may follow
// while one is pending: the failure is cleared where it happens, and reported as the function's failure
// value.
#pragma once

#include <jni.h>

namespace pelmora {

inline void clearFailedAllocation(JNIEnv* env) {
    if (env->ExceptionCheck()) env->ExceptionClear();
}

}  // namespace pelmora
