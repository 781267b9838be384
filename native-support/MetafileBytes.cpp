// An enhanced metafile's bytes, as stored in an .emf file, handed to Java.
#include "pelmora_platf_windows_NativeGraphics.h"

#include <windows.h>

#include <algorithm>
#include <cstddef>
#include <limits>

#include "JniAllocation.h"
#include "JniArrayElements.h"
#include "JniHandles.h"
#include "NothrowBuffer.h"

namespace {

bool copyToArray(JNIEnv* env, jbyteArray array, const BYTE* bytes, std::size_t size) {
    const pelmora::JniByteArrayElements elements(env, array);
    if (!elements) return false;
    std::copy_n(bytes, size, reinterpret_cast<BYTE*>(elements.get()));
    return true;
}

}  // namespace

JNIEXPORT jbyteArray JNICALL Java_pelmora_platf_windows_NativeGraphics_clipboardBitsEMF(JNIEnv* env, jclass,
                                                                                        jlong emf) {
    const auto metafile = pelmora::handleFrom<HENHMETAFILE>(emf);
    UINT size = GetEnhMetaFileBits(metafile, 0, nullptr);
    // A Java array cannot hold more than the largest int.
    if (size > static_cast<UINT>(std::numeric_limits<jsize>::max())) return nullptr;
    const auto bits = pelmora::allocateBuffer<BYTE>(size > 0 ? size : 1);
    if (!bits) return nullptr;
    // No bytes (no metafile) give an empty array, whose length the caller may read.
    if (size > 0 && GetEnhMetaFileBits(metafile, size, bits.get()) != size) size = 0;

    const jbyteArray array = env->NewByteArray(static_cast<jsize>(size));
    if (array == nullptr) {
        pelmora::clearFailedAllocation(env);
        return nullptr;
    }
    if (size > 0 && !copyToArray(env, array, bits.get(), size)) {
        env->DeleteLocalRef(array);
        return nullptr;
    }
    return array;
}
