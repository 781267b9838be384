// What the server executable carries: its type library (TYPELIB 1), read back as a client's marshaler
// reads it, and its version information.
#include "FileVersionInfo.h"
#include "ModulePaths.h"
#include "ServerClient.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace pelmora::test {
namespace {

using com::ComPtr;

std::wstring serverPath() {
    return binaryFolder() + L"\\PelmoraThumbSrv64.exe";
}

std::wstring helpStringOf(ITypeLib* library, int index) {
    BSTR help = nullptr;
    EXPECT_EQ(library->GetDocumentation(index, nullptr, &help, nullptr, nullptr), S_OK);
    const std::wstring text = help ? help : L"";
    SysFreeString(help);
    return text;
}

struct ParameterShape {
    VARTYPE type;
    USHORT flags;
};

struct MethodShape {
    const wchar_t* name;
    MEMBERID id;
    const wchar_t* help;
    std::vector<ParameterShape> parameters;
};

// The pointed-to type of a VT_PTR parameter, or the type itself.
VARTYPE parameterType(const TYPEDESC& type) {
    return type.vt == VT_PTR ? static_cast<VARTYPE>(type.lptdesc->vt | VT_BYREF) : type.vt;
}

void expectInterface(ITypeLib* library, const IID& iid, const wchar_t* help,
                     const std::vector<MethodShape>& methods) {
    ComPtr<ITypeInfo> info;
    ASSERT_EQ(library->GetTypeInfoOfGuid(iid, info.receive()), S_OK);
    TYPEATTR* attributes = nullptr;
    ASSERT_EQ(info->GetTypeAttr(&attributes), S_OK);
    EXPECT_EQ(attributes->typekind, TKIND_DISPATCH);
    const WORD flags = attributes->wTypeFlags;
    info->ReleaseTypeAttr(attributes);
    EXPECT_TRUE(flags & TYPEFLAG_FDUAL);
    EXPECT_TRUE(flags & TYPEFLAG_FNONEXTENSIBLE);
    BSTR helpText = nullptr;
    ASSERT_EQ(info->GetDocumentation(MEMBERID_NIL, nullptr, &helpText, nullptr, nullptr), S_OK);
    EXPECT_EQ(std::wstring(helpText), help);
    SysFreeString(helpText);

    // The interface side of the dual interface: IDispatch's seven methods, then ours in order.
    HREFTYPE reference = 0;
    ASSERT_EQ(info->GetRefTypeOfImplType(-1, &reference), S_OK);
    ComPtr<ITypeInfo> vtable;
    ASSERT_EQ(info->GetRefTypeInfo(reference, vtable.receive()), S_OK);
    ASSERT_EQ(vtable->GetTypeAttr(&attributes), S_OK);
    // What lets the system's type-library marshaler carry the interface.
    EXPECT_TRUE(attributes->wTypeFlags & TYPEFLAG_FOLEAUTOMATION);
    EXPECT_TRUE(attributes->wTypeFlags & TYPEFLAG_FDUAL);
    vtable->ReleaseTypeAttr(attributes);
    for (std::size_t i = 0; i < methods.size(); ++i) {
        const MethodShape& expected = methods[i];
        FUNCDESC* function = nullptr;
        ASSERT_EQ(vtable->GetFuncDesc(static_cast<UINT>(i), &function), S_OK);
        EXPECT_EQ(function->memid, expected.id);
        EXPECT_EQ(function->oVft, static_cast<SHORT>((7 + i) * sizeof(void*)));
        ASSERT_EQ(function->cParams, static_cast<SHORT>(expected.parameters.size()));
        for (std::size_t p = 0; p < expected.parameters.size(); ++p) {
            const ELEMDESC& parameter = function->lprgelemdescParam[p];
            EXPECT_EQ(parameterType(parameter.tdesc), expected.parameters[p].type) << "parameter " << p;
            EXPECT_EQ(parameter.paramdesc.wParamFlags, expected.parameters[p].flags) << "parameter " << p;
        }
        vtable->ReleaseFuncDesc(function);
        BSTR name = nullptr;
        BSTR methodHelp = nullptr;
        ASSERT_EQ(vtable->GetDocumentation(expected.id, &name, &methodHelp, nullptr, nullptr), S_OK);
        EXPECT_EQ(std::wstring(name), expected.name);
        EXPECT_EQ(std::wstring(methodHelp), expected.help);
        SysFreeString(name);
        SysFreeString(methodHelp);
    }
}

TEST(ServerTypeLibraryTest, TheEmbeddedLibraryDescribesBothInterfacesExactly) {
    ComPtr<ITypeLib> library;
    ASSERT_EQ(LoadTypeLibEx(serverPath().c_str(), REGKIND_NONE, library.receive()), S_OK);
    TLIBATTR* attributes = nullptr;
    ASSERT_EQ(library->GetLibAttr(&attributes), S_OK);
    EXPECT_TRUE(IsEqualGUID(attributes->guid, LIBID_PelmoraThumbSrvLib));
    EXPECT_EQ(attributes->wMajorVerNum, 1);
    EXPECT_EQ(attributes->wMinorVerNum, 1);
    EXPECT_EQ(attributes->lcid, 0x409u);
    EXPECT_EQ(attributes->syskind, SYS_WIN64);
    library->ReleaseTLibAttr(attributes);
    EXPECT_EQ(helpStringOf(library.get(), -1), L"PelmoraThumbSrv 1.1 Type Library");

    const USHORT in = PARAMFLAG_FIN;
    const USHORT result = PARAMFLAG_FOUT | PARAMFLAG_FRETVAL;
    expectInterface(library.get(), IID_IThumbExtractor, L"IThumbExtractor Interface",
                    {{L"createImage",
                      1,
                      L"method createImage",
                      {{VT_BSTR | VT_BYREF, in}, {VT_UI2, in}, {VT_UI2, in}, {VT_BSTR | VT_BYREF, result}}}});
    expectInterface(
        library.get(), IID_IExtThumbExtractor, L"IExtThumbExtractor Interface",
        {{L"createImage",
          1,
          L"method createImage",
          // IStream*: a pointer to the interface type the library carries.
          {{VT_USERDEFINED | VT_BYREF, in}, {VT_UI2, in}, {VT_UI2, in}, {VT_BSTR | VT_BYREF, result}}},
         {L"createImageSgf",
          2,
          L"method createImageSgf",
          {{VT_BSTR | VT_BYREF, in}, {VT_UI2, in}, {VT_UI2, in}, {VT_BSTR | VT_BYREF, result}}}});
}

TEST(ServerTypeLibraryTest, BothClassesAreCreatableWithTheirInterfaceAsDefaultAndIStreamTravelsAlong) {
    ComPtr<ITypeLib> library;
    ASSERT_EQ(LoadTypeLibEx(serverPath().c_str(), REGKIND_NONE, library.receive()), S_OK);
    const struct {
        const CLSID& clsid;
        const IID& iid;
        const wchar_t* help;
    } classes[] = {{CLSID_ThumbExtractor, IID_IThumbExtractor, L"ThumbExtractor Class"},
                   {CLSID_ExtThumbExtractor, IID_IExtThumbExtractor, L"ExtThumbExtractor Class"}};
    for (const auto& expected : classes) {
        ComPtr<ITypeInfo> info;
        ASSERT_EQ(library->GetTypeInfoOfGuid(expected.clsid, info.receive()), S_OK);
        TYPEATTR* attributes = nullptr;
        ASSERT_EQ(info->GetTypeAttr(&attributes), S_OK);
        EXPECT_EQ(attributes->typekind, TKIND_COCLASS);
        EXPECT_TRUE(attributes->wTypeFlags & TYPEFLAG_FCANCREATE);
        info->ReleaseTypeAttr(attributes);
        INT implFlags = 0;
        ASSERT_EQ(info->GetImplTypeFlags(0, &implFlags), S_OK);
        EXPECT_TRUE(implFlags & IMPLTYPEFLAG_FDEFAULT);
        HREFTYPE reference = 0;
        ASSERT_EQ(info->GetRefTypeOfImplType(0, &reference), S_OK);
        ComPtr<ITypeInfo> implemented;
        ASSERT_EQ(info->GetRefTypeInfo(reference, implemented.receive()), S_OK);
        ASSERT_EQ(implemented->GetTypeAttr(&attributes), S_OK);
        EXPECT_TRUE(IsEqualIID(attributes->guid, expected.iid));
        implemented->ReleaseTypeAttr(attributes);
        BSTR help = nullptr;
        ASSERT_EQ(info->GetDocumentation(MEMBERID_NIL, nullptr, &help, nullptr, nullptr), S_OK);
        EXPECT_EQ(std::wstring(help), expected.help);
        SysFreeString(help);
    }
    for (const IID* carried : {&IID_IStream, &IID_ISequentialStream}) {
        ComPtr<ITypeInfo> info;
        EXPECT_EQ(library->GetTypeInfoOfGuid(*carried, info.receive()), S_OK);
    }
}

TEST(ServerTypeLibraryTest, TheVersionInformationNamesTheThumbnailServer) {
    const FileVersionInfo version(serverPath());
    const VS_FIXEDFILEINFO* fixed = version.fixed();
    ASSERT_NE(fixed, nullptr);
    EXPECT_EQ(fixed->dwFileVersionMS, 0x00010000u);
    EXPECT_EQ(fixed->dwFileVersionLS, 0x00000001u);
    EXPECT_EQ(fixed->dwProductVersionMS, 0x00010000u);
    EXPECT_EQ(fixed->dwProductVersionLS, 0x00000001u);
    const std::pair<const wchar_t*, const wchar_t*> strings[] = {
        {L"FileDescription", L"Pelmora Thumbnail Server"}, {L"FileVersion", L"1.0.2"},
        {L"InternalName", L"PelmoraThumbSrv.exe"},         {L"OriginalFilename", L"PelmoraThumbSrv.exe"},
        {L"ProductName", L"Pelmora Thumbnail Viewer"},     {L"ProductVersion", L"2.3"},
    };
    for (const auto& [name, expected] : strings) EXPECT_EQ(version.text(name), expected) << name;
}

}  // namespace
}  // namespace pelmora::test
