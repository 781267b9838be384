#include <pelmora/com/ComObject.h>

namespace pelmora::com {

ObjectRoot::ObjectRoot(ModuleLock& module, IUnknown* outer) : module_(module), outer_(outer), inner_(*this) {
    module_.lock();
}

ObjectRoot::~ObjectRoot() {
    module_.unlock();
}

HRESULT ObjectRoot::delegatingQueryInterface(REFIID iid, void** object) {
    return outer_ ? outer_->QueryInterface(iid, object) : ownQueryInterface(iid, object);
}

ULONG ObjectRoot::delegatingAddRef() {
    return outer_ ? outer_->AddRef() : ownAddRef();
}

ULONG ObjectRoot::delegatingRelease() {
    return outer_ ? outer_->Release() : ownRelease();
}

HRESULT ObjectRoot::ownQueryInterface(REFIID iid, void** object) {
    // Inside an aggregate the object's identity is the outer object's; only the inner IUnknown is its own.
    if (outer_ && IsEqualIID(iid, IID_IUnknown)) {
        if (!object) return E_POINTER;
        inner_.AddRef();
        *object = &inner_;
        return S_OK;
    }
    return queryOwnInterface(iid, object);
}

ULONG ObjectRoot::ownAddRef() {
    return ++references_;
}

ULONG ObjectRoot::ownRelease() {
    const ULONG remaining = --references_;
    if (remaining == 0) delete this;
    return remaining;
}

HRESULT ObjectRoot::InnerUnknown::QueryInterface(REFIID iid, void** object) {
    return owner_.ownQueryInterface(iid, object);
}

ULONG ObjectRoot::InnerUnknown::AddRef() {
    return owner_.ownAddRef();
}

ULONG ObjectRoot::InnerUnknown::Release() {
    return owner_.ownRelease();
}

}  // namespace pelmora::com
