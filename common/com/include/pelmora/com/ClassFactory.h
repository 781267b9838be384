// The standard class object: IClassFactory over one class's creation routine.
#pragma once

#include <pelmora/com/ModuleLock.h>

#include <windows.h>

#include <unknwn.h>

#include <atomic>

namespace pelmora::com {

using InstanceCreator = HRESULT (*)(ModuleLock& module, IUnknown* outer, REFIID iid, void** object);

enum class Aggregation { allowed, refused };

// How the class object's own references count on the module. A local server's class objects are held by
// COM while registered and must not keep the process alive; an in-process server's class object counts
// while a client holds it beyond the module's own reference.
enum class ClassObjectLocking { never, whileClientsHoldIt };

struct ClassDescription {
    InstanceCreator create;
    Aggregation aggregation;
};

class ClassFactory final : public IClassFactory {
  public:
    // Makes a class object with one reference, which the caller owns; null when memory runs out.
    static ClassFactory* make(const ClassDescription& description, ModuleLock& module,
                              ClassObjectLocking locking);

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;
    HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID iid, void** object) override;
    HRESULT STDMETHODCALLTYPE LockServer(BOOL lock) override;

  private:
    ClassFactory(const ClassDescription& description, ModuleLock& module, ClassObjectLocking locking);
    ~ClassFactory() = default;

    const ClassDescription description_;
    ModuleLock& module_;
    const ClassObjectLocking locking_;
    std::atomic<ULONG> references_{1};
};

}  // namespace pelmora::com
