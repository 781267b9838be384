#include "ServerLifetime.h"

namespace pelmora::thumbsrv {

std::optional<Milliseconds> millisecondsFrom(const std::wstring& text) {
    constexpr long long dayMs = 24LL * 60 * 60 * 1000;
    if (text.empty() || text.size() > 9) return std::nullopt;
    long long value = 0;
    for (const wchar_t c : text) {
        if (c < L'0' || c > L'9') return std::nullopt;
        value = value * 10 + (c - L'0');
    }
    if (value > dayMs) return std::nullopt;
    return Milliseconds(value);
}

}  // namespace pelmora::thumbsrv
