// The one check for a Java exception left pending by a JNI call, shared by the launcher and the thumbnail
// server.
#pragma once

#include <jni.h>

namespace pelmora {

// Whether a Java exception is pending on the thread's environment; if so, its stack trace goes to standard
// error and it is cleared, so that the next JNI call does not meet it.
inline bool describePendingException(JNIEnv* env) {
    if (!env->ExceptionCheck()) return false;
    env->ExceptionDescribe();
    env->ExceptionClear();
    return true;
}

}  // namespace pelmora
