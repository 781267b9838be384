// A variable of this process set or removed for a scope, and its earlier state back after.
#include "ScopedEnvironmentVariable.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace pelmora::test {
namespace {

const wchar_t name[] = L"PELMORA_SUPPORT_TEST_VARIABLE";

std::optional<std::wstring> valueNow() {
    wchar_t value[64];
    const DWORD length = GetEnvironmentVariableW(name, value, 64);
    if (length == 0 && GetLastError() == ERROR_ENVVAR_NOT_FOUND) return std::nullopt;
    return std::wstring(value, length);
}

TEST(ScopedEnvironmentVariable, SetsChangesAndRestoresAValue) {
    SetEnvironmentVariableW(name, L"before");
    {
        ScopedEnvironmentVariable variable(name, L"inside");
        EXPECT_EQ(valueNow(), std::optional<std::wstring>(L"inside"));
        variable.set(std::nullopt);
        EXPECT_EQ(valueNow(), std::nullopt);
    }
    EXPECT_EQ(valueNow(), std::optional<std::wstring>(L"before"));
    SetEnvironmentVariableW(name, nullptr);
}

TEST(ScopedEnvironmentVariable, RemovesAVariableThatWasNotThere) {
    {
        const ScopedEnvironmentVariable variable(name, L"inside");
        EXPECT_EQ(valueNow(), std::optional<std::wstring>(L"inside"));
    }
    EXPECT_EQ(valueNow(), std::nullopt);
}

}  // namespace
}  // namespace pelmora::test
