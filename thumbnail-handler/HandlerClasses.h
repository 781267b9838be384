// The two classes the handler serves, in the order of registration and lookup: everything lookup and
// registration need of each.
#pragma once

#include <pelmora/com/ClassFactory.h>

#include <windows.h>

#include <array>

namespace pelmora::thumb {

struct HandlerClass {
    const CLSID& clsid;
    com::ClassDescription description;
    // The class name in its ProgIDs and descriptions ("PelmoraExtractor").
    const wchar_t* name;
    // The shell's key of a file type under which the class serves.
    const wchar_t* shellKey;
    // Whether scripts may create it (the class with IDispatch).
    bool programmable;
};

// CPelmoraExtractor (no aggregation), then CPelmoraExtThumb (aggregatable).
const std::array<HandlerClass, 2>& handlerClasses();

}  // namespace pelmora::thumb
