#include "Properties.h"

#include <algorithm>
#include <cstdio>
#include <cwchar>

namespace pelmora {

void Properties::setFullPathAndNameOfExe(const std::wstring& path) {
    fullPathAndNameOfExe_ = path;
    const auto lastBackslash = path.rfind(L'\\');
    if (lastBackslash == std::wstring::npos) return;
    selfHomePath_ = path.substr(0, lastBackslash);
    const auto folderStart = selfHomePath_.rfind(L'\\');
    if (folderStart != std::wstring::npos &&
        selfHomePath_.compare(folderStart, std::wstring::npos, L"\\bin") == 0) {
        selfHomePath_.erase(folderStart);
    }
}

void Properties::setCustomJavaHomePathIfExists(const std::wstring& path,
                                               const std::function<bool(const std::wstring&)>& pathExists) {
    if (pathExists(path)) customJavaHomePath_ = path;
}

void Properties::addJar(const std::wstring& folder, const std::wstring& file) {
    jarsInClasspath_ += folder + file + L";";
}

void Properties::addJavaSystemProperty(const std::wstring& option) {
    javaSystemProperties_.push_back(option);
}

void Properties::setCommandLineArgument(const std::wstring& value, std::size_t index) {
    if (index >= commandLineArguments_.size()) commandLineArguments_.resize(index + 1);
    commandLineArguments_[index] = value;
}

void Properties::addCommandLineArgument(const std::wstring& value) {
    setCommandLineArgument(value, commandLineArguments_.size());
}

void Properties::setMaxHeapShare(int percent, double totalMemoryKb) {
    const int share = std::clamp(percent, 0, 100);
    // Truncation toward zero; a machine with more than 2 TiB would not fit, so it is held at the largest
    // value.
    const double kb = totalMemoryKb * share / 100.0;
    maxHeapKb_ = kb >= 2147483647.0 ? 2147483647 : static_cast<std::int32_t>(kb);
}

void Properties::addHeapOptions() {
    maxHeapKb_ = std::min(std::max(maxHeapKb_, maxHeapLowerKb_), maxHeapUpperKb_);
    initHeapKb_ = std::min(std::max(initHeapKb_, initHeapLowerKb_), initHeapUpperKb_);
    wchar_t option[100];
    if (initHeapKb_ > 0) {
        std::swprintf(option, 100, L"-Xms%dk", static_cast<int>(initHeapKb_));
        addJavaSystemProperty(option);
    }
    if (maxHeapKb_ > 0) {
        std::swprintf(option, 100, L"-Xmx%dk", static_cast<int>(maxHeapKb_));
        addJavaSystemProperty(option);
    }
}

std::vector<std::wstring> Properties::nonEmptyCommandLineArguments() const {
    std::vector<std::wstring> arguments;
    for (const auto& argument : commandLineArguments_) {
        if (!argument.empty()) arguments.push_back(argument);
    }
    return arguments;
}

const std::wstring& Properties::mainClassAsJniName() {
    std::replace(mainClass_.begin(), mainClass_.end(), L'.', L'/');
    return mainClass_;
}

std::wstring Properties::describeSettings() const {
    std::wstring text = L"fullPathAndNameOfExe=" + fullPathAndNameOfExe_;
    text += L",selfHomePath=" + selfHomePath_;
    text += L",customJavaHomePath=" + customJavaHomePath_;
    text += L",customBinJvmDir=" + customBinJvmDir_;
    text += L",mainClass=" + mainClass_;
    text += L",minJavaVersion=" + minJavaVersion_;
    text += L",maxJavaVersion=" + maxJavaVersion_;
    text += L",jarsInClasspath=" + jarsInClasspath_;
    text += L",libraryPath=" + libraryPath_;
    text += L",debugFile=" + debugFile_;
    text += L",callerDir=" + callerDir_;
    const auto appendIndexed = [&text](const wchar_t* name, const std::vector<std::wstring>& entries) {
        for (std::size_t i = 0; i < entries.size(); ++i) {
            text += L"," + std::wstring(name) + L"[" + std::to_wstring(i) + L"]=" + entries[i];
        }
    };
    appendIndexed(L"javaSystemProperties", javaSystemProperties_);
    appendIndexed(L"commandLineArguments", commandLineArguments_);
    return text;
}

}  // namespace pelmora
