// Fonts, text output and its alignment, colour and extent, and whether a text fits the ANSI code page.
#include "pelmora_platf_windows_NativeGraphics.h"

#include <windows.h>

#include "ColorPacking.h"
#include "Coordinates.h"
#include "JniHandles.h"
#include "JniStringChars.h"
#include "NothrowBuffer.h"

using pelmora::handleFrom;
using pelmora::handleFromInt;
using pelmora::JniStringChars;
using pelmora::roundCoord;
using pelmora::toJava;

namespace {

// The text's extent on a DC given as a Java int; zero when the characters cannot be had.
SIZE textExtent(JNIEnv* env, jint dc, jstring text) {
    SIZE extent{};
    const JniStringChars chars(env, text);
    if (chars) GetTextExtentPoint32W(handleFromInt<HDC>(dc), chars.data(), chars.length(), &extent);
    return extent;
}

}  // namespace

JNIEXPORT jlong JNICALL Java_pelmora_platf_windows_NativeGraphics_createFontUnicode(JNIEnv* env, jclass,
                                                                                    jstring faceName,
                                                                                    jint size, jint weight) {
    const JniStringChars chars(env, faceName);
    if (!chars) return 0;
    const auto face = chars.terminatedCopy();
    if (!face) return 0;

    LOGFONTW font{};
    // A negative height asks for the character height, without internal leading. Negated in unsigned
    // arithmetic so that the smallest int wraps instead of overflowing.
    font.lfHeight = static_cast<LONG>(0UL - static_cast<unsigned long>(size));
    font.lfWeight = weight;
    font.lfCharSet = ANSI_CHARSET;
    font.lfOutPrecision = OUT_TT_ONLY_PRECIS;
    font.lfClipPrecision = CLIP_DEFAULT_PRECIS;
    font.lfQuality = PROOF_QUALITY;
    font.lfPitchAndFamily = VARIABLE_PITCH | FF_SWISS;
    // Cut to LF_FACESIZE including the terminator: a longer name must not overrun the field.
    lstrcpynW(font.lfFaceName, face.get(), LF_FACESIZE);
    return toJava(CreateFontIndirectW(&font));
}

JNIEXPORT jint JNICALL Java_pelmora_platf_windows_NativeGraphics_outTextUnicode(JNIEnv* env, jclass, jlong dc,
                                                                                jstring text, jfloat x,
                                                                                jfloat y) {
    const JniStringChars chars(env, text);
    if (!chars) return 0;
    return TextOutW(handleFrom<HDC>(dc), roundCoord(x), roundCoord(y), chars.data(), chars.length());
}

JNIEXPORT jint JNICALL Java_pelmora_platf_windows_NativeGraphics_getTextAlign(JNIEnv*, jclass, jlong dc) {
    return static_cast<jint>(GetTextAlign(handleFrom<HDC>(dc)));
}

JNIEXPORT jint JNICALL Java_pelmora_platf_windows_NativeGraphics_setTextAlign(JNIEnv*, jclass, jlong dc,
                                                                              jint align) {
    return static_cast<jint>(SetTextAlign(handleFrom<HDC>(dc), static_cast<UINT>(align)));
}

JNIEXPORT jint JNICALL Java_pelmora_platf_windows_NativeGraphics_GetTextExtentPoint32Unicode_1height(
    JNIEnv* env, jclass, jint dc, jstring text) {
    return textExtent(env, dc, text).cy;
}

JNIEXPORT jint JNICALL Java_pelmora_platf_windows_NativeGraphics_GetTextExtentPoint32Unicode_1width(
    JNIEnv* env, jclass, jint dc, jstring text) {
    return textExtent(env, dc, text).cx;
}

JNIEXPORT jint JNICALL Java_pelmora_platf_windows_NativeGraphics_canPresentASCII(JNIEnv* env, jclass, jlong,
                                                                                 jstring text) {
    const JniStringChars chars(env, text);
    if (!chars) return 0;
    BOOL defaultUsed = FALSE;
    const int size =
        WideCharToMultiByte(CP_ACP, 0, chars.data(), chars.length(), nullptr, 0, nullptr, &defaultUsed);
    const auto converted = pelmora::allocateBuffer<char>(static_cast<std::size_t>(size) + 1);
    if (!converted) return 0;
    defaultUsed = FALSE;
    WideCharToMultiByte(CP_ACP, 0, chars.data(), chars.length(), converted.get(), size + 1, nullptr,
                        &defaultUsed);
    return defaultUsed ? 0 : -1;
}

JNIEXPORT jint JNICALL Java_pelmora_platf_windows_NativeGraphics_canPresentUnicode(JNIEnv*, jclass, jlong,
                                                                                   jstring) {
    return -1;
}

JNIEXPORT jint JNICALL Java_pelmora_platf_windows_NativeGraphics_setTextColor(JNIEnv*, jclass, jlong dc,
                                                                              jint red, jint green,
                                                                              jint blue) {
    return static_cast<jint>(SetTextColor(handleFrom<HDC>(dc), pelmora::packColor(red, green, blue)));
}
