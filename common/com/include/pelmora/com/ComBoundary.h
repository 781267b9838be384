// The edge of a COM method or an exported function: no C++ exception may cross it into the caller, which may
// be Explorer's own process.
#pragma once

#include <windows.h>

#include <new>

namespace pelmora::com {

template <class Body>
HRESULT comBoundary(Body&& body) noexcept {
    try {
        return body();
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    } catch (...) {
        return E_FAIL;
    }
}

}  // namespace pelmora::com
