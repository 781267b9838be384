// CThumbExtractor: a thumbnail from the path of a game record.
#pragma once

#include "PelmoraThumbSrv.h"

#include <pelmora/com/ComObject.h>
#include <pelmora/com/DispatchImplementation.h>

namespace pelmora::thumbsrv {

class CThumbExtractor final
    : public com::ComObject<
          CThumbExtractor,
          com::DispatchImplementation<IThumbExtractor, &IID_IThumbExtractor, &LIBID_PelmoraThumbSrvLib>> {
  public:
    CThumbExtractor(com::ModuleLock& module, IUnknown* outer) : ComObject(module, outer) {}

    // SGFText is the path; the renderer's bytes come back in image, or null for no image.
    HRESULT STDMETHODCALLTYPE createImage(BSTR* SGFText, unsigned short x, unsigned short y,
                                          BSTR* image) override;

  private:
    HRESULT queryOwnInterface(REFIID iid, void** object) override;
};

}  // namespace pelmora::thumbsrv
