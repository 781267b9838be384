#include "CommandLineTokens.h"

#include <windows.h>

#include <shellapi.h>

#include <memory>

namespace pelmora {
namespace {
struct LocalMemoryRelease {
    void operator()(LPWSTR* tokens) const { LocalFree(tokens); }
};
}  // namespace

std::vector<std::wstring> splitCommandLine(const std::wstring& text) {
    std::vector<std::wstring> arguments;
    if (text.empty()) return arguments;
    int count = 0;
    const std::unique_ptr<LPWSTR, LocalMemoryRelease> tokens(CommandLineToArgvW(text.c_str(), &count));
    if (!tokens) return arguments;
    arguments.assign(tokens.get(), tokens.get() + count);
    return arguments;
}

}  // namespace pelmora
