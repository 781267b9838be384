// The Explorer handler as tests meet it: installed in a temporary folder whose name has a blank and
// registered with the system's regsvr32 as an installer does, or loaded straight into this process with its
// exports called the way COM calls them.
#pragma once

#include "PelmoraThumb.h"
#include "TestFiles.h"

#include <pelmora/ProcAddress.h>
#include <pelmora/Win32Handles.h>
#include <pelmora/com/ComPtr.h>

#include <windows.h>

#include <string>

namespace pelmora::test {

inline constexpr const wchar_t* handlerDll = L"PelmoraThumb.dll";
inline constexpr const wchar_t* handlerAppId = L"{AF001D01-E0CC-445A-91D2-E268F671E3F1}";
inline constexpr const wchar_t* handlerLibraryId = L"{4052CD3A-52F9-45CC-9903-A7E46BF2ED1B}";
inline constexpr const wchar_t* extractorClsid = L"{EDCCAA5E-9344-44EC-B16F-17D31447C734}";
inline constexpr const wchar_t* extThumbClsid = L"{529ADC9B-2B78-4E89-ADE9-93E4CB9CF6DE}";
// The shell's keys below a file type's "shellex": the image extractor and the thumbnail provider.
inline constexpr const wchar_t* extractImageKey = L"{BB2E617C-0920-11d1-9A0B-00C04FC2D6C1}";
inline constexpr const wchar_t* thumbnailProviderKey = L"{E357FCCD-A995-4576-B01F-234630154E96}";

// A function the module exports, or null.
template <class Function>
Function exportedFunction(HMODULE module, const char* name) {
    return procAddress<Function>(module, name);
}

// The build's PelmoraThumb.dll.
std::wstring builtHandlerPath();

class HandlerInstallation {
  public:
    explicit HandlerInstallation(const std::wstring& folderPrefix = L"pelmora thumb");
    HandlerInstallation(const HandlerInstallation&) = delete;
    HandlerInstallation& operator=(const HandlerInstallation&) = delete;
    // Unregisters when a registration of this installation is still in place.
    ~HandlerInstallation();

    const TempFolder& folder() const { return folder_; }
    std::wstring dllPath() const { return folder_ / handlerDll; }

    // regsvr32 with the switches and the DLL's quoted path; its exit code.
    DWORD runRegsvr32(const std::wstring& switches) const;
    // "/s" and "/s /u"; the exit code.
    DWORD registerHandler();
    DWORD unregisterHandler();

  private:
    TempFolder folder_;
    bool registered_ = false;
};

// The DLL loaded into this process by LoadLibrary: the module state its tests see is its own.
class LoadedHandler {
  public:
    explicit LoadedHandler(const std::wstring& path = builtHandlerPath());

    HMODULE module() const { return library_.get(); }
    HRESULT getClassObject(REFCLSID clsid, REFIID iid, void** object) const;
    HRESULT canUnloadNow() const;
    // An object of the class made through its class object, as CoCreateInstance makes it. Objects must be
    // gone before the DLL is unloaded with this owner.
    template <class Interface>
    HRESULT create(REFCLSID clsid, com::ComPtr<Interface>& object) const {
        com::ComPtr<IClassFactory> factory;
        const HRESULT found = getClassObject(clsid, IID_IClassFactory, factory.receiveVoid());
        if (FAILED(found)) return found;
        return factory->CreateInstance(nullptr, __uuidof(Interface), object.receiveVoid());
    }

  private:
    using GetClassObjectFunction = HRESULT(STDAPICALLTYPE*)(REFCLSID, REFIID, void**);
    using CanUnloadNowFunction = HRESULT(STDAPICALLTYPE*)();

    LibraryModule library_;
    GetClassObjectFunction getClassObject_ = nullptr;
    CanUnloadNowFunction canUnloadNow_ = nullptr;
};

// The registry's CLSID of a ProgID as text, or "" when it does not resolve.
std::wstring clsidOfProgId(const wchar_t* progId);

}  // namespace pelmora::test
