// Lines, Bézier curves, the pen position, paths and clipping, ellipses and rectangles.
#include "pelmora_platf_windows_NativeGraphics.h"

#include <windows.h>

#include "Coordinates.h"
#include "JniHandles.h"

using pelmora::handleFrom;
using pelmora::roundCoord;

namespace {

POINT currentPosition(jlong dc) {
    POINT position{};
    GetCurrentPositionEx(handleFrom<HDC>(dc), &position);
    return position;
}

}  // namespace

JNIEXPORT jint JNICALL Java_pelmora_platf_windows_NativeGraphics_moveTo(JNIEnv*, jclass, jlong dc, jfloat x,
                                                                        jfloat y) {
    return MoveToEx(handleFrom<HDC>(dc), roundCoord(x), roundCoord(y), nullptr);
}

JNIEXPORT jint JNICALL Java_pelmora_platf_windows_NativeGraphics_lineTo(JNIEnv*, jclass, jlong dc, jfloat x,
                                                                        jfloat y) {
    return LineTo(handleFrom<HDC>(dc), roundCoord(x), roundCoord(y));
}

JNIEXPORT jint JNICALL Java_pelmora_platf_windows_NativeGraphics_getPenX(JNIEnv*, jclass, jlong dc) {
    return currentPosition(dc).x;
}

JNIEXPORT jint JNICALL Java_pelmora_platf_windows_NativeGraphics_getPenY(JNIEnv*, jclass, jlong dc) {
    return currentPosition(dc).y;
}

JNIEXPORT jint JNICALL Java_pelmora_platf_windows_NativeGraphics_beginPath(JNIEnv*, jclass, jlong dc) {
    return BeginPath(handleFrom<HDC>(dc));
}

JNIEXPORT jint JNICALL Java_pelmora_platf_windows_NativeGraphics_endPath(JNIEnv*, jclass, jlong dc) {
    return EndPath(handleFrom<HDC>(dc));
}

JNIEXPORT jint JNICALL Java_pelmora_platf_windows_NativeGraphics_closeFigure(JNIEnv*, jclass, jlong dc) {
    return CloseFigure(handleFrom<HDC>(dc));
}

JNIEXPORT jint JNICALL Java_pelmora_platf_windows_NativeGraphics_fillPath(JNIEnv*, jclass, jlong dc) {
    return FillPath(handleFrom<HDC>(dc));
}

JNIEXPORT jint JNICALL Java_pelmora_platf_windows_NativeGraphics_selectClipPath(JNIEnv*, jclass, jlong dc) {
    return SelectClipPath(handleFrom<HDC>(dc), RGN_COPY);
}

JNIEXPORT jint JNICALL Java_pelmora_platf_windows_NativeGraphics_setPolyFillMode(JNIEnv*, jclass, jlong dc,
                                                                                 jint mode) {
    return SetPolyFillMode(handleFrom<HDC>(dc), mode);
}

JNIEXPORT jint JNICALL Java_pelmora_platf_windows_NativeGraphics_polyBezierTo(JNIEnv*, jclass, jlong dc,
                                                                              jfloat x1, jfloat y1, jfloat x2,
                                                                              jfloat y2, jfloat x3,
                                                                              jfloat y3) {
    const POINT points[] = {
        {roundCoord(x1), roundCoord(y1)}, {roundCoord(x2), roundCoord(y2)}, {roundCoord(x3), roundCoord(y3)}};
    return PolyBezierTo(handleFrom<HDC>(dc), points, 3);
}

JNIEXPORT jint JNICALL Java_pelmora_platf_windows_NativeGraphics_drawEllipse(JNIEnv*, jclass, jlong dc,
                                                                             jfloat left, jfloat top,
                                                                             jfloat right, jfloat bottom) {
    return Ellipse(handleFrom<HDC>(dc), roundCoord(left), roundCoord(top), roundCoord(right),
                   roundCoord(bottom));
}

JNIEXPORT jint JNICALL Java_pelmora_platf_windows_NativeGraphics_drawRectangle(JNIEnv*, jclass, jlong dc,
                                                                               jfloat left, jfloat top,
                                                                               jfloat right, jfloat bottom) {
    return Rectangle(handleFrom<HDC>(dc), roundCoord(left), roundCoord(top), roundCoord(right),
                     roundCoord(bottom));
}
