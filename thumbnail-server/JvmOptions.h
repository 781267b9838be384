// The options the thumbnail server gives its JVM, as narrow text in the code page of the process.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace pelmora::thumbsrv {

// Largest sizes, in bytes including the terminating zero.
constexpr std::size_t narrowJavaHomeCapacity = 260;
constexpr std::size_t libraryPathOptionCapacity = 324;
constexpr std::size_t classPathOptionCapacity = 16384;

// The options in the order the JVM receives them, or, when they cannot be built, a short English reason
// ("class path too long") for the event log and no options.
struct JvmOptions {
    std::vector<std::string> options;
    std::string error;
    bool ok() const { return error.empty(); }
};

// The class path ("Pelmora.jar", then each entry of the class path list under "lib\"), the library path
// (javaHome + "\lib") and headless mode. exeFolder ends with a backslash and is at most 259 bytes; the list
// is the class path list file's bytes, or null when there is none.
JvmOptions buildJvmOptions(const std::string& exeFolder, const std::string& javaHome,
                           const std::string* classPathList);

}  // namespace pelmora::thumbsrv
