#include "HandlerEvents.h"

#include <pelmora/com/EventReport.h>

namespace pelmora::thumb {

void reportError(const std::wstring& first, const std::wstring& second) {
    com::reportErrorEvent(L"PelmoraThumb", first, second);
}

}  // namespace pelmora::thumb
