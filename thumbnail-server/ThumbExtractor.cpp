#include "ThumbExtractor.h"

#include "ThumbRenderer.h"

#include <pelmora/com/ComBoundary.h>
#include <pelmora/com/InterfaceTable.h>

namespace pelmora::thumbsrv {

HRESULT CThumbExtractor::queryOwnInterface(REFIID iid, void** object) {
    IThumbExtractor* self = this;
    return com::answerFromInterfaceTable(
        {{IID_IUnknown, self}, {IID_IDispatch, self}, {IID_IThumbExtractor, self}}, iid, object);
}

HRESULT CThumbExtractor::createImage(BSTR* SGFText, unsigned short x, unsigned short y, BSTR* image) {
    if (!image) return E_POINTER;
    *image = nullptr;
    if (!SGFText) return E_INVALIDARG;
    // The caller's BSTR is only read; a null BSTR is an empty text.
    const BSTR text = *SGFText;
    return com::comBoundary([&] {
        *image = renderFromText(text ? text : L"", SysStringLen(text), x, y);
        return S_OK;
    });
}

}  // namespace pelmora::thumbsrv
