// IUnknown for the objects of a COM class, aggregatable or not. A class derives from
// ComObject<Its, Interfaces...> and lists its interfaces in queryOwnInterface. Each live object holds one
// reference on its module.
#pragma once

#include <pelmora/com/ModuleLock.h>

#include <windows.h>

#include <unknwn.h>

#include <atomic>
#include <new>

namespace pelmora::com {

class ObjectRoot {
  public:
    ObjectRoot(const ObjectRoot&) = delete;
    ObjectRoot& operator=(const ObjectRoot&) = delete;

    // The non-delegating IUnknown: what an aggregating outer object holds, and what creation hands out.
    IUnknown* innerUnknown() { return &inner_; }

  protected:
    // outer is null unless the object is created as part of an aggregate.
    ObjectRoot(ModuleLock& module, IUnknown* outer);
    virtual ~ObjectRoot();

    // The class's own interfaces, IUnknown among them.
    virtual HRESULT queryOwnInterface(REFIID iid, void** object) = 0;

    // IUnknown as the object's interfaces expose it: the outer object's when aggregated.
    HRESULT delegatingQueryInterface(REFIID iid, void** object);
    ULONG delegatingAddRef();
    ULONG delegatingRelease();

  private:
    class InnerUnknown final : public IUnknown {
      public:
        explicit InnerUnknown(ObjectRoot& owner) : owner_(owner) {}
        HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
        ULONG STDMETHODCALLTYPE AddRef() override;
        ULONG STDMETHODCALLTYPE Release() override;

      private:
        ObjectRoot& owner_;
    };

    HRESULT ownQueryInterface(REFIID iid, void** object);
    ULONG ownAddRef();
    ULONG ownRelease();

    ModuleLock& module_;
    IUnknown* const outer_;
    InnerUnknown inner_;
    std::atomic<ULONG> references_{0};
};

template <class Derived, class... Interfaces>
class ComObject : public Interfaces..., public ObjectRoot {
  public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
        return delegatingQueryInterface(iid, object);
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return delegatingAddRef(); }
    ULONG STDMETHODCALLTYPE Release() override { return delegatingRelease(); }

  protected:
    ComObject(ModuleLock& module, IUnknown* outer) : ObjectRoot(module, outer) {}
};

// Makes an object of Class (constructed from the module and the outer object) and asks it for iid. When that
// fails the new object is gone again and the failure is returned. Aggregation rules belong to the caller.
template <class Class>
HRESULT createObject(ModuleLock& module, IUnknown* outer, REFIID iid, void** object) {
    if (!object) return E_POINTER;
    *object = nullptr;
    auto* created = new (std::nothrow) Class(module, outer);
    if (!created) return E_OUTOFMEMORY;
    IUnknown* inner = created->innerUnknown();
    inner->AddRef();
    const HRESULT result = inner->QueryInterface(iid, object);
    inner->Release();
    return result;
}

}  // namespace pelmora::com
