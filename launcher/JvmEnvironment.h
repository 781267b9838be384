// What the JVM choice sees of the machine: the JavaSoft registry keys and the file system.
#pragma once

#include "PathView.h"

#include <optional>
#include <string>
#include <vector>

namespace pelmora {

class JvmEnvironment : public PathView {
  public:
    virtual ~JvmEnvironment() = default;
    // Names of the subkeys of HKEY_LOCAL_MACHINE\key in enumeration order; nothing when the key does not
    // open.
    virtual std::optional<std::vector<std::wstring>> subkeyNames(const std::wstring& key) const = 0;
    // The string value "JavaHome" of HKEY_LOCAL_MACHINE\key; empty when absent or unreadable.
    virtual std::wstring javaHome(const std::wstring& key) const = 0;
};

}  // namespace pelmora
