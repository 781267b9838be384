#include "FailureChoice.h"

#include <windows.h>

namespace mapidouble {

bool failsAt(std::string_view step) {
    char value[32]{};
    const DWORD length = GetEnvironmentVariableA("PELMORA_TEST_MAPI_FAIL", value, sizeof value);
    return length > 0 && length < sizeof value && std::string_view(value, length) == step;
}

}  // namespace mapidouble
