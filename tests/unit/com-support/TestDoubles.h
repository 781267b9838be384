// A module and a plain COM object whose counts the tests read.
#pragma once

#include "CountingModule.h"

#include <windows.h>

#include <unknwn.h>

namespace pelmora::com::test {

using pelmora::test::CountingModule;

// Answers IUnknown only and never deletes itself, so a test can read its count after the last Release.
class CountedUnknown final : public IUnknown {
  public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
        if (!object) return E_POINTER;
        *object = nullptr;
        if (!IsEqualIID(iid, IID_IUnknown)) return E_NOINTERFACE;
        AddRef();
        *object = this;
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++references; }
    ULONG STDMETHODCALLTYPE Release() override { return --references; }

    // The reference its creator holds.
    ULONG references = 1;
};

// A value no call leaves in an output argument.
inline void* const untouched = reinterpret_cast<void*>(static_cast<UINT_PTR>(0x5A5A5A5A));

}  // namespace pelmora::com::test
