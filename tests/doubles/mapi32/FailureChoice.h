// The step at which the double fails, from PELMORA_TEST_MAPI_FAIL: "load" (DllMain refuses), "initialize",
// "logon" or "send". Read at every call, so a test can change it between calls.
#pragma once

#include <string_view>

namespace mapidouble {

bool failsAt(std::string_view step);

}  // namespace mapidouble
