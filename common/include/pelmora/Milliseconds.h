// Durations that tests and diagnosis may set through the environment: a whole number of milliseconds.
#pragma once

#include <chrono>
#include <optional>
#include <string>

namespace pelmora {

// A whole number of milliseconds from 0 to 24 hours, or nothing for any other text.
inline std::optional<std::chrono::milliseconds> millisecondsFrom(const std::wstring& text) {
    constexpr long long dayMs = 24LL * 60 * 60 * 1000;
    if (text.empty() || text.size() > 9) return std::nullopt;
    long long value = 0;
    for (const wchar_t c : text) {
        if (c < L'0' || c > L'9') return std::nullopt;
        value = value * 10 + (c - L'0');
    }
    if (value > dayMs) return std::nullopt;
    return std::chrono::milliseconds(value);
}

}  // namespace pelmora
