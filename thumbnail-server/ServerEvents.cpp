#include "ServerEvents.h"

#include <pelmora/com/EventReport.h>

namespace pelmora::thumbsrv {

void reportError(const std::wstring& message, const std::wstring& detail) {
    com::reportErrorEvent(L"PelmoraThumbSrv", message, detail);
}

}  // namespace pelmora::thumbsrv
