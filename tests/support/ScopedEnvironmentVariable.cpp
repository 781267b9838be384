#include "ScopedEnvironmentVariable.h"

#include <windows.h>

#include <utility>

namespace pelmora::test {
namespace {

std::optional<std::wstring> currentValue(const std::wstring& name) {
    const DWORD needed = GetEnvironmentVariableW(name.c_str(), nullptr, 0);
    if (needed == 0) return std::nullopt;
    std::wstring value(needed, L'\0');
    const DWORD length = GetEnvironmentVariableW(name.c_str(), value.data(), needed);
    value.resize(length);
    return value;
}

}  // namespace

ScopedEnvironmentVariable::ScopedEnvironmentVariable(std::wstring name,
                                                     const std::optional<std::wstring>& value)
    : name_(std::move(name)), previous_(currentValue(name_)) {
    set(value);
}

ScopedEnvironmentVariable::~ScopedEnvironmentVariable() {
    set(previous_);
}

void ScopedEnvironmentVariable::set(const std::optional<std::wstring>& value) {
    SetEnvironmentVariableW(name_.c_str(), value ? value->c_str() : nullptr);
}

}  // namespace pelmora::test
