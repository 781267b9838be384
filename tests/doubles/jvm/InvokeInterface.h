// The JavaVM function table: DestroyJavaVM, the attach and detach functions and GetEnv.
#pragma once

#include <jni.h>

namespace testjvm {

const JNIInvokeInterface_& invokeInterface();

}  // namespace testjvm
