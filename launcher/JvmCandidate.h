// One installed Java runtime together with one JVM type ("client" or "server").
#pragma once

#include <string>

namespace pelmora {

class JvmEnvironment;

// The version text padded for comparison as text: four tokens split at "." and "_", each right-aligned in
// three characters with leading zeros and followed by "." (1.8.0_301 gives 001.008.000.301.).
std::wstring comparableVersionOf(const std::wstring& version);

class JvmCandidate {
  public:
    std::wstring javaBundle;
    std::wstring version;
    std::wstring comparableVersion;
    std::wstring javaHomePath;
    std::wstring jrePath;
    std::wstring binJvmDir;
    std::wstring jvmPath;
    bool acceptable = true;

    // The runtime's bin folder with a trailing backslash, computed once from the bundle and the home.
    const std::wstring& getJrePath();
    std::wstring jvmPathFor(const std::wstring& type);
    bool hasJvmType(const std::wstring& type, const JvmEnvironment& environment);
    void setBinJvmDir(const std::wstring& type);
    // Append "B<digit>." for the bundle and "D<digit>." for the JVM type; 2 marks the preferred one.
    void addBundleMark(const std::wstring& bundlePreference);
    void addJvmTypeMark(const std::wstring& typePreference);
    std::wstring describe() const;
};

}  // namespace pelmora
