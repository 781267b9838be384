// Calls a COM client makes of the thumbnail server: activation by ProgID, and createImage through
// IDispatch::Invoke.
#pragma once

#include <pelmora/com/ComPtr.h>

#include <windows.h>

#include <oleauto.h>

namespace pelmora::test {

// Creates the class of the ProgID in a local server and asks for Interface.
template <class Interface>
HRESULT createByProgId(const wchar_t* progId, com::ComPtr<Interface>& object) {
    CLSID clsid;
    const HRESULT found = CLSIDFromProgID(progId, &clsid);
    if (FAILED(found)) return found;
    return CoCreateInstance(clsid, nullptr, CLSCTX_LOCAL_SERVER, __uuidof(Interface), object.receiveVoid());
}

// createImage the way a script client calls it: DISPID 1 with the text by reference and the two sizes.
inline HRESULT invokeCreateImage(IDispatch* target, BSTR* text, unsigned short x, unsigned short y,
                                 LCID locale, VARIANT* result, REFIID iid = IID_NULL) {
    VARIANT arguments[3];  // last to first
    for (VARIANT& argument : arguments) VariantInit(&argument);
    arguments[2].vt = VT_BSTR | VT_BYREF;
    arguments[2].pbstrVal = text;
    arguments[1].vt = VT_UI2;
    arguments[1].uiVal = x;
    arguments[0].vt = VT_UI2;
    arguments[0].uiVal = y;
    DISPPARAMS parameters{arguments, nullptr, 3, 0};
    VariantInit(result);
    return target->Invoke(1, iid, locale, DISPATCH_METHOD, &parameters, result, nullptr, nullptr);
}

}  // namespace pelmora::test
