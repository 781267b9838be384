// The launch settings: everything the launcher decides before it creates the JVM.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace pelmora {

class JvmCandidate;

class Properties {
  public:
    Properties() = default;
    Properties(const Properties&) = default;
    Properties& operator=(const Properties&) = default;

    // Stores the path and derives selfHomePath: the executable's folder, or its parent when that folder is
    // "\bin" (exactly, case-sensitive).
    void setFullPathAndNameOfExe(const std::wstring& path);
    // customJavaHomePath becomes path only when something exists there.
    void setCustomJavaHomePathIfExists(const std::wstring& path,
                                       const std::function<bool(const std::wstring&)>& pathExists);

    void addJar(const std::wstring& folder, const std::wstring& file);
    void addJavaSystemProperty(const std::wstring& option);
    // Grows the list with empty entries up to index when needed.
    void setCommandLineArgument(const std::wstring& value, std::size_t index);
    void addCommandLineArgument(const std::wstring& value);

    // maxHeapKb becomes percent (limited to 0..100) of the physical memory.
    void setMaxHeapShare(int percent, double totalMemoryKb);
    // Clamps the heap fields into their bounds and appends "-Xms"/"-Xmx" for positive values.
    void addHeapOptions();
    // Chooses the JVM and appends the heap options; any failure ends the launcher.
    void evaluateJvm();

    std::vector<std::wstring> nonEmptyCommandLineArguments() const;
    // Rewrites mainClass in place with "/" between package parts and returns it.
    const std::wstring& mainClassAsJniName();
    std::wstring describeSettings() const;

    const std::wstring& fullPathAndNameOfExe() const { return fullPathAndNameOfExe_; }
    const std::wstring& selfHomePath() const { return selfHomePath_; }
    const std::wstring& customJavaHomePath() const { return customJavaHomePath_; }
    const std::wstring& mainClass() const { return mainClass_; }
    const std::wstring& customBinJvmDir() const { return customBinJvmDir_; }
    const std::wstring& customJavaBundle() const { return customJavaBundle_; }
    const std::vector<std::wstring>& javaSystemProperties() const { return javaSystemProperties_; }
    const std::vector<std::wstring>& commandLineArguments() const { return commandLineArguments_; }
    const std::wstring& minJavaVersion() const { return minJavaVersion_; }
    const std::wstring& maxJavaVersion() const { return maxJavaVersion_; }
    const std::wstring& jarsInClasspath() const { return jarsInClasspath_; }
    const std::shared_ptr<JvmCandidate>& chosenJvm() const { return chosenJvm_; }
    const std::wstring& debugFile() const { return debugFile_; }
    const std::wstring& libraryPath() const { return libraryPath_; }
    const std::wstring& callerDir() const { return callerDir_; }
    std::int32_t maxHeapKb() const { return maxHeapKb_; }
    std::int32_t maxHeapUpperKb() const { return maxHeapUpperKb_; }
    std::int32_t maxHeapLowerKb() const { return maxHeapLowerKb_; }
    std::int32_t initHeapKb() const { return initHeapKb_; }
    std::int32_t initHeapUpperKb() const { return initHeapUpperKb_; }
    std::int32_t initHeapLowerKb() const { return initHeapLowerKb_; }

    void setCallerDir(const std::wstring& value) { callerDir_ = value; }
    void setMainClass(const std::wstring& value) { mainClass_ = value; }
    void setMinJavaVersion(const std::wstring& value) { minJavaVersion_ = value; }
    void setMaxJavaVersion(const std::wstring& value) { maxJavaVersion_ = value; }
    void setMaxHeapLowerKb(std::int32_t value) { maxHeapLowerKb_ = value; }
    void setMaxHeapUpperKb(std::int32_t value) { maxHeapUpperKb_ = value; }
    void setInitHeapKb(std::int32_t value) { initHeapKb_ = value; }
    void setInitHeapLowerKb(std::int32_t value) { initHeapLowerKb_ = value; }
    void setInitHeapUpperKb(std::int32_t value) { initHeapUpperKb_ = value; }
    void setCustomJavaHomePath(const std::wstring& value) { customJavaHomePath_ = value; }
    void setCustomBinJvmDir(const std::wstring& value) { customBinJvmDir_ = value; }
    void setCustomJavaBundle(const std::wstring& value) { customJavaBundle_ = value; }
    void setLibraryPath(const std::wstring& value) { libraryPath_ = value; }
    void setDebugFile(const std::wstring& value) { debugFile_ = value; }
    void setChosenJvm(std::shared_ptr<JvmCandidate> jvm) { chosenJvm_ = std::move(jvm); }

  private:
    std::wstring fullPathAndNameOfExe_;
    std::wstring selfHomePath_;
    std::wstring customJavaHomePath_;
    std::wstring mainClass_;
    std::wstring customBinJvmDir_;
    std::wstring customJavaBundle_;
    std::vector<std::wstring> javaSystemProperties_;
    std::vector<std::wstring> commandLineArguments_;
    std::wstring minJavaVersion_;
    std::wstring maxJavaVersion_;
    std::wstring jarsInClasspath_;
    std::shared_ptr<JvmCandidate> chosenJvm_;
    std::wstring debugFile_;
    std::wstring libraryPath_;
    std::wstring callerDir_;
    std::int32_t maxHeapKb_ = 0;
    std::int32_t maxHeapUpperKb_ = 2147483647;
    std::int32_t maxHeapLowerKb_ = 0;
    std::int32_t initHeapKb_ = 0;
    std::int32_t initHeapUpperKb_ = 2147483647;
    std::int32_t initHeapLowerKb_ = 0;
};

}  // namespace pelmora
