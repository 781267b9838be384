// The state of the loaded handler DLL: the lock count that DllCanUnloadNow reads, and one cached class
// object per class, created on first request and kept until the DLL is unloaded.
#pragma once

#include <pelmora/com/ClassFactory.h>
#include <pelmora/com/ComPtr.h>
#include <pelmora/com/ModuleLock.h>

#include <windows.h>

#include <array>
#include <atomic>

namespace pelmora::thumb {

class HandlerModule final : public com::ModuleLock {
  public:
    // Process attach: false only when the module's critical section cannot be set up.
    bool attach(HINSTANCE instance);
    // Process detach: releases the cached class objects.
    void detach();

    HINSTANCE instance() const { return instance_; }

    void lock() override { ++lockCount_; }
    void unlock() override { --lockCount_; }
    // Under the module's critical section, as canUnload reads the count.
    void changeTogether(const std::function<void()>& change) override;
    bool canUnload();

    // DllGetClassObject: the class object of clsid asked for iid.
    HRESULT classObject(REFCLSID clsid, REFIID iid, void** object);

  private:
    HINSTANCE instance_ = nullptr;
    CRITICAL_SECTION moduleLock_{};
    bool creationReady_ = false;
    std::atomic<long> lockCount_{0};
    // Parallel to handlerClasses(); each holds the module's own reference.
    std::array<com::ComPtr<com::ClassFactory>, 2> classObjects_;
};

HandlerModule& handlerModule();

}  // namespace pelmora::thumb
