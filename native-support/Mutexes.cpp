// Named mutexes and closing kernel handles.
#include "pelmora_platf_windows_WindowsUtil.h"

#include <windows.h>

#include "JniHandles.h"
#include "JniStringChars.h"

using pelmora::handleFrom;

JNIEXPORT jlong JNICALL Java_pelmora_platf_windows_WindowsUtil_createMutex(JNIEnv* env, jclass, jstring name,
                                                                           jboolean initialOwner) {
    const pelmora::JniStringChars chars(env, name);
    if (!chars) return 0;
    const auto terminatedName = chars.terminatedCopy();
    if (!terminatedName) return 0;
    // An existing mutex of that name is opened instead; initialOwner then gives no ownership.
    return pelmora::toJava(CreateMutexW(nullptr, initialOwner ? TRUE : FALSE, terminatedName.get()));
}

JNIEXPORT jint JNICALL Java_pelmora_platf_windows_WindowsUtil_releaseMutex(JNIEnv*, jclass, jlong mutex) {
    return ReleaseMutex(handleFrom<HANDLE>(mutex));
}

JNIEXPORT jint JNICALL Java_pelmora_platf_windows_WindowsUtil_closeHandle(JNIEnv*, jclass, jlong handle) {
    return CloseHandle(handleFrom<HANDLE>(handle));
}
