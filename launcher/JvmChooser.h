// Choosing the jvm.dll to load: the custom Java home when one is set, otherwise the best runtime registered
// under the JavaSoft keys, by version, bundle and JVM type, within the settings' version limits.
#pragma once

#include "JvmCandidate.h"

#include <optional>
#include <string>
#include <vector>

namespace pelmora {

class JvmEnvironment;
class Properties;

// The chosen candidate, with a non-empty jvmPath; throws the failure message as a wide string otherwise.
JvmCandidate chooseJvm(const Properties& settings, const JvmEnvironment& environment);

// The steps of the choice, in the order chooseJvm runs them.
std::optional<JvmCandidate> jvmFromJavaHome(const std::wstring& home, const std::wstring& type,
                                            const JvmEnvironment& environment);
void scanJavaSoftKey(const std::wstring& key, const std::wstring& bundle, const JvmEnvironment& environment,
                     std::vector<JvmCandidate>& list);
void separateJvmTypes(std::vector<JvmCandidate>& list, const JvmEnvironment& environment);
void determineVersions(const Properties& settings, std::vector<JvmCandidate>& list);
void removeUnacceptable(std::vector<JvmCandidate>& list);

}  // namespace pelmora
