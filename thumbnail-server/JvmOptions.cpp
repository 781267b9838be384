#include "JvmOptions.h"

#include "pelmora/ClassPathList.h"

#include <utility>

namespace pelmora::thumbsrv {
namespace {

JvmOptions failure(const char* reason) {
    return JvmOptions{{}, reason};
}

}  // namespace

JvmOptions buildJvmOptions(const std::string& exeFolder, const std::string& javaHome,
                           const std::string* classPathList) {
    std::string classPath = "-Djava.class.path=" + exeFolder + "Pelmora.jar";
    if (classPathList) {
        for (const auto& entry : readClassPathList(*classPathList)) {
            classPath += ";" + exeFolder + "lib\\" + entry;
        }
    }
    if (classPath.size() >= classPathOptionCapacity) return failure("class path too long");

    if (javaHome.size() >= narrowJavaHomeCapacity) return failure("Java home too long");
    std::string libraryPath = "-Djava.library.path=" + javaHome + "\\lib";
    // Cannot fail while the home fits (283 bytes at most); it keeps the option within its buffer all the
    // same.
    if (libraryPath.size() >= libraryPathOptionCapacity) return failure("library path too long");

    return JvmOptions{{std::move(classPath), std::move(libraryPath), "-Djava.awt.headless=true"}, {}};
}

}  // namespace pelmora::thumbsrv
