#include "ServerClasses.h"

#include "ExtThumbExtractor.h"
#include "ThumbExtractor.h"

#include <pelmora/com/ComObject.h>

namespace pelmora::thumbsrv {

const std::array<ServerClass, 2>& serverClasses() {
    static const std::array<ServerClass, 2> classes = {{
        {CLSID_ExtThumbExtractor,
         {&com::createObject<CExtThumbExtractor>, com::Aggregation::allowed},
         L"ExtThumbExtractor"},
        {CLSID_ThumbExtractor,
         {&com::createObject<CThumbExtractor>, com::Aggregation::allowed},
         L"ThumbExtractor"},
    }};
    return classes;
}

}  // namespace pelmora::thumbsrv
