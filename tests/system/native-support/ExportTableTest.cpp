// The library's export table, read from the loaded module: the JNI names of NativeGraphics and WindowsUtil
// and nothing else, each by name.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include <pelmora/Win32Handles.h>

#include "ModulePaths.h"
#include "SupportLibrary.h"

namespace pelmora::test {
namespace {

const std::set<std::string> jniFunctions = {
    "Java_pelmora_platf_windows_NativeGraphics_createFontUnicode",
    "Java_pelmora_platf_windows_NativeGraphics_outTextUnicode",
    "Java_pelmora_platf_windows_NativeGraphics_getTextAlign",
    "Java_pelmora_platf_windows_NativeGraphics_setTextAlign",
    "Java_pelmora_platf_windows_NativeGraphics_GetTextExtentPoint32Unicode_1height",
    "Java_pelmora_platf_windows_NativeGraphics_GetTextExtentPoint32Unicode_1width",
    "Java_pelmora_platf_windows_NativeGraphics_canPresentASCII",
    "Java_pelmora_platf_windows_NativeGraphics_canPresentUnicode",
    "Java_pelmora_platf_windows_NativeGraphics_selectStockObject",
    "Java_pelmora_platf_windows_NativeGraphics_selectObject",
    "Java_pelmora_platf_windows_NativeGraphics_deleteObject",
    "Java_pelmora_platf_windows_NativeGraphics_moveTo",
    "Java_pelmora_platf_windows_NativeGraphics_lineTo",
    "Java_pelmora_platf_windows_NativeGraphics_getPenX",
    "Java_pelmora_platf_windows_NativeGraphics_getPenY",
    "Java_pelmora_platf_windows_NativeGraphics_beginPath",
    "Java_pelmora_platf_windows_NativeGraphics_endPath",
    "Java_pelmora_platf_windows_NativeGraphics_closeFigure",
    "Java_pelmora_platf_windows_NativeGraphics_fillPath",
    "Java_pelmora_platf_windows_NativeGraphics_selectClipPath",
    "Java_pelmora_platf_windows_NativeGraphics_setPolyFillMode",
    "Java_pelmora_platf_windows_NativeGraphics_polyBezierTo",
    "Java_pelmora_platf_windows_NativeGraphics_setTextColor",
    "Java_pelmora_platf_windows_NativeGraphics_createBrush",
    "Java_pelmora_platf_windows_NativeGraphics_createPen",
    "Java_pelmora_platf_windows_NativeGraphics_drawEllipse",
    "Java_pelmora_platf_windows_NativeGraphics_drawRectangle",
    "Java_pelmora_platf_windows_NativeGraphics_polyPolygon",
    "Java_pelmora_platf_windows_NativeGraphics_createRefDC",
    "Java_pelmora_platf_windows_NativeGraphics_deleteRefDC",
    "Java_pelmora_platf_windows_NativeGraphics_createEMFUnicode",
    "Java_pelmora_platf_windows_NativeGraphics_closeEMF",
    "Java_pelmora_platf_windows_NativeGraphics_deleteEMF",
    "Java_pelmora_platf_windows_NativeGraphics_convertEMF2WMF",
    "Java_pelmora_platf_windows_NativeGraphics_toClipboardMF",
    "Java_pelmora_platf_windows_NativeGraphics_clipboardBitsEMF",
    "Java_pelmora_platf_windows_WindowsUtil_createMutex",
    "Java_pelmora_platf_windows_WindowsUtil_releaseMutex",
    "Java_pelmora_platf_windows_WindowsUtil_closeHandle",
    "Java_pelmora_platf_windows_WindowsUtil_documentOpened",
    "Java_pelmora_platf_windows_WindowsUtil_mailSgf",
};

const BYTE* imageBase() {
    return reinterpret_cast<const BYTE*>(supportLibrary());
}

const IMAGE_EXPORT_DIRECTORY& exportDirectory() {
    const auto& dos = *reinterpret_cast<const IMAGE_DOS_HEADER*>(imageBase());
    const auto& nt = *reinterpret_cast<const IMAGE_NT_HEADERS64*>(imageBase() + dos.e_lfanew);
    const auto& entry = nt.OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_EXPORT];
    return *reinterpret_cast<const IMAGE_EXPORT_DIRECTORY*>(imageBase() + entry.VirtualAddress);
}

std::set<std::string> exportedNames() {
    const auto& directory = exportDirectory();
    const auto* nameOffsets = reinterpret_cast<const DWORD*>(imageBase() + directory.AddressOfNames);
    std::set<std::string> names;
    for (DWORD i = 0; i < directory.NumberOfNames; ++i) {
        names.insert(reinterpret_cast<const char*>(imageBase() + nameOffsets[i]));
    }
    return names;
}

TEST(ExportTable, NamesExactlyTheJniFunctions) {
    EXPECT_EQ(exportedNames(), jniFunctions);
}

TEST(ExportTable, ExportsNothingByOrdinalOnly) {
    const auto& directory = exportDirectory();
    EXPECT_EQ(directory.NumberOfFunctions, directory.NumberOfNames);
}

TEST(ExportTable, EveryJniFunctionIsFoundByItsName) {
    for (const auto& name : jniFunctions) {
        EXPECT_NE(supportExport(name.c_str()), nullptr) << name;
    }
}

TEST(LibraryEntryPoint, AcceptsLoadsThreadsAndUnloads) {
    const std::wstring path = modulePath(supportLibrary());
    // A second reference, a thread started and ended while loaded, and the reference given back.
    const HMODULE again = LoadLibraryW(path.c_str());
    ASSERT_EQ(again, supportLibrary());
    const KernelHandle thread(CreateThread(
        nullptr, 0, [](void*) -> DWORD { return 7; }, nullptr, 0, nullptr));
    ASSERT_NE(thread.get(), nullptr);
    EXPECT_EQ(WaitForSingleObject(thread.get(), 10000), WAIT_OBJECT_0);
    DWORD exitCode = 0;
    GetExitCodeThread(thread.get(), &exitCode);
    EXPECT_EQ(exitCode, 7u);
    EXPECT_TRUE(FreeLibrary(again));
    EXPECT_EQ(GetModuleHandleW(path.c_str()), supportLibrary());
}

}  // namespace
}  // namespace pelmora::test
