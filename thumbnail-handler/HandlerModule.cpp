#include "HandlerModule.h"

#include "HandlerClasses.h"

#include <pelmora/com/ComBoundary.h>

namespace pelmora::thumb {
namespace {

class CriticalSectionLock {
  public:
    explicit CriticalSectionLock(CRITICAL_SECTION& section) : section_(section) {
        EnterCriticalSection(&section_);
    }
    CriticalSectionLock(const CriticalSectionLock&) = delete;
    CriticalSectionLock& operator=(const CriticalSectionLock&) = delete;
    ~CriticalSectionLock() { LeaveCriticalSection(&section_); }

  private:
    CRITICAL_SECTION& section_;
};

}  // namespace

HandlerModule& handlerModule() {
    static HandlerModule module;
    return module;
}

bool HandlerModule::attach(HINSTANCE instance) {
    instance_ = instance;
    creationReady_ = InitializeCriticalSectionAndSpinCount(&moduleLock_, 0) != FALSE;
    return creationReady_;
}

void HandlerModule::detach() {
    for (com::ComPtr<com::ClassFactory>& classObject : classObjects_) classObject.reset();
    if (creationReady_) DeleteCriticalSection(&moduleLock_);
    creationReady_ = false;
}

void HandlerModule::changeTogether(const std::function<void()>& change) {
    const CriticalSectionLock lock(moduleLock_);
    change();
}

bool HandlerModule::canUnload() {
    const CriticalSectionLock lock(moduleLock_);
    return lockCount_ == 0;
}

HRESULT HandlerModule::classObject(REFCLSID clsid, REFIID iid, void** object) {
    if (!object) return E_POINTER;
    *object = nullptr;
    const auto& classes = handlerClasses();
    for (std::size_t index = 0; index < classes.size(); ++index) {
        if (!IsEqualCLSID(clsid, classes[index].clsid)) continue;
        com::ComPtr<com::ClassFactory> classObject;
        {
            const CriticalSectionLock lock(moduleLock_);
            if (!classObjects_[index]) {
                classObjects_[index] = com::ComPtr<com::ClassFactory>::adopt(com::ClassFactory::make(
                    classes[index].description, *this, com::ClassObjectLocking::whileClientsHoldIt));
            }
            classObject = classObjects_[index];
        }
        if (!classObject) return E_OUTOFMEMORY;
        return classObject->QueryInterface(iid, object);
    }
    return CLASS_E_CLASSNOTAVAILABLE;
}

}  // namespace pelmora::thumb

using pelmora::thumb::handlerModule;

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, void* reserved) {
    if (reason == DLL_PROCESS_ATTACH) {
        DisableThreadLibraryCalls(instance);
        return handlerModule().attach(instance) ? TRUE : FALSE;
    }
    // When the process ends, other threads are gone, maybe inside the module's lock: touch nothing.
    if (reason == DLL_PROCESS_DETACH && reserved == nullptr) handlerModule().detach();
    return TRUE;
}

extern "C" HRESULT STDAPICALLTYPE DllGetClassObject(REFCLSID clsid, REFIID iid, void** object) {
    return pelmora::com::comBoundary([&] { return handlerModule().classObject(clsid, iid, object); });
}

extern "C" HRESULT STDAPICALLTYPE DllCanUnloadNow() {
    return handlerModule().canUnload() ? S_OK : S_FALSE;
}
