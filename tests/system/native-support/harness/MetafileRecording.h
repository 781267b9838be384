// An enhanced metafile recorded through the support library: createEMFUnicode at the start, closeEMF at
// the end, and the metafile deleted with the object.
#pragma once

#include <windows.h>

#include <jni.h>

#include <vector>

#include "EmfRecords.h"

namespace pelmora::test {

class MetafileRecording {
  public:
    // createEMFUnicode(referenceDc, left, top, right, bottom); throws when no DC comes back.
    MetafileRecording(float left, float top, float right, float bottom, jlong referenceDc = 0);
    MetafileRecording(const MetafileRecording&) = delete;
    MetafileRecording& operator=(const MetafileRecording&) = delete;
    ~MetafileRecording();

    // The recording DC as Java holds it.
    jlong dc() const { return dc_; }
    // Ends the recording with closeEMF (once) and returns the metafile, still owned by this object.
    HENHMETAFILE finish();
    // Gives the metafile away (to the clipboard, or to a test that deletes it itself).
    HENHMETAFILE release();
    // finish(), then every record.
    std::vector<EmfRecord> records();

  private:
    jlong dc_ = 0;
    HENHMETAFILE metafile_ = nullptr;
    bool finished_ = false;
};

}  // namespace pelmora::test
