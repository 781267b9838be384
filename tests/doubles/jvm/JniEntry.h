// The checks every JNIEnv function makes first, the way a checking JVM would: the env is one this runtime
// handed out, still attached, used on its own thread, and no exception is pending unless JNI allows it.
#pragma once

#include "ThreadEnvironment.h"

#include <jni.h>

namespace testjvm {

// JNI allows a few functions (exception handling, releasing and deleting) while an exception is pending.
enum class WhilePending { forbidden, allowed };

// Fails loudly, naming the function, when any check fails.
ThreadEnvironment& enterJni(JNIEnv* env, const char* function, WhilePending rule = WhilePending::forbidden);

}  // namespace testjvm
