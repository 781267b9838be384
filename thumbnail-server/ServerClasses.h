// The two classes the server serves, in the order their class objects are registered: everything the class
// objects and the registration need of each.
#pragma once

#include <pelmora/com/ClassFactory.h>

#include <windows.h>

#include <array>

namespace pelmora::thumbsrv {

struct ServerClass {
    const CLSID& clsid;
    com::ClassDescription description;
    // The class name in its ProgIDs and descriptions ("ThumbExtractor").
    const wchar_t* name;
};

// CExtThumbExtractor, then CThumbExtractor; both aggregatable.
const std::array<ServerClass, 2>& serverClasses();

}  // namespace pelmora::thumbsrv
