// CExtThumbExtractor: a thumbnail from the first bytes of a game record, given as a stream or a BSTR.
#pragma once

#include "PelmoraThumbSrv.h"

#include <pelmora/com/ComObject.h>
#include <pelmora/com/DispatchImplementation.h>

#include <cstddef>

namespace pelmora::thumbsrv {

class CExtThumbExtractor final
    : public com::ComObject<CExtThumbExtractor,
                            com::DispatchImplementation<IExtThumbExtractor, &IID_IExtThumbExtractor,
                                                        &LIBID_PelmoraThumbSrvLib>> {
  public:
    // The most the renderer is given of a stream, read in one call.
    static constexpr std::size_t readLimit = 20000;

    CExtThumbExtractor(com::ModuleLock& module, IUnknown* outer) : ComObject(module, outer) {}

    HRESULT STDMETHODCALLTYPE createImage(IStream* stream, unsigned short x, unsigned short y,
                                          BSTR* image) override;
    // The BSTR's bytes, all of them.
    HRESULT STDMETHODCALLTYPE createImageSgf(BSTR* sgf, unsigned short x, unsigned short y,
                                             BSTR* image) override;

  private:
    HRESULT queryOwnInterface(REFIID iid, void** object) override;
};

}  // namespace pelmora::thumbsrv
