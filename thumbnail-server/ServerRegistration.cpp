#include "ServerRegistration.h"

#include "RegistryEntries.h"
#include "ServerClasses.h"

#include <pelmora/Win32Handles.h>
#include <pelmora/ModuleFileName.h>

#include <string>

namespace pelmora::thumbsrv {
namespace {

// HKEY_CLASSES_ROOT, or the current user's own classes.
HRESULT openClassesRoot(com::RegistrationScope scope, RegistryKey& owned, HKEY& root) {
    if (scope == com::RegistrationScope::machine) {
        root = HKEY_CLASSES_ROOT;
        return S_OK;
    }
    const LSTATUS status =
        RegCreateKeyExW(HKEY_CURRENT_USER, L"Software\\Classes", 0, nullptr, REG_OPTION_NON_VOLATILE,
                        KEY_READ | KEY_WRITE, nullptr, owned.receive(), nullptr);
    if (status != ERROR_SUCCESS) return HRESULT_FROM_WIN32(static_cast<unsigned long>(status));
    root = owned.get();
    return S_OK;
}

// Runs one step per script with everything a script needs.
template <class Step>
HRESULT withRegistrationContext(com::RegistrationScope scope, Step step) {
    // Nothing is ever registered under a cut path.
    const ModuleFileName module = moduleFileName(nullptr);
    if (!module.complete()) return HRESULT_FROM_WIN32(module.error);
    RegistryKey owned;
    HKEY root = nullptr;
    const HRESULT result = openClassesRoot(scope, owned, root);
    if (FAILED(result)) return result;
    return step(root, module.path, serverReplacements(module.path));
}

}  // namespace

HRESULT registerServer(com::RegistrationScope scope) {
    return withRegistrationContext(
        scope, [&](HKEY root, const std::wstring& path, const com::Replacements& server) {
            HRESULT result = com::registerScript(root, appIdScript(), server);
            if (FAILED(result)) return result;
            for (const ServerClass& extractor : serverClasses()) {
                result = com::registerScript(root, extractorClassScript(),
                                             classReplacements(server, extractor.name, extractor.clsid));
                if (FAILED(result)) return result;
            }
            return com::registerTypeLibrary(path, scope);
        });
}

HRESULT unregisterServer(com::RegistrationScope scope) {
    return withRegistrationContext(
        scope, [&](HKEY root, const std::wstring& path, const com::Replacements& server) {
            HRESULT result = S_OK;
            for (const ServerClass& extractor : serverClasses()) {
                result = com::unregisterScript(root, extractorClassScript(),
                                               classReplacements(server, extractor.name, extractor.clsid));
                if (FAILED(result)) return result;
            }
            result = com::unregisterTypeLibrary(path, scope);
            if (FAILED(result)) return result;
            return com::unregisterScript(root, appIdScript(), server);
        });
}

}  // namespace pelmora::thumbsrv
