// The two JNI function tables of the bridge: every slot it does not implement fails loudly by name.
#pragma once

#include <jni.h>

namespace javabridge {

const JNIInvokeInterface_& invokeInterface();
const JNINativeInterface_& nativeInterface();

}  // namespace javabridge
