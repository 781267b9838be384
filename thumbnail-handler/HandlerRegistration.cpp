// DllRegisterServer and DllUnregisterServer: the module's and the classes' registry scripts under
// HKEY_CLASSES_ROOT, and the type library the DLL carries. Both run with the system's default locale as the
// thread locale and put the caller's back afterwards.
#include "HandlerClasses.h"
#include "HandlerModule.h"
#include "RegistryEntries.h"

#include <pelmora/com/ComBoundary.h>
#include <pelmora/com/ModuleFilePath.h>
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

HRESULT registerHandler() {
    std::wstring path;
    HRESULT result = com::moduleFilePath(handlerModule().instance(), path);
    if (FAILED(result)) return result;
    const com::Replacements replacements = handlerReplacements(path);
    result = com::registerScript(HKEY_CLASSES_ROOT, moduleScript(), replacements);
    if (FAILED(result)) return result;
    for (const HandlerClass& handlerClass : handlerClasses()) {
        result = com::registerScript(HKEY_CLASSES_ROOT, handlerClass.script(), replacements);
        if (FAILED(result)) return result;
    }
    return com::registerTypeLibrary(path, com::RegistrationScope::machine);
}

HRESULT unregisterHandler() {
    std::wstring path;
    HRESULT result = com::moduleFilePath(handlerModule().instance(), path);
    if (FAILED(result)) return result;
    const com::Replacements replacements = handlerReplacements(path);
    for (const HandlerClass& handlerClass : handlerClasses()) {
        result = com::unregisterScript(HKEY_CLASSES_ROOT, handlerClass.script(), replacements);
        if (FAILED(result)) return result;
    }
    result = com::unregisterTypeLibrary(path, com::RegistrationScope::machine);
    if (FAILED(result)) return result;
    return com::unregisterScript(HKEY_CLASSES_ROOT, moduleScript(), replacements);
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
