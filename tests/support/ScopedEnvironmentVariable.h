// Sets an environment variable of this process for a scope and restores its earlier state after. For the
// environment of a child process alone, see EnvironmentChanges in ChildProcess.h.
#pragma once

#include <optional>
#include <string>

namespace pelmora::test {

class ScopedEnvironmentVariable {
  public:
    // A nullopt value removes the variable for the scope.
    ScopedEnvironmentVariable(std::wstring name, const std::optional<std::wstring>& value);
    ScopedEnvironmentVariable(const ScopedEnvironmentVariable&) = delete;
    ScopedEnvironmentVariable& operator=(const ScopedEnvironmentVariable&) = delete;
    ~ScopedEnvironmentVariable();

    void set(const std::optional<std::wstring>& value);

  private:
    std::wstring name_;
    std::optional<std::wstring> previous_;
};

}  // namespace pelmora::test
