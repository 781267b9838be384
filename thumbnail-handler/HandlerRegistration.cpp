// DllRegisterServer and DllUnregisterServer: the module's and the classes' registry scripts under
// HKEY_CLASSES_ROOT, and the type library the DLL carries. Both run with the system's default locale as the
// thread locale and put the caller's back afterwards.
#include "HandlerClasses.h"
#include "HandlerModule.h"
#include "RegistryEntries.h"

#include <pelmora/com/ComBoundary.h>
#include <pelmora/ModuleFileName.h>
#include <pelmora/com/RegistryScript.h>
#include <pelmora/com/TypeLibraryRegistration.h>

#include <windows.h>

#include <string>

namespace pelmora::thumb {
namespace {

class SystemThreadLocale {
  public:
    SystemThreadLocale() : previous_(GetThreadLocale()) { SetThreadLocale(LOCALE_SYSTEM_DEFAULT); }
    SystemThreadLocale(const SystemThreadLocale&) = delete;
    SystemThreadLocale& operator=(const SystemThreadLocale&) = delete;
    ~SystemThreadLocale() { SetThreadLocale(previous_); }

  private:
    const LCID previous_;
};

HRESULT registerClass(const HandlerClass& handlerClass, const com::Replacements& handler) {
    const com::Replacements replacements =
        classReplacements(handler, handlerClass.name, handlerClass.clsid, handlerClass.shellKey);
    const HRESULT result = com::registerScript(HKEY_CLASSES_ROOT, classScript(), replacements);
    if (FAILED(result) || !handlerClass.programmable) return result;
    return com::registerScript(HKEY_CLASSES_ROOT, programmableScript(), replacements);
}

// In the opposite order of registerClass.
HRESULT unregisterClass(const HandlerClass& handlerClass, const com::Replacements& handler) {
    const com::Replacements replacements =
        classReplacements(handler, handlerClass.name, handlerClass.clsid, handlerClass.shellKey);
    if (handlerClass.programmable) {
        const HRESULT result = com::unregisterScript(HKEY_CLASSES_ROOT, programmableScript(), replacements);
        if (FAILED(result)) return result;
    }
    return com::unregisterScript(HKEY_CLASSES_ROOT, classScript(), replacements);
}

HRESULT registerHandler() {
    // Nothing is ever registered under a cut path.
    const ModuleFileName module = moduleFileName(handlerModule().instance());
    if (!module.complete()) return HRESULT_FROM_WIN32(module.error);
    const com::Replacements handler = handlerReplacements(module.path);
    HRESULT result = com::registerScript(HKEY_CLASSES_ROOT, moduleScript(), handler);
    if (FAILED(result)) return result;
    for (const HandlerClass& handlerClass : handlerClasses()) {
        result = registerClass(handlerClass, handler);
        if (FAILED(result)) return result;
    }
    return com::registerTypeLibrary(module.path, com::RegistrationScope::machine);
}

HRESULT unregisterHandler() {
    const ModuleFileName module = moduleFileName(handlerModule().instance());
    if (!module.complete()) return HRESULT_FROM_WIN32(module.error);
    const com::Replacements handler = handlerReplacements(module.path);
    for (const HandlerClass& handlerClass : handlerClasses()) {
        const HRESULT result = unregisterClass(handlerClass, handler);
        if (FAILED(result)) return result;
    }
    const HRESULT result = com::unregisterTypeLibrary(module.path, com::RegistrationScope::machine);
    if (FAILED(result)) return result;
    return com::unregisterScript(HKEY_CLASSES_ROOT, moduleScript(), handler);
}

}  // namespace
}  // namespace pelmora::thumb

extern "C" HRESULT STDAPICALLTYPE DllRegisterServer() {
    const pelmora::thumb::SystemThreadLocale locale;
    return pelmora::com::comBoundary(pelmora::thumb::registerHandler);
}

extern "C" HRESULT STDAPICALLTYPE DllUnregisterServer() {
    const pelmora::thumb::SystemThreadLocale locale;
    return pelmora::com::comBoundary(pelmora::thumb::unregisterHandler);
}
