// Enhanced metafiles: recording contexts, closing, deleting, and conversion to old-style Windows metafiles.
#include "pelmora_platf_windows_NativeGraphics.h"

#include <windows.h>

#include <algorithm>

#include "Coordinates.h"
#include "JniHandles.h"
#include "NothrowBuffer.h"
#include "SupportHandles.h"

using pelmora::handleFrom;
using pelmora::roundCoord;
using pelmora::toJava;

namespace {

// Application name and picture title, ended by an empty string (the literal adds the last NUL).
constexpr wchar_t metafileDescription[] = L"Pelmora\0Diagram\0";

}  // namespace

JNIEXPORT jlong JNICALL Java_pelmora_platf_windows_NativeGraphics_createEMFUnicode(JNIEnv*, jclass,
                                                                                   jlong refDc, jfloat left,
                                                                                   jfloat top, jfloat right,
                                                                                   jfloat bottom) {
    const RECT frame{roundCoord(left), roundCoord(top), roundCoord(right), roundCoord(bottom)};
    const HDC dc = CreateEnhMetaFileW(handleFrom<HDC>(refDc), nullptr, &frame, metafileDescription);
    // 0.01 mm units with y growing upwards; the frame's upper-left corner becomes the device origin.
    SetMapMode(dc, MM_HIMETRIC);
    SetWindowOrgEx(dc, std::min(frame.left, frame.right), std::max(frame.top, frame.bottom), nullptr);
    SetTextAlign(dc, TA_BASELINE);
    SetBkMode(dc, TRANSPARENT);
    return toJava(dc);
}

JNIEXPORT jlong JNICALL Java_pelmora_platf_windows_NativeGraphics_closeEMF(JNIEnv*, jclass, jlong emfDc) {
    return toJava(CloseEnhMetaFile(handleFrom<HDC>(emfDc)));
}

JNIEXPORT jint JNICALL Java_pelmora_platf_windows_NativeGraphics_deleteEMF(JNIEnv*, jclass, jlong emf) {
    return DeleteEnhMetaFile(handleFrom<HENHMETAFILE>(emf));
}

JNIEXPORT jlong JNICALL Java_pelmora_platf_windows_NativeGraphics_convertEMF2WMF(JNIEnv*, jclass, jlong emf,
                                                                                 jlong refDc) {
    const auto metafile = handleFrom<HENHMETAFILE>(emf);
    HDC reference = handleFrom<HDC>(refDc);
    // The conversion divides by the reference's resolution: without a printer the screen stands in.
    pelmora::ScreenDc screen;
    if (reference == nullptr) {
        screen.reset(GetDC(nullptr));
        reference = screen.get();
        if (reference == nullptr) return 0;
    }

    const UINT size = GetWinMetaFileBits(metafile, 0, nullptr, MM_ANISOTROPIC, reference);
    if (size == 0) return 0;
    const auto bits = pelmora::allocateBuffer<BYTE>(size);
    if (!bits) return 0;
    if (GetWinMetaFileBits(metafile, size, bits.get(), MM_ANISOTROPIC, reference) == 0) return 0;
    return toJava(SetMetaFileBitsEx(size, bits.get()));
}
