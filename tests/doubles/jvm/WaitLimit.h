// How long a scripted wait of the runtime lasts at most before it fails loudly.
#pragma once

#include <chrono>

namespace testjvm {

// Long enough for any slow start under Wine; short enough that a broken test ends instead of hanging.
inline constexpr std::chrono::seconds scriptedWaitLimit{60};

}  // namespace testjvm
