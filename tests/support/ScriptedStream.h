// An IStream whose Read delivers given bytes and reports whatever count and result a test sets, and which
// counts every call. It answers IUnknown, ISequentialStream and IStream, so it can also be marshaled to
// another process. Its references are only counted: it lives as long as its owner keeps it.
#pragma once

#include <windows.h>

#include <objidl.h>

#include <algorithm>
#include <cstring>
#include <string>

namespace pelmora::test {

class ScriptedStream final : public IStream {
  public:
    ScriptedStream(std::string content, ULONG reportedCount, HRESULT readResult = S_OK)
        : content_(std::move(content)), reportedCount_(reportedCount), readResult_(readResult) {}

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
        ++queries;
        if (!object) return E_POINTER;
        *object = nullptr;
        if (!IsEqualIID(iid, IID_IUnknown) && !IsEqualIID(iid, IID_ISequentialStream) &&
            !IsEqualIID(iid, IID_IStream)) {
            return E_NOINTERFACE;
        }
        *object = static_cast<IStream*>(this);
        AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++references; }
    ULONG STDMETHODCALLTYPE Release() override { return --references; }
    HRESULT STDMETHODCALLTYPE Read(void* buffer, ULONG size, ULONG* read) override {
        ++reads;
        requested = size;
        std::memcpy(buffer, content_.data(), std::min<std::size_t>(size, content_.size()));
        if (read) *read = reportedCount_;
        return readResult_;
    }
    HRESULT STDMETHODCALLTYPE Write(const void*, ULONG, ULONG*) override { return other(); }
    HRESULT STDMETHODCALLTYPE Seek(LARGE_INTEGER, DWORD, ULARGE_INTEGER*) override { return other(); }
    HRESULT STDMETHODCALLTYPE SetSize(ULARGE_INTEGER) override { return other(); }
    HRESULT STDMETHODCALLTYPE CopyTo(IStream*, ULARGE_INTEGER, ULARGE_INTEGER*, ULARGE_INTEGER*) override {
        return other();
    }
    HRESULT STDMETHODCALLTYPE Commit(DWORD) override { return other(); }
    HRESULT STDMETHODCALLTYPE Revert() override { return other(); }
    HRESULT STDMETHODCALLTYPE LockRegion(ULARGE_INTEGER, ULARGE_INTEGER, DWORD) override { return other(); }
    HRESULT STDMETHODCALLTYPE UnlockRegion(ULARGE_INTEGER, ULARGE_INTEGER, DWORD) override { return other(); }
    HRESULT STDMETHODCALLTYPE Stat(STATSTG*, DWORD) override { return other(); }
    HRESULT STDMETHODCALLTYPE Clone(IStream**) override { return other(); }

    int reads = 0;
    int queries = 0;
    // Every call besides Read, QueryInterface, AddRef and Release.
    int otherCalls = 0;
    ULONG requested = 0;
    ULONG references = 1;

  private:
    HRESULT other() {
        ++otherCalls;
        return E_NOTIMPL;
    }

    std::string content_;
    ULONG reportedCount_;
    HRESULT readResult_;
};

}  // namespace pelmora::test
