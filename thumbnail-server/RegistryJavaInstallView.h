// The Java search's view of this machine: files, and the JavaSoft keys in the registry view a 64-bit
// process sees by default.
#pragma once

#include "JavaHomeSearch.h"

namespace pelmora::thumbsrv {

class RegistryJavaInstallView final : public JavaInstallView {
  public:
    bool fileExists(const std::wstring& path) const override;
    std::optional<std::vector<std::wstring>> subkeyNames(RegistryRoot root,
                                                         const std::wstring& keyPath) const override;
    std::optional<JavaRegistration> readJavaValues(RegistryRoot root, const std::wstring& keyPath,
                                                   const std::wstring& subkeyName) const override;
};

}  // namespace pelmora::thumbsrv
