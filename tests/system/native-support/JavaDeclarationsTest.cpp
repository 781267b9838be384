// The native methods as the Java classes declare them (javac's JNI headers, which the library's sources
// implement), held against the parameter lists and results the library promises. A declaration that drifts
// stops this file from compiling.
#include <type_traits>

#include "pelmora_platf_windows_NativeGraphics.h"
#include "pelmora_platf_windows_WindowsUtil.h"

namespace {

// The methods are static: the second parameter is the class.
#define EXPECT_PROTOTYPE(name, result, ...)                                       \
    static_assert(std::is_same_v<decltype(&Java_pelmora_platf_windows_##name),    \
                                 result(JNICALL*)(JNIEnv*, jclass, __VA_ARGS__)>, \
                  #name " has the wrong prototype")

EXPECT_PROTOTYPE(NativeGraphics_createFontUnicode, jlong, jstring, jint, jint);
EXPECT_PROTOTYPE(NativeGraphics_outTextUnicode, jint, jlong, jstring, jfloat, jfloat);
EXPECT_PROTOTYPE(NativeGraphics_getTextAlign, jint, jlong);
EXPECT_PROTOTYPE(NativeGraphics_setTextAlign, jint, jlong, jint);
EXPECT_PROTOTYPE(NativeGraphics_GetTextExtentPoint32Unicode_1height, jint, jint, jstring);
EXPECT_PROTOTYPE(NativeGraphics_GetTextExtentPoint32Unicode_1width, jint, jint, jstring);
EXPECT_PROTOTYPE(NativeGraphics_canPresentASCII, jint, jlong, jstring);
EXPECT_PROTOTYPE(NativeGraphics_canPresentUnicode, jint, jlong, jstring);
EXPECT_PROTOTYPE(NativeGraphics_selectStockObject, jlong, jlong, jint);
EXPECT_PROTOTYPE(NativeGraphics_selectObject, jlong, jlong, jlong);
EXPECT_PROTOTYPE(NativeGraphics_deleteObject, jint, jlong);
EXPECT_PROTOTYPE(NativeGraphics_moveTo, jint, jlong, jfloat, jfloat);
EXPECT_PROTOTYPE(NativeGraphics_lineTo, jint, jlong, jfloat, jfloat);
EXPECT_PROTOTYPE(NativeGraphics_getPenX, jint, jlong);
EXPECT_PROTOTYPE(NativeGraphics_getPenY, jint, jlong);
EXPECT_PROTOTYPE(NativeGraphics_beginPath, jint, jlong);
EXPECT_PROTOTYPE(NativeGraphics_endPath, jint, jlong);
EXPECT_PROTOTYPE(NativeGraphics_closeFigure, jint, jlong);
EXPECT_PROTOTYPE(NativeGraphics_fillPath, jint, jlong);
EXPECT_PROTOTYPE(NativeGraphics_selectClipPath, jint, jlong);
EXPECT_PROTOTYPE(NativeGraphics_setPolyFillMode, jint, jlong, jint);
EXPECT_PROTOTYPE(NativeGraphics_polyBezierTo, jint, jlong, jfloat, jfloat, jfloat, jfloat, jfloat, jfloat);
EXPECT_PROTOTYPE(NativeGraphics_setTextColor, jint, jlong, jint, jint, jint);
EXPECT_PROTOTYPE(NativeGraphics_createBrush, jlong, jint, jint, jint, jint);
EXPECT_PROTOTYPE(NativeGraphics_createPen, jlong, jfloat, jint, jint, jint);
EXPECT_PROTOTYPE(NativeGraphics_drawEllipse, jint, jlong, jfloat, jfloat, jfloat, jfloat);
EXPECT_PROTOTYPE(NativeGraphics_drawRectangle, jint, jlong, jfloat, jfloat, jfloat, jfloat);
EXPECT_PROTOTYPE(NativeGraphics_polyPolygon, jlong, jlong, jfloatArray, jintArray);
static_assert(std::is_same_v<decltype(&Java_pelmora_platf_windows_NativeGraphics_createRefDC),
                             jlong(JNICALL*)(JNIEnv*, jclass)>,
              "NativeGraphics_createRefDC has the wrong prototype");
EXPECT_PROTOTYPE(NativeGraphics_deleteRefDC, jint, jlong);
EXPECT_PROTOTYPE(NativeGraphics_createEMFUnicode, jlong, jlong, jfloat, jfloat, jfloat, jfloat);
EXPECT_PROTOTYPE(NativeGraphics_closeEMF, jlong, jlong);
EXPECT_PROTOTYPE(NativeGraphics_deleteEMF, jint, jlong);
EXPECT_PROTOTYPE(NativeGraphics_convertEMF2WMF, jlong, jlong, jlong);
EXPECT_PROTOTYPE(NativeGraphics_toClipboardMF, jint, jlong, jlong, jfloat, jfloat);
EXPECT_PROTOTYPE(NativeGraphics_clipboardBitsEMF, jbyteArray, jlong);

EXPECT_PROTOTYPE(WindowsUtil_createMutex, jlong, jstring, jboolean);
EXPECT_PROTOTYPE(WindowsUtil_releaseMutex, jint, jlong);
EXPECT_PROTOTYPE(WindowsUtil_closeHandle, jint, jlong);
EXPECT_PROTOTYPE(WindowsUtil_documentOpened, void, jstring);
EXPECT_PROTOTYPE(WindowsUtil_mailSgf, jint, jstring, jstring, jstring, jstring);

// mailSgf's results as the Java class names them.
static_assert(pelmora_platf_windows_WindowsUtil_MAIL_NOT_AVAILABLE == 1);
static_assert(pelmora_platf_windows_WindowsUtil_MAIL_INITIALIZE_FAILED == 2);
static_assert(pelmora_platf_windows_WindowsUtil_MAIL_LOGON_FAILED == 3);
static_assert(pelmora_platf_windows_WindowsUtil_MAIL_NOT_SENT == 4);
static_assert(pelmora_platf_windows_WindowsUtil_MAIL_HANDED_OVER == 5);

}  // namespace
