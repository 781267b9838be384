// Filled polygons without outline.
#include "pelmora_platf_windows_NativeGraphics.h"

#include <windows.h>

#include <algorithm>
#include <cstddef>

#include "Coordinates.h"
#include "JniArrayElements.h"
#include "JniHandles.h"
#include "NothrowBuffer.h"
#include "PolygonCounts.h"

#include <pelmora/Win32Handles.h>

using pelmora::handleFrom;
using pelmora::toJava;

namespace {

// Copies the Java arrays and draws; false (nothing drawn) when a copy fails or the counts ask for more
// points than there are. PolyPolygon's own result does not matter to the caller.
bool fillPolygons(JNIEnv* env, HDC dc, jfloatArray points, jintArray counts) {
    if (points == nullptr || counts == nullptr) return false;

    const auto polygonCount = static_cast<std::size_t>(env->GetArrayLength(counts));
    const auto countCopy = pelmora::allocateBuffer<INT>(polygonCount);
    if (!countCopy) return false;
    {
        const pelmora::JniIntArrayElements elements(env, counts);
        if (!elements) return false;
        std::copy_n(elements.get(), polygonCount, countCopy.get());
    }

    // An odd last value has no partner and is ignored.
    const auto pointCount = static_cast<std::size_t>(env->GetArrayLength(points)) / 2;
    if (!pelmora::countsFitPoints(countCopy.get(), polygonCount, pointCount)) return false;
    const auto pointCopy = pelmora::allocateBuffer<POINT>(pointCount);
    if (!pointCopy) return false;
    {
        const pelmora::JniFloatArrayElements elements(env, points);
        if (!elements) return false;
        for (std::size_t k = 0; k < pointCount; ++k) {
            pointCopy[k] = {pelmora::roundCoord(elements.get()[2 * k]),
                            pelmora::roundCoord(elements.get()[2 * k + 1])};
        }
    }

    PolyPolygon(dc, pointCopy.get(), countCopy.get(), static_cast<int>(polygonCount));
    return true;
}

}  // namespace

JNIEXPORT jlong JNICALL Java_pelmora_platf_windows_NativeGraphics_polyPolygon(JNIEnv* env, jclass, jlong dc,
                                                                              jfloatArray points,
                                                                              jintArray counts) {
    const auto hdc = handleFrom<HDC>(dc);
    // The caller's pen comes back on every path.
    pelmora::GdiSelection nullPen(hdc, GetStockObject(NULL_PEN));
    const bool drawn = fillPolygons(env, hdc, points, counts);
    const HGDIOBJ deselected = nullPen.restore();
    return drawn ? toJava(deselected) : 0;
}
