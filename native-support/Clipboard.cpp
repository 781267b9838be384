// Metafiles placed on the clipboard.
#include "pelmora_platf_windows_NativeGraphics.h"

#include <windows.h>

#include "Coordinates.h"
#include "JniHandles.h"
#include "SupportHandles.h"

using pelmora::handleFrom;
using pelmora::magnitude;
using pelmora::roundCoord;

namespace {

// The CF_METAFILEPICT descriptor: the metafile with its suggested size in 0.01 mm.
pelmora::GlobalMemory metafilePicture(HMETAFILE wmf, jfloat width, jfloat height) {
    pelmora::GlobalMemory memory(GlobalAlloc(GMEM_MOVEABLE | GMEM_DDESHARE, sizeof(METAFILEPICT)));
    if (!memory) return memory;
    auto* picture = static_cast<METAFILEPICT*>(GlobalLock(memory.get()));
    if (picture == nullptr) return pelmora::GlobalMemory();
    picture->mm = MM_ANISOTROPIC;
    picture->xExt = magnitude(roundCoord(width));
    picture->yExt = magnitude(roundCoord(height));
    picture->hMF = wmf;
    GlobalUnlock(memory.get());
    return memory;
}

}  // namespace

JNIEXPORT jint JNICALL Java_pelmora_platf_windows_NativeGraphics_toClipboardMF(JNIEnv*, jclass, jlong emf,
                                                                               jlong wmf, jfloat width,
                                                                               jfloat height) {
    // Prepared before the clipboard is opened, so that it stays open as briefly as possible.
    pelmora::GlobalMemory picture;
    if (wmf != 0) {
        picture = metafilePicture(handleFrom<HMETAFILE>(wmf), width, height);
        if (!picture) return 0;
    }

    const pelmora::OpenedClipboard clipboard;
    if (!clipboard) return 0;
    EmptyClipboard();
    // 1 tells the caller that the clipboard owns the enhanced metafile now (with emf 0: the Windows one); a
    // metafile the clipboard did not take stays with the caller, who must delete it.
    bool taken = true;
    if (emf != 0) taken = SetClipboardData(CF_ENHMETAFILE, handleFrom<HENHMETAFILE>(emf)) != nullptr;
    // Once the clipboard has the descriptor, it frees it; until then it is ours.
    if (picture && SetClipboardData(CF_METAFILEPICT, picture.get()) != nullptr) {
        picture.release();
    } else if (emf == 0) {
        taken = false;
    }
    return taken ? 1 : 0;
}
