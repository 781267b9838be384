// The options of JNI_CreateJavaVM turned into options of a Linux "java": Windows paths in the class path and
// in -D values become Unix paths, and options a JVM would not recognise are found before any process starts.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace javabridge {

struct TranslatedOption {
    // UTF-8: the whole option, or for a path list the part up to and including "=".
    std::string text;
    // Non-empty for a path list: the Unix paths, to be joined with ":" on the Linux side. Relative ones
    // count from the current folder.
    std::vector<std::string> unixPaths;
};

struct OptionTranslation {
    std::vector<TranslatedOption> options;
    // The first option no JVM accepts; creation fails with "Unrecognized option: ..." when it is set.
    std::wstring unrecognized;
};

// The Unix path of an absolute Windows path ("Z:\dir\file", "C:/dir").
using UnixPathOf = std::function<std::string(const std::wstring& windowsPath)>;

// "X:\..." or "X:/...".
bool isDrivePath(std::wstring_view text);
// The path in UTF-8 with backslashes turned into slashes, for relative paths and paths Wine cannot map.
std::string withForwardSlashes(std::wstring_view path);

// A -D value that is one drive path or a ";"-separated list of them is mapped path by path, and so is every
// entry of the class path (relative ones only get forward slashes); every other option passes unchanged.
// Options outside the JVM's own set ("-cp", "-jar", words without a dash) are unrecognised; with
// ignoreUnrecognized, unknown "_" options are dropped as a JVM drops them.
OptionTranslation translateOptions(const std::vector<std::wstring>& options, bool ignoreUnrecognized,
                                   const UnixPathOf& unixPathOf);

}  // namespace javabridge
