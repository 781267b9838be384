#include "JavaHomeSearch.h"

#include "JavaVersionOrder.h"

namespace pelmora::thumbsrv {
namespace {

std::optional<JavaLocation> fromOwnFolder(const std::wstring& ownFolder, const JavaInstallView& view) {
    const std::wstring home = ownFolder + L"\\jre";
    const std::wstring dll = home + L"\\bin\\server\\jvm.dll";
    // The Windows side cannot hold a longer path; the registry may still name a runtime.
    if (dll.size() >= ownFolderPathCapacity) return std::nullopt;
    if (!view.fileExists(dll)) return std::nullopt;
    return JavaLocation{home, dll};
}

std::optional<JavaLocation> fromKey(RegistryRoot root, const std::wstring& keyPath,
                                    const JavaInstallView& view) {
    const auto names = view.subkeyNames(root, keyPath);
    if (!names) return std::nullopt;
    const auto newest = pickNewestJavaVersion(*names);
    if (!newest) return std::nullopt;
    const auto values = view.readJavaValues(root, keyPath, *newest);
    if (!values) return std::nullopt;
    return JavaLocation{values->javaHome, values->runtimeLib};
}

}  // namespace

std::optional<JavaLocation> findJavaHome(const std::wstring& ownFolder, const JavaInstallView& view) {
    if (auto own = fromOwnFolder(ownFolder, view)) return own;
    for (const wchar_t* keyPath :
         {L"Software\\JavaSoft\\JRE", L"Software\\JavaSoft\\Java Runtime Environment"}) {
        for (RegistryRoot root : {RegistryRoot::currentUser, RegistryRoot::localMachine}) {
            if (auto registered = fromKey(root, keyPath, view)) return registered;
        }
    }
    return std::nullopt;
}

}  // namespace pelmora::thumbsrv
