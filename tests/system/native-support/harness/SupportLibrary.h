// PelmoraWin64.dll loaded from the test program's folder, and its exports looked up by name as the Java
// runtime does. The function types come from the JNI headers javac generates from the Java classes.
#pragma once

#include <windows.h>

#include "pelmora_platf_windows_NativeGraphics.h"
#include "pelmora_platf_windows_WindowsUtil.h"

namespace pelmora::test {

// The library, loaded on first use and kept for the life of the process; throws when it cannot be loaded.
HMODULE supportLibrary();

// The export's address, or null.
void* supportExport(const char* name);

[[noreturn]] void throwMissingExport(const char* name);

// The export cast to its prototype; throws when it is missing, which fails the calling test.
template <class Function>
Function supportFunction(const char* name) {
    void* address = supportExport(name);
    if (address == nullptr) throwMissingExport(name);
    return reinterpret_cast<Function>(address);
}

}  // namespace pelmora::test

// NATIVE_GRAPHICS(outTextUnicode) is the export Java_pelmora_platf_windows_NativeGraphics_outTextUnicode,
// typed by its declaration in the generated header.
#define NATIVE_GRAPHICS(method)                                                                      \
    ::pelmora::test::supportFunction<decltype(&Java_pelmora_platf_windows_NativeGraphics_##method)>( \
        "Java_pelmora_platf_windows_NativeGraphics_" #method)
#define WINDOWS_UTIL(method)                                                                      \
    ::pelmora::test::supportFunction<decltype(&Java_pelmora_platf_windows_WindowsUtil_##method)>( \
        "Java_pelmora_platf_windows_WindowsUtil_" #method)
