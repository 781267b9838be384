#include <pelmora/com/ComPtr.h>
#include <pelmora/ProcAddress.h>
#include <pelmora/com/TypeLibraryRegistration.h>

#include <windows.h>

namespace pelmora::com {
namespace {

// OLEAUT32 exports these on every supported system, but the headers at hand may not declare them.
using RegisterForUser = HRESULT(WINAPI*)(ITypeLib*, OLECHAR*, OLECHAR*);
using UnregisterForUser = HRESULT(WINAPI*)(REFGUID, WORD, WORD, LCID, SYSKIND);

template <class Function>
Function userFunction(RegistrationScope scope, const char* name) {
    if (scope != RegistrationScope::user) return nullptr;
    return procAddress<Function>(GetModuleHandleW(L"oleaut32.dll"), name);
}

std::wstring withTlbExtension(const std::wstring& path) {
    const std::size_t slash = path.find_last_of(L"\\/");
    const std::size_t dot = path.find_last_of(L'.');
    const bool hasExtension = dot != std::wstring::npos && (slash == std::wstring::npos || dot > slash);
    return (hasExtension ? path.substr(0, dot) : path) + L".tlb";
}

// The library and the path it was loaded from.
HRESULT loadModuleTypeLibrary(const std::wstring& modulePath, ComPtr<ITypeLib>& library,
                              std::wstring& loadedFrom) {
    loadedFrom = modulePath;
    // REGKIND_NONE: loading alone must not register anything (a per-user registration writes no machine
    // keys).
    HRESULT result = LoadTypeLibEx(loadedFrom.c_str(), REGKIND_NONE, library.receive());
    if (FAILED(result)) {
        loadedFrom = withTlbExtension(modulePath);
        result = LoadTypeLibEx(loadedFrom.c_str(), REGKIND_NONE, library.receive());
    }
    return result;
}

}  // namespace

HRESULT registerTypeLibrary(const std::wstring& modulePath, RegistrationScope scope) {
    ComPtr<ITypeLib> library;
    std::wstring loadedFrom;
    const HRESULT loaded = loadModuleTypeLibrary(modulePath, library, loadedFrom);
    if (FAILED(loaded)) return loaded;
    if (auto forUser = userFunction<RegisterForUser>(scope, "RegisterTypeLibForUser")) {
        return forUser(library.get(), loadedFrom.data(), nullptr);
    }
    return RegisterTypeLib(library.get(), loadedFrom.data(), nullptr);
}

HRESULT unregisterTypeLibrary(const std::wstring& modulePath, RegistrationScope scope) {
    ComPtr<ITypeLib> library;
    std::wstring loadedFrom;
    HRESULT result = loadModuleTypeLibrary(modulePath, library, loadedFrom);
    if (FAILED(result)) return result;
    TLIBATTR* attributes = nullptr;
    result = library->GetLibAttr(&attributes);
    if (FAILED(result)) return result;
    const TLIBATTR own = *attributes;
    library->ReleaseTLibAttr(attributes);
    // Unregistering twice must work: uninstallers do it, and what follows in their run must still happen.
    UniqueBstr registeredPath;
    if (QueryPathOfRegTypeLib(own.guid, own.wMajorVerNum, own.wMinorVerNum, own.lcid,
                              registeredPath.receive()) == TYPE_E_LIBNOTREGISTERED) {
        return S_OK;
    }
    if (auto forUser = userFunction<UnregisterForUser>(scope, "UnRegisterTypeLibForUser")) {
        return forUser(own.guid, own.wMajorVerNum, own.wMinorVerNum, own.lcid, own.syskind);
    }
    return UnRegisterTypeLib(own.guid, own.wMajorVerNum, own.wMinorVerNum, own.lcid, own.syskind);
}

}  // namespace pelmora::com
