// IDispatch of a dual interface, answered from the registered type library: type information comes from
// LoadRegTypeLib (major version 1, minor 0, so any registered 1.x serves) and is cached once loaded.
#pragma once

#include <windows.h>

#include <oaidl.h>

#include <mutex>

namespace pelmora::com {

class TypeInfoHolder {
  public:
    TypeInfoHolder(const GUID& library, const IID& iid) : library_(library), iid_(iid) {}
    TypeInfoHolder(const TypeInfoHolder&) = delete;
    TypeInfoHolder& operator=(const TypeInfoHolder&) = delete;
    ~TypeInfoHolder();

    HRESULT typeInfoCount(UINT* count);
    HRESULT typeInfo(UINT index, LCID locale, ITypeInfo** info);
    HRESULT idsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID locale, DISPID* ids);
    HRESULT invoke(void* instance, DISPID member, REFIID iid, LCID locale, WORD flags, DISPPARAMS* parameters,
                   VARIANT* result, EXCEPINFO* exception, UINT* argumentError);

  private:
    // The cached type information with one reference added for the caller.
    HRESULT load(LCID locale, ITypeInfo** info);

    const GUID& library_;
    const IID& iid_;
    std::mutex mutex_;
    ITypeInfo* cached_ = nullptr;
};

// Implements IDispatch's four methods of Interface through one holder shared by every object of the class.
template <class Interface, const IID* iid, const GUID* library>
class DispatchImplementation : public Interface {
  public:
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override { return holder().typeInfoCount(count); }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID locale, ITypeInfo** info) override {
        return holder().typeInfo(index, locale, info);
    }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID riid, LPOLESTR* names, UINT count, LCID locale,
                                            DISPID* ids) override {
        return holder().idsOfNames(riid, names, count, locale, ids);
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID member, REFIID riid, LCID locale, WORD flags,
                                     DISPPARAMS* parameters, VARIANT* result, EXCEPINFO* exception,
                                     UINT* argumentError) override {
        return holder().invoke(static_cast<Interface*>(this), member, riid, locale, flags, parameters, result,
                               exception, argumentError);
    }

  private:
    static TypeInfoHolder& holder() {
        static TypeInfoHolder instance(*library, *iid);
        return instance;
    }
};

}  // namespace pelmora::com
