// The two classes the handler serves, in the order of registration and lookup.
#pragma once

#include <pelmora/com/ClassFactory.h>
#include <pelmora/com/RegistryScript.h>

#include <windows.h>

#include <array>

namespace pelmora::thumb {

struct HandlerClass {
    const CLSID& clsid;
    com::ClassDescription description;
    const com::RegistryScript& (*script)();
};

// CPelmoraExtractor (no aggregation), then CPelmoraExtThumb (aggregatable).
const std::array<HandlerClass, 2>& handlerClasses();

}  // namespace pelmora::thumb
