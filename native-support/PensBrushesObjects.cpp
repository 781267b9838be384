// Pens, brushes, and selecting and deleting GDI objects.
#include "pelmora_platf_windows_NativeGraphics.h"

#include <windows.h>

#include "ColorPacking.h"
#include "Coordinates.h"
#include "JniHandles.h"

using pelmora::handleFrom;
using pelmora::packColor;
using pelmora::toJava;

JNIEXPORT jlong JNICALL Java_pelmora_platf_windows_NativeGraphics_selectStockObject(JNIEnv*, jclass, jlong dc,
                                                                                    jint index) {
    return toJava(SelectObject(handleFrom<HDC>(dc), GetStockObject(index)));
}

JNIEXPORT jlong JNICALL Java_pelmora_platf_windows_NativeGraphics_selectObject(JNIEnv*, jclass, jlong dc,
                                                                               jlong object) {
    return toJava(SelectObject(handleFrom<HDC>(dc), handleFrom<HGDIOBJ>(object)));
}

JNIEXPORT jint JNICALL Java_pelmora_platf_windows_NativeGraphics_deleteObject(JNIEnv*, jclass, jlong object) {
    return DeleteObject(handleFrom<HGDIOBJ>(object));
}

JNIEXPORT jlong JNICALL Java_pelmora_platf_windows_NativeGraphics_createBrush(JNIEnv*, jclass, jint solid,
                                                                              jint red, jint green,
                                                                              jint blue) {
    LOGBRUSH brush{};
    // A hollow brush keeps its colour too.
    brush.lbStyle = solid != 0 ? BS_SOLID : BS_HOLLOW;
    brush.lbColor = packColor(red, green, blue);
    brush.lbHatch = 0;
    return toJava(CreateBrushIndirect(&brush));
}

JNIEXPORT jlong JNICALL Java_pelmora_platf_windows_NativeGraphics_createPen(JNIEnv*, jclass, jfloat width,
                                                                            jint red, jint green, jint blue) {
    // Widths are truncated, not rounded; a negative width asks for a pen that draws nothing.
    const int penWidth = pelmora::truncateToInt32(width);
    return toJava(CreatePen(width < 0 ? PS_NULL : PS_SOLID, penWidth, packColor(red, green, blue)));
}
