#include "JavaVersionOrder.h"

#include <cstdint>
#include <type_traits>

namespace pelmora::thumbsrv {
namespace {

// The value of an all-digit component, or nothing when it holds another character or exceeds the limit.
std::optional<std::int64_t> numberOf(std::wstring_view component) {
    constexpr std::int64_t limit = 2147483647;
    std::int64_t value = 0;
    for (wchar_t c : component) {
        if (c < L'0' || c > L'9') return std::nullopt;
        value = value * 10 + (c - L'0');
        if (value > limit) return std::nullopt;
    }
    return value;
}

// Code units compare unsigned: on Windows wchar_t is one UTF-16 code unit.
int compareText(std::wstring_view a, std::wstring_view b) {
    using Unit = std::make_unsigned_t<wchar_t>;
    for (std::size_t i = 0; i < a.size() && i < b.size(); ++i) {
        const Unit left = static_cast<Unit>(a[i]);
        const Unit right = static_cast<Unit>(b[i]);
        if (left != right) return left < right ? -1 : 1;
    }
    if (a.size() == b.size()) return 0;
    return a.size() < b.size() ? -1 : 1;
}

bool isSeparator(wchar_t c) {
    return c == L'.' || c == L'-' || c == L'_';
}

std::vector<std::wstring_view> componentsOf(std::wstring_view name) {
    std::vector<std::wstring_view> components;
    std::size_t start = 0;
    for (std::size_t i = 0; i <= name.size(); ++i) {
        if (i == name.size() || isSeparator(name[i])) {
            components.push_back(name.substr(start, i - start));
            start = i + 1;
        }
    }
    return components;
}

}  // namespace

int compareVersionComponent(std::wstring_view a, std::wstring_view b) {
    const auto left = numberOf(a);
    const auto right = numberOf(b);
    if (left && right) {
        if (*left == *right) return 0;
        return *left < *right ? -1 : 1;
    }
    return compareText(a, b);
}

int compareJavaVersions(std::wstring_view a, std::wstring_view b) {
    const auto left = componentsOf(a);
    const auto right = componentsOf(b);
    const std::wstring_view filler = L"0";
    for (std::size_t i = 0; i < left.size() || i < right.size(); ++i) {
        const int order =
            compareVersionComponent(i < left.size() ? left[i] : filler, i < right.size() ? right[i] : filler);
        if (order != 0) return order;
    }
    return 0;
}

std::optional<std::wstring> pickNewestJavaVersion(const std::vector<std::wstring>& names) {
    if (names.empty()) return std::nullopt;
    const std::wstring* best = &names.front();
    for (const auto& name : names) {
        if (compareJavaVersions(name, *best) > 0) best = &name;
    }
    return *best;
}

}  // namespace pelmora::thumbsrv
