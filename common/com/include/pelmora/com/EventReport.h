// Failures of a COM deliverable go to the Application event log, never to the screen.
#pragma once

#include <string>

namespace pelmora::com {

// One error event from the source: type error, category 0, event 0, no user, the two insertion strings
// message and detail, no raw data. Dropped when the source cannot be registered.
void reportErrorEvent(const wchar_t* source, const std::wstring& message, const std::wstring& detail);

}  // namespace pelmora::com
