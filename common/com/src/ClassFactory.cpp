#include <pelmora/com/ClassFactory.h>
#include <pelmora/com/InterfaceTable.h>

#include <new>

namespace pelmora::com {

ClassFactory* ClassFactory::make(const ClassDescription& description, ModuleLock& module,
                                 ClassObjectLocking locking) {
    return new (std::nothrow) ClassFactory(description, module, locking);
}

ClassFactory::ClassFactory(const ClassDescription& description, ModuleLock& module,
                           ClassObjectLocking locking)
    : description_(description), module_(module), locking_(locking) {}

HRESULT ClassFactory::QueryInterface(REFIID iid, void** object) {
    return answerFromInterfaceTable({{IID_IUnknown, this}, {IID_IClassFactory, this}}, iid, object);
}

ULONG ClassFactory::AddRef() {
    if (locking_ == ClassObjectLocking::never) return ++references_;
    ULONG count = 0;
    module_.changeTogether([&] {
        count = ++references_;
        if (count == 2) module_.lock();
    });
    return count;
}

ULONG ClassFactory::Release() {
    ULONG count = 0;
    if (locking_ == ClassObjectLocking::never) {
        count = --references_;
    } else {
        module_.changeTogether([&] {
            count = --references_;
            if (count == 1) module_.unlock();
        });
    }
    if (count == 0) delete this;
    return count;
}

HRESULT ClassFactory::CreateInstance(IUnknown* outer, REFIID iid, void** object) {
    if (!object) return E_POINTER;
    *object = nullptr;
    if (outer && (!IsEqualIID(iid, IID_IUnknown) || description_.aggregation == Aggregation::refused)) {
        return CLASS_E_NOAGGREGATION;
    }
    return description_.create(module_, outer, iid, object);
}

HRESULT ClassFactory::LockServer(BOOL lock) {
    if (lock) {
        module_.lock();
    } else {
        module_.unlock();
    }
    return S_OK;
}

}  // namespace pelmora::com
