#include "MetafileRecording.h"

#include <stdexcept>

#include "SupportLibrary.h"
#include "TestJvm.h"

namespace pelmora::test {

MetafileRecording::MetafileRecording(float left, float top, float right, float bottom, jlong referenceDc)
    : dc_(NATIVE_GRAPHICS(createEMFUnicode)(TestJvm::instance().env(), nullptr, referenceDc, left, top, right,
                                            bottom)) {
    if (dc_ == 0) throw std::runtime_error("createEMFUnicode gave no DC");
}

MetafileRecording::~MetafileRecording() {
    finish();
    if (metafile_ != nullptr) DeleteEnhMetaFile(metafile_);
}

HENHMETAFILE MetafileRecording::finish() {
    if (!finished_) {
        finished_ = true;
        const jlong closed = NATIVE_GRAPHICS(closeEMF)(TestJvm::instance().env(), nullptr, dc_);
        metafile_ = reinterpret_cast<HENHMETAFILE>(static_cast<INT_PTR>(closed));
    }
    return metafile_;
}

HENHMETAFILE MetafileRecording::release() {
    const HENHMETAFILE metafile = finish();
    metafile_ = nullptr;
    return metafile;
}

std::vector<EmfRecord> MetafileRecording::records() {
    return recordsOf(finish());
}

}  // namespace pelmora::test
