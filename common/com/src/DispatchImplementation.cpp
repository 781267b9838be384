#include <pelmora/com/ComBoundary.h>
#include <pelmora/com/ComPtr.h>
#include <pelmora/com/DispatchImplementation.h>

#include <oleauto.h>

namespace pelmora::com {

TypeInfoHolder::~TypeInfoHolder() {
    if (cached_) cached_->Release();
}

HRESULT TypeInfoHolder::load(LCID locale, ITypeInfo** info) {
    return comBoundary([&] {
        std::lock_guard<std::mutex> guard(mutex_);
        if (!cached_) {
            ComPtr<ITypeLib> library;
            const HRESULT loaded = LoadRegTypeLib(library_, 1, 0, locale, library.receive());
            if (FAILED(loaded)) return loaded;
            const HRESULT found = library->GetTypeInfoOfGuid(iid_, &cached_);
            if (FAILED(found)) return found;
        }
        cached_->AddRef();
        *info = cached_;
        return S_OK;
    });
}

HRESULT TypeInfoHolder::typeInfoCount(UINT* count) {
    if (!count) return E_POINTER;
    *count = 1;
    return S_OK;
}

HRESULT TypeInfoHolder::typeInfo(UINT index, LCID locale, ITypeInfo** info) {
    if (!info) return E_POINTER;
    *info = nullptr;
    if (index != 0) return DISP_E_BADINDEX;
    return load(locale, info);
}

HRESULT TypeInfoHolder::idsOfNames(REFIID, LPOLESTR* names, UINT count, LCID locale, DISPID* ids) {
    ComPtr<ITypeInfo> info;
    const HRESULT loaded = load(locale, info.receive());
    if (FAILED(loaded)) return loaded;
    return info->GetIDsOfNames(names, count, ids);
}

HRESULT TypeInfoHolder::invoke(void* instance, DISPID member, REFIID iid, LCID locale, WORD flags,
                               DISPPARAMS* parameters, VARIANT* result, EXCEPINFO* exception,
                               UINT* argumentError) {
    if (!IsEqualIID(iid, IID_NULL)) return DISP_E_UNKNOWNINTERFACE;
    ComPtr<ITypeInfo> info;
    const HRESULT loaded = load(locale, info.receive());
    if (FAILED(loaded)) return loaded;
    return info->Invoke(instance, member, flags, parameters, result, exception, argumentError);
}

}  // namespace pelmora::com
