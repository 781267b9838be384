#include "HandlerClasses.h"

#include "PelmoraExtThumb.h"
#include "PelmoraExtractor.h"
#include "RegistryEntries.h"

#include <pelmora/com/ComObject.h>

namespace pelmora::thumb {

const std::array<HandlerClass, 2>& handlerClasses() {
    static const std::array<HandlerClass, 2> classes = {{
        {CLSID_PelmoraExtractor,
         {com::createObject<CPelmoraExtractor>, com::Aggregation::refused},
         L"PelmoraExtractor",
         extractImageShellKey,
         false},
        {CLSID_PelmoraExtThumb,
         {com::createObject<CPelmoraExtThumb>, com::Aggregation::allowed},
         L"PelmoraExtThumb",
         thumbnailProviderShellKey,
         true},
    }};
    return classes;
}

}  // namespace pelmora::thumb
