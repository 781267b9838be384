// The floor of the thumbnail benchmarks: a COM local server with the thumbnail server's two classes that
// answers every request with the same 256x256x24 picture (196,648 bytes) at once. Nothing but the platform's
// calls: class objects registered as the real server registers them, one apartment, and the same rules for
// ending (PELMORA_THUMBSRV_IDLE_MS after the last object, PELMORA_THUMBSRV_UNUSED_MS after the last call
// while objects remain).
#include "PelmoraThumbSrv.h"
#include "TestPicture.h"

#include <windows.h>

#include <chrono>
#include <cstdlib>
#include <vector>

namespace {

long objects = 0;
auto lastChange = std::chrono::steady_clock::now();
std::vector<std::uint8_t> picture;

BSTR pictureCopy() {
    return SysAllocStringByteLen(reinterpret_cast<const char*>(picture.data()),
                                 static_cast<UINT>(picture.size()));
}

// Both interfaces in one object: the methods that matter return the picture; IDispatch is there for the
// marshaler of dual interfaces, with nothing behind it.
class Extractor final : public IExtThumbExtractor {
  public:
    explicit Extractor(REFIID own) : own_(own) {
        ++objects;
        lastChange = std::chrono::steady_clock::now();
    }
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
        if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDispatch) || IsEqualIID(iid, own_)) {
            *object = this;
            AddRef();
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
    ULONG STDMETHODCALLTYPE Release() override {
        const ULONG left = --references_;
        if (left == 0) {
            --objects;
            lastChange = std::chrono::steady_clock::now();
            delete this;
        }
        return left;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*,
                                     UINT*) override {
        return E_NOTIMPL;
    }
    // IThumbExtractor::createImage has the same slot as this one, with a BSTR* in place of the stream.
    HRESULT STDMETHODCALLTYPE createImage(IStream*, unsigned short, unsigned short, BSTR* image) override {
        lastChange = std::chrono::steady_clock::now();
        *image = pictureCopy();
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE createImageSgf(BSTR*, unsigned short, unsigned short, BSTR* image) override {
        lastChange = std::chrono::steady_clock::now();
        *image = pictureCopy();
        return S_OK;
    }

  private:
    const IID own_;
    ULONG references_ = 0;
};

class Factory final : public IClassFactory {
  public:
    explicit Factory(REFIID own) : own_(own) {}
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
        if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IClassFactory)) {
            *object = this;
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID iid, void** object) override {
        if (outer) return CLASS_E_NOAGGREGATION;
        auto* created = new Extractor(own_);
        created->AddRef();
        const HRESULT result = created->QueryInterface(iid, object);
        created->Release();
        return result;
    }
    HRESULT STDMETHODCALLTYPE LockServer(BOOL) override { return S_OK; }

  private:
    const IID own_;
};

long milliseconds(const char* name, long fallback) {
    const char* value = std::getenv(name);
    return value ? std::atol(value) : fallback;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    CoInitialize(nullptr);
    picture = pelmora::test::testPictureBuffer(256, 256, 24);
    Factory stream(IID_IExtThumbExtractor);
    Factory path(IID_IThumbExtractor);
    DWORD cookies[2] = {};
    CoRegisterClassObject(CLSID_ExtThumbExtractor, &stream, CLSCTX_LOCAL_SERVER, REGCLS_MULTIPLEUSE,
                          &cookies[0]);
    CoRegisterClassObject(CLSID_ThumbExtractor, &path, CLSCTX_LOCAL_SERVER, REGCLS_MULTIPLEUSE, &cookies[1]);
    const auto idle = std::chrono::milliseconds(milliseconds("PELMORA_THUMBSRV_IDLE_MS", 10000));
    const auto unused = std::chrono::milliseconds(milliseconds("PELMORA_THUMBSRV_UNUSED_MS", 60000));
    SetTimer(nullptr, 0, 250, nullptr);
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (message.message == WM_TIMER &&
            std::chrono::steady_clock::now() - lastChange >= (objects == 0 ? idle : unused)) {
            break;
        }
        DispatchMessageW(&message);
    }
    for (DWORD cookie : cookies) CoRevokeClassObject(cookie);
    CoUninitialize();
    return 0;
}
