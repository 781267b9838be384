// The shell's list of recently used documents.
#include "pelmora_platf_windows_WindowsUtil.h"

#include <windows.h>
#include <shlobj.h>

#include "JniStringChars.h"

JNIEXPORT void JNICALL Java_pelmora_platf_windows_WindowsUtil_documentOpened(JNIEnv* env, jclass,
                                                                             jstring path) {
    const pelmora::JniStringChars chars(env, path);
    // A null path would clear the whole list, which is not what opening a document means.
    if (!chars) return;
    const auto terminatedPath = chars.terminatedCopy();
    if (!terminatedPath) return;
    SHAddToRecentDocs(SHARD_PATHW, terminatedPath.get());
}
