// Looking up a function a module exports, typed: the one place that turns GetProcAddress's result into a
// function pointer.
#pragma once

#include <windows.h>

namespace pelmora {

// The exported function of that name, or null when the module is null or exports none.
template <class Function>
Function procAddress(HMODULE module, const char* name) {
    if (module == nullptr) return nullptr;
    // Through void*: a direct cast between unrelated function pointer types draws -Wcast-function-type.
    return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

}  // namespace pelmora
