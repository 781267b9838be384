// Registering the type library a module carries as its TYPELIB 1 resource.
#pragma once

#include <windows.h>

#include <oleauto.h>

#include <string>

namespace pelmora::com {

enum class RegistrationScope { machine, user };

// Loads the library from the module's file, or from the same path with the extension ".tlb" when the
// module holds none, and registers it for that path with no help folder. For a user, the per-user
// registration is used when OLEAUT32 offers it and the machine-wide one otherwise.
HRESULT registerTypeLibrary(const std::wstring& modulePath, RegistrationScope scope);

// Unregisters the library with its own identifier, version, locale and system kind, read from the module;
// a library that is not registered (any more) is no failure.
HRESULT unregisterTypeLibrary(const std::wstring& modulePath, RegistrationScope scope);

}  // namespace pelmora::com
