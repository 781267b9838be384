#include "HandlerInstallation.h"

#include "ChildProcess.h"
#include "ModulePaths.h"

#include <gtest/gtest.h>

namespace pelmora::test {
namespace {

constexpr DWORD regsvr32LimitMs = 60000;

std::wstring regsvr32Path() {
    wchar_t system[MAX_PATH];
    GetSystemDirectoryW(system, MAX_PATH);
    return std::wstring(system) + L"\\regsvr32.exe";
}

}  // namespace

std::wstring builtHandlerPath() {
    return binaryFolder() + L"\\" + handlerDll;
}

HandlerInstallation::HandlerInstallation(const std::wstring& folderPrefix) : folder_(folderPrefix) {
    copyFile(builtHandlerPath(), dllPath());
}

HandlerInstallation::~HandlerInstallation() {
    if (registered_) unregisterHandler();
}

DWORD HandlerInstallation::runRegsvr32(const std::wstring& switches) const {
    auto regsvr32 = ChildProcess::start(regsvr32Path(), switches + L" \"" + dllPath() + L"\"", L"");
    const auto exitCode = regsvr32.waitForExit(regsvr32LimitMs);
    if (!exitCode) {
        ADD_FAILURE() << "regsvr32 was still running after " << regsvr32LimitMs << " ms";
        return 0xFFFFFFFF;
    }
    return *exitCode;
}

DWORD HandlerInstallation::registerHandler() {
    const DWORD exitCode = runRegsvr32(L"/s");
    if (exitCode == 0) registered_ = true;
    return exitCode;
}

DWORD HandlerInstallation::unregisterHandler() {
    const DWORD exitCode = runRegsvr32(L"/s /u");
    if (exitCode == 0) registered_ = false;
    return exitCode;
}

LoadedHandler::LoadedHandler(const std::wstring& path) : library_(LoadLibraryW(path.c_str())) {
    if (!library_) {
        ADD_FAILURE() << "the handler did not load: error " << GetLastError();
        return;
    }
    getClassObject_ = exportedFunction<GetClassObjectFunction>(library_.get(), "DllGetClassObject");
    canUnloadNow_ = exportedFunction<CanUnloadNowFunction>(library_.get(), "DllCanUnloadNow");
    EXPECT_TRUE(getClassObject_ && canUnloadNow_);
}

HRESULT LoadedHandler::getClassObject(REFCLSID clsid, REFIID iid, void** object) const {
    return getClassObject_ ? getClassObject_(clsid, iid, object) : E_UNEXPECTED;
}

HRESULT LoadedHandler::canUnloadNow() const {
    return canUnloadNow_ ? canUnloadNow_() : E_UNEXPECTED;
}

std::wstring clsidOfProgId(const wchar_t* progId) {
    CLSID clsid;
    if (FAILED(CLSIDFromProgID(progId, &clsid))) return L"";
    wchar_t text[64];
    StringFromGUID2(clsid, text, 64);
    return text;
}

}  // namespace pelmora::test
