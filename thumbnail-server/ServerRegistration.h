// The "RegServer" and "UnregServer" switches: the AppID, the two classes and the type library, for the
// machine or for the current user.
#pragma once

#include <pelmora/com/TypeLibraryRegistration.h>

#include <windows.h>

namespace pelmora::thumbsrv {

// The AppID first; the classes and the type library only when that succeeded.
HRESULT registerServer(com::RegistrationScope scope);
// The classes and the type library first; the AppID only when that succeeded.
HRESULT unregisterServer(com::RegistrationScope scope);

}  // namespace pelmora::thumbsrv
