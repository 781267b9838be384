// Where the thumbnail server finds its Java runtime: a private "jre" beside the executable, otherwise the
// newest runtime registered under the JavaSoft keys of the current user, then of the machine.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace pelmora::thumbsrv {

enum class RegistryRoot { currentUser, localMachine };

// Buffer sizes of the Windows side, in characters including the terminating zero.
constexpr std::size_t ownFolderPathCapacity = 520;  // the private runtime's home and jvm.dll paths
constexpr std::size_t registryTextCapacity = 260;   // a subkey name, the values "JavaHome" and "RuntimeLib"

// The string values of one registered runtime.
struct JavaRegistration {
    std::wstring javaHome;    // "JavaHome"
    std::wstring runtimeLib;  // "RuntimeLib", the path of jvm.dll
};

// What the search sees of the machine. Names and values are at most registryTextCapacity - 1 characters; the
// view treats a longer one as it treats one it cannot read.
class JavaInstallView {
  public:
    virtual ~JavaInstallView() = default;
    virtual bool fileExists(const std::wstring& path) const = 0;
    // Names of the subkeys of root\keyPath in enumeration order; nothing when the key does not open.
    virtual std::optional<std::vector<std::wstring>> subkeyNames(RegistryRoot root,
                                                                 const std::wstring& keyPath) const = 0;
    // The values of root\keyPath\subkeyName; nothing when the subkey does not open or either value cannot
    // be read.
    virtual std::optional<JavaRegistration> readJavaValues(RegistryRoot root, const std::wstring& keyPath,
                                                           const std::wstring& subkeyName) const = 0;
};

struct JavaLocation {
    std::wstring javaHome;
    std::wstring jvmDllPath;
};

// ownFolder is the executable's folder without a trailing backslash. First ownFolder\jre when
// jre\bin\server\jvm.dll exists there (skipped when that path does not fit in ownFolderPathCapacity); then,
// for the keys "Software\JavaSoft\JRE" and "Software\JavaSoft\Java Runtime Environment" in turn, under the
// current user and then the machine, the newest subkey of the first key that opens and whose newest subkey
// holds both values. An older subkey is never used in place of the newest.
std::optional<JavaLocation> findJavaHome(const std::wstring& ownFolder, const JavaInstallView& view);

}  // namespace pelmora::thumbsrv
