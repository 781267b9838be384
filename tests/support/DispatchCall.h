// createImage called through IDispatch::Invoke, the way a script client calls it: DISPID 1 with the text
// by reference and the two sizes.
#pragma once

#include <windows.h>

#include <oleauto.h>

namespace pelmora::test {

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
