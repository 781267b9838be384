// The JNI versions a test runtime accepts, for JNI_CreateJavaVM, attach arguments and GetEnv.
#pragma once

#include <jni.h>

namespace testjvm {

// JNI 1.2 or later: older versions passed a different argument structure.
inline bool isSupportedJniVersion(jint version) {
    return version >= JNI_VERSION_1_2;
}

}  // namespace testjvm
