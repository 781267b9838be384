// The server's error events, source "PelmoraThumbSrv".
#pragma once

#include <string>

namespace pelmora::thumbsrv {

void reportError(const std::wstring& message, const std::wstring& detail);

}  // namespace pelmora::thumbsrv
