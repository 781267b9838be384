// Registration and unregistration of the real handler with regsvr32, checked key by key; what the DLL
// carries besides: its exports, its type library and its version information.
#include "FileVersionInfo.h"
#include "HandlerInstallation.h"
#include "RegistryFixture.h"

#include <pelmora/com/ComPtr.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace pelmora::test {
namespace {

struct ExpectedValue {
    std::wstring key;
    std::wstring name;  // empty for the key's default value
    std::wstring data;
};

// Every value the handler writes, with the DLL's path for %MODULE%.
std::vector<ExpectedValue> expectedValues(const std::wstring& dllPath) {
    std::vector<ExpectedValue> values = {
        {std::wstring(L"AppID\\") + handlerAppId, L"", L"PelmoraThumb"},
        {L"AppID\\PelmoraThumb.DLL", L"AppID", handlerAppId},
    };
    struct Class {
        std::wstring name;
        std::wstring clsid;
        std::wstring shellKey;
    };
    const Class classes[] = {{L"PelmoraExtractor", extractorClsid, extractImageKey},
                             {L"PelmoraExtThumb", extThumbClsid, thumbnailProviderKey}};
    for (const Class& c : classes) {
        const std::wstring progId = L"PelmoraThumb." + c.name;
        const std::wstring classKey = L"CLSID\\" + c.clsid;
        values.insert(values.end(), {
                                        {progId + L".1", L"", c.name + L" Class"},
                                        {progId + L".1\\CLSID", L"", c.clsid},
                                        {progId, L"", c.name + L" Class"},
                                        {progId + L"\\CLSID", L"", c.clsid},
                                        {progId + L"\\CurVer", L"", progId + L".1"},
                                        {classKey, L"", c.name + L" Class"},
                                        {classKey, L"AppID", handlerAppId},
                                        {classKey + L"\\ProgID", L"", progId + L".1"},
                                        {classKey + L"\\VersionIndependentProgID", L"", progId},
                                        {classKey + L"\\InprocServer32", L"", dllPath},
                                        {classKey + L"\\InprocServer32", L"ThreadingModel", L"Apartment"},
                                        {classKey + L"\\TypeLib", L"", handlerLibraryId},
                                        {L".sgf\\shellex\\" + c.shellKey, L"", c.clsid},
                                        {L".ugi\\shellex\\" + c.shellKey, L"", c.clsid},
                                    });
    }
    return values;
}

// The keys unregistration removes when nobody else added anything below them.
std::vector<std::wstring> removedKeys() {
    std::vector<std::wstring> keys = {std::wstring(L"AppID\\") + handlerAppId, L"AppID\\PelmoraThumb.DLL",
                                      std::wstring(L"TypeLib\\") + handlerLibraryId,
                                      L"Interface\\{CD9A1924-4E12-4542-88A8-C89682CDC4F1}"};
    for (const wchar_t* name : {L"PelmoraExtractor", L"PelmoraExtThumb"}) {
        keys.push_back(std::wstring(L"PelmoraThumb.") + name);
        keys.push_back(std::wstring(L"PelmoraThumb.") + name + L".1");
    }
    for (const wchar_t* clsid : {extractorClsid, extThumbClsid})
        keys.push_back(std::wstring(L"CLSID\\") + clsid);
    for (const wchar_t* type : {L".sgf", L".ugi"}) {
        keys.push_back(std::wstring(type) + L"\\shellex\\" + extractImageKey);
        keys.push_back(std::wstring(type) + L"\\shellex\\" + thumbnailProviderKey);
    }
    return keys;
}

void expectRegistered(const std::wstring& dllPath) {
    for (const ExpectedValue& expected : expectedValues(dllPath)) {
        std::wstring value;
        EXPECT_TRUE(readString(HKEY_CLASSES_ROOT, expected.key, expected.name, value))
            << "missing: " << expected.key << " " << expected.name;
        EXPECT_EQ(value, expected.data) << expected.key << " " << expected.name;
    }
    EXPECT_TRUE(keyExists(HKEY_CLASSES_ROOT, std::wstring(L"CLSID\\") + extThumbClsid + L"\\Programmable"));
    EXPECT_FALSE(keyExists(HKEY_CLASSES_ROOT, std::wstring(L"CLSID\\") + extractorClsid + L"\\Programmable"));
}

// The vtable half of a dual interface, the interface itself otherwise: its methods and flags.
struct VtableShape {
    int ownMethods = -1;
    WORD flags = 0;
};

VtableShape vtableShapeOf(ITypeInfo* info) {
    com::ComPtr<ITypeInfo> vtable;
    HREFTYPE reference = 0;
    if (SUCCEEDED(info->GetRefTypeOfImplType(static_cast<UINT>(-1), &reference)) &&
        SUCCEEDED(info->GetRefTypeInfo(reference, vtable.receive()))) {
        info = vtable.get();
    }
    TYPEATTR* type = nullptr;
    if (FAILED(info->GetTypeAttr(&type))) return {};
    const VtableShape shape{type->cFuncs, type->wTypeFlags};
    info->ReleaseTypeAttr(type);
    return shape;
}

class HandlerRegistrationTest : public ::testing::Test {
  protected:
    void TearDown() override { installation.unregisterHandler(); }

    HandlerInstallation installation;
};

TEST_F(HandlerRegistrationTest, Regsvr32WritesEveryEntryWithTheDllsPathUnquoted) {
    ASSERT_EQ(installation.registerHandler(), 0u);
    expectRegistered(installation.dllPath());
    EXPECT_NE(installation.dllPath().find(L' '), std::wstring::npos);
    // The image-extractor key keeps the lower-case "d1" the shell has always written.
    HKEY key = nullptr;
    ASSERT_EQ(RegOpenKeyExW(HKEY_CLASSES_ROOT, L".sgf\\shellex", 0, KEY_READ, &key), ERROR_SUCCESS);
    std::vector<std::wstring> names;
    wchar_t name[256];
    for (DWORD index = 0;; ++index) {
        DWORD length = 256;
        if (RegEnumKeyExW(key, index, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
            break;
        names.emplace_back(name, length);
    }
    RegCloseKey(key);
    EXPECT_NE(std::find(names.begin(), names.end(), std::wstring(extractImageKey)), names.end());
}

TEST_F(HandlerRegistrationTest, TheTypeLibraryIsRegisteredWithAnInterfaceKeyForTheDualInterfaceOnly) {
    ASSERT_EQ(installation.registerHandler(), 0u);
    std::wstring value;
    const std::wstring library = std::wstring(L"TypeLib\\") + handlerLibraryId + L"\\1.1";
    EXPECT_TRUE(readString(HKEY_CLASSES_ROOT, library, L"", value));
    EXPECT_EQ(value, L"PelmoraThumb 1.1 Type Library");
    EXPECT_TRUE(readString(HKEY_CLASSES_ROOT, library + L"\\0\\win64", L"", value));
    EXPECT_EQ(value, installation.dllPath());
    EXPECT_TRUE(readString(HKEY_CLASSES_ROOT, L"Interface\\{CD9A1924-4E12-4542-88A8-C89682CDC4F1}\\TypeLib",
                           L"", value));
    EXPECT_EQ(value, handlerLibraryId);
    EXPECT_FALSE(keyExists(HKEY_CLASSES_ROOT, L"Interface\\{B0E46C78-EFC3-469D-BD41-9C5DA3EA976C}"));

    // Any 1.x request finds the library: IDispatch asks for 1.0.
    GUID id;
    ASSERT_EQ(CLSIDFromString(handlerLibraryId, &id), S_OK);
    com::ComPtr<ITypeLib> loaded;
    ASSERT_EQ(LoadRegTypeLib(id, 1, 0, 0x409, loaded.receive()), S_OK);
    com::ComPtr<ITypeInfo> info;
    EXPECT_EQ(loaded->GetTypeInfoOfGuid(IID_IPelmoraExtThumb, info.receive()), S_OK);
}

TEST_F(HandlerRegistrationTest, RegisteringTwiceLeavesOneSetAndRecreatesTheClassKeys) {
    ASSERT_EQ(installation.registerHandler(), 0u);
    RegistryFixture registry;
    const std::wstring stray = std::wstring(L"CLSID\\") + extThumbClsid + L"\\Stray";
    registry.setString(HKEY_CLASSES_ROOT, stray, L"", L"left by an older version");
    ASSERT_EQ(installation.registerHandler(), 0u);
    expectRegistered(installation.dllPath());
    EXPECT_FALSE(keyExists(HKEY_CLASSES_ROOT, stray));
}

TEST_F(HandlerRegistrationTest, UnregistrationRemovesTheHandlersKeysAndKeepsTheSharedOnes) {
    ASSERT_EQ(installation.registerHandler(), 0u);
    ASSERT_EQ(installation.unregisterHandler(), 0u);
    for (const std::wstring& key : removedKeys()) EXPECT_FALSE(keyExists(HKEY_CLASSES_ROOT, key)) << key;
    for (const wchar_t* key : {L"AppID", L"CLSID", L".sgf", L".ugi"}) {
        EXPECT_TRUE(keyExists(HKEY_CLASSES_ROOT, key)) << key;
    }
    // With no other handler the empty shellex keys go too.
    EXPECT_FALSE(keyExists(HKEY_CLASSES_ROOT, L".sgf\\shellex"));
    EXPECT_FALSE(keyExists(HKEY_CLASSES_ROOT, L".ugi\\shellex"));
}

TEST_F(HandlerRegistrationTest, AnotherHandlersShellexEntriesSurviveUnregistration) {
    RegistryFixture registry;
    const std::wstring other = L".sgf\\shellex\\{00021500-0000-0000-C000-000000000046}";
    registry.own(HKEY_CLASSES_ROOT, other);
    ASSERT_EQ(installation.registerHandler(), 0u);
    registry.setString(HKEY_CLASSES_ROOT, other, L"", L"{11111111-2222-3333-4444-555555555555}");
    // Another program took the .ugi thumbnail provider over since.
    const std::wstring takenOver = std::wstring(L".ugi\\shellex\\") + thumbnailProviderKey;
    registry.own(HKEY_CLASSES_ROOT, takenOver);
    registry.setString(HKEY_CLASSES_ROOT, takenOver, L"", L"{66666666-7777-8888-9999-000000000000}");
    // Uninstallers unregister more than once; each run succeeds.
    EXPECT_EQ(installation.unregisterHandler(), 0u);
    EXPECT_EQ(installation.runRegsvr32(L"/s /u"), 0u);
    EXPECT_TRUE(keyExists(HKEY_CLASSES_ROOT, other));
    std::wstring owner;
    EXPECT_TRUE(readString(HKEY_CLASSES_ROOT, takenOver, L"", owner));
    EXPECT_EQ(owner, L"{66666666-7777-8888-9999-000000000000}");
    EXPECT_FALSE(keyExists(HKEY_CLASSES_ROOT, std::wstring(L".sgf\\shellex\\") + extractImageKey));
    EXPECT_FALSE(keyExists(HKEY_CLASSES_ROOT, std::wstring(L".sgf\\shellex\\") + thumbnailProviderKey));
    EXPECT_FALSE(keyExists(HKEY_CLASSES_ROOT, std::wstring(L".ugi\\shellex\\") + extractImageKey));
    EXPECT_FALSE(keyExists(HKEY_CLASSES_ROOT, std::wstring(L"TypeLib\\") + handlerLibraryId));
    EXPECT_FALSE(keyExists(HKEY_CLASSES_ROOT, std::wstring(L"AppID\\") + handlerAppId));
}

TEST_F(HandlerRegistrationTest, RegistrationRestoresTheCallersThreadLocale) {
    // regsvr32 runs in its own process; the DLL loaded here shows what its exports do to this thread.
    LoadedHandler handler(installation.dllPath());
    using Function = HRESULT(STDAPICALLTYPE*)();
    const auto registerServer = exportedFunction<Function>(handler.module(), "DllRegisterServer");
    const auto unregisterServer = exportedFunction<Function>(handler.module(), "DllUnregisterServer");
    ASSERT_TRUE(registerServer && unregisterServer);
    const LCID before = GetThreadLocale();
    const LCID german = MAKELCID(MAKELANGID(LANG_GERMAN, SUBLANG_GERMAN), SORT_DEFAULT);
    ASSERT_TRUE(SetThreadLocale(german));
    EXPECT_EQ(registerServer(), S_OK);
    EXPECT_EQ(GetThreadLocale(), german);
    expectRegistered(installation.dllPath());
    EXPECT_EQ(unregisterServer(), S_OK);
    EXPECT_EQ(GetThreadLocale(), german);
    SetThreadLocale(before);
    EXPECT_FALSE(keyExists(HKEY_CLASSES_ROOT, std::wstring(L"CLSID\\") + extThumbClsid));
}

TEST_F(HandlerRegistrationTest, TheProvidersIDispatchIsServedFromTheRegisteredLibrary) {
    ASSERT_EQ(installation.registerHandler(), 0u);
    ASSERT_EQ(CoInitialize(nullptr), S_OK);
    {
        com::ComPtr<IDispatch> dispatch;
        ASSERT_EQ(CoCreateInstance(CLSID_PelmoraExtThumb, nullptr, CLSCTX_INPROC_SERVER, IID_IDispatch,
                                   dispatch.receiveVoid()),
                  S_OK);
        UINT count = 0;
        EXPECT_EQ(dispatch->GetTypeInfoCount(&count), S_OK);
        EXPECT_EQ(count, 1u);
        com::ComPtr<ITypeInfo> info;
        EXPECT_EQ(dispatch->GetTypeInfo(1, 0, info.receive()), DISP_E_BADINDEX);
        ASSERT_EQ(dispatch->GetTypeInfo(0, 0, info.receive()), S_OK);
        TYPEATTR* type = nullptr;
        ASSERT_EQ(info->GetTypeAttr(&type), S_OK);
        EXPECT_TRUE(IsEqualIID(type->guid, IID_IPelmoraExtThumb));
        info->ReleaseTypeAttr(type);
        // The interface has no members of its own: no name resolves and no call finds a member.
        wchar_t name[] = L"createImage";
        LPOLESTR names[] = {name};
        DISPID id = 0;
        EXPECT_EQ(dispatch->GetIDsOfNames(IID_NULL, names, 1, 0, &id), DISP_E_UNKNOWNNAME);
        DISPPARAMS none{nullptr, nullptr, 0, 0};
        EXPECT_EQ(dispatch->Invoke(1, IID_NULL, 0, DISPATCH_METHOD, &none, nullptr, nullptr, nullptr),
                  DISP_E_MEMBERNOTFOUND);
    }
    CoUninitialize();
}

TEST(HandlerModuleFileTest, ExportsExactlyTheFourEntryPointsByName) {
    LoadedHandler handler;
    const auto* base = reinterpret_cast<const BYTE*>(handler.module());
    const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
    const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
    const IMAGE_DATA_DIRECTORY& directory = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_EXPORT];
    ASSERT_NE(directory.VirtualAddress, 0u);
    const auto* exports = reinterpret_cast<const IMAGE_EXPORT_DIRECTORY*>(base + directory.VirtualAddress);
    EXPECT_EQ(exports->NumberOfFunctions, 4u);
    std::vector<std::string> names;
    const auto* nameOffsets = reinterpret_cast<const DWORD*>(base + exports->AddressOfNames);
    for (DWORD i = 0; i < exports->NumberOfNames; ++i) {
        names.emplace_back(reinterpret_cast<const char*>(base + nameOffsets[i]));
    }
    EXPECT_EQ(names, (std::vector<std::string>{"DllCanUnloadNow", "DllGetClassObject", "DllRegisterServer",
                                               "DllUnregisterServer"}));
}

TEST(HandlerModuleFileTest, TheVersionInformationNamesTheThumbViewer) {
    const FileVersionInfo version(builtHandlerPath());
    const VS_FIXEDFILEINFO* fixed = version.fixed();
    ASSERT_NE(fixed, nullptr);
    EXPECT_EQ(fixed->dwFileVersionMS, 0x00010000u);
    EXPECT_EQ(fixed->dwFileVersionLS, 0x00000001u);
    EXPECT_EQ(fixed->dwProductVersionMS, 0x00010000u);
    EXPECT_EQ(fixed->dwProductVersionLS, 0x00000001u);
    EXPECT_EQ(fixed->dwFileType, static_cast<DWORD>(VFT_DLL));
    const std::pair<const wchar_t*, const wchar_t*> strings[] = {
        {L"FileDescription", L"Pelmora Thumb"},    {L"FileVersion", L"1.0.2"},
        {L"InternalName", L"PelmoraThumb.dll"},    {L"OriginalFilename", L"PelmoraThumb.dll"},
        {L"ProductName", L"Pelmora Thumb Viewer"}, {L"ProductVersion", L"2.3"},
    };
    for (const auto& [name, expected] : strings) EXPECT_EQ(version.text(name), expected) << name;
}

TEST(HandlerModuleFileTest, TheEmbeddedTypeLibraryDescribesTheHandlersClasses) {
    com::ComPtr<ITypeLib> library;
    ASSERT_EQ(LoadTypeLibEx(builtHandlerPath().c_str(), REGKIND_NONE, library.receive()), S_OK);
    TLIBATTR* attributes = nullptr;
    ASSERT_EQ(library->GetLibAttr(&attributes), S_OK);
    EXPECT_EQ(attributes->wMajorVerNum, 1);
    EXPECT_EQ(attributes->wMinorVerNum, 1);
    library->ReleaseTLibAttr(attributes);
    struct Item {
        const GUID& id;
        TYPEKIND kind;
        const wchar_t* help;
        WORD flags;  // of interest: dual, automation, not extensible, dispatchable, creatable
        WORD vtableFlags;
    };
    const Item items[] = {
        {IID_IPelmoraExtractor, TKIND_INTERFACE, L"IPelmoraExtractor Interface", 0, 0},
        {IID_IPelmoraExtThumb, TKIND_DISPATCH, L"IPelmoraExtThumb Interface",
         TYPEFLAG_FDUAL | TYPEFLAG_FNONEXTENSIBLE | TYPEFLAG_FDISPATCHABLE,
         TYPEFLAG_FDUAL | TYPEFLAG_FOLEAUTOMATION | TYPEFLAG_FNONEXTENSIBLE},
        {CLSID_PelmoraExtractor, TKIND_COCLASS, L"PelmoraExtractor Class", TYPEFLAG_FCANCREATE, 0},
        {CLSID_PelmoraExtThumb, TKIND_COCLASS, L"PelmoraExtThumb Class", TYPEFLAG_FCANCREATE, 0},
    };
    const WORD checked = TYPEFLAG_FDUAL | TYPEFLAG_FOLEAUTOMATION | TYPEFLAG_FNONEXTENSIBLE |
                         TYPEFLAG_FDISPATCHABLE | TYPEFLAG_FCANCREATE;
    for (const Item& item : items) {
        com::ComPtr<ITypeInfo> info;
        ASSERT_EQ(library->GetTypeInfoOfGuid(item.id, info.receive()), S_OK) << item.help;
        TYPEATTR* type = nullptr;
        ASSERT_EQ(info->GetTypeAttr(&type), S_OK);
        EXPECT_EQ(type->typekind, item.kind) << item.help;
        EXPECT_EQ(type->wTypeFlags & checked, item.flags) << item.help;
        info->ReleaseTypeAttr(type);
        if (item.kind != TKIND_COCLASS) {
            // No methods of their own beyond what IUnknown and IDispatch bring.
            const VtableShape vtable = vtableShapeOf(info.get());
            EXPECT_EQ(vtable.ownMethods, 0) << item.help;
            if (item.vtableFlags == 0) {
                EXPECT_EQ(vtable.flags & checked, 0) << item.help;
            } else {
                EXPECT_EQ(vtable.flags & item.vtableFlags, item.vtableFlags) << item.help;
            }
        }
        BSTR help = nullptr;
        EXPECT_EQ(info->GetDocumentation(MEMBERID_NIL, nullptr, &help, nullptr, nullptr), S_OK);
        EXPECT_EQ(std::wstring(help ? help : L""), item.help);
        SysFreeString(help);
    }
}

}  // namespace
}  // namespace pelmora::test
