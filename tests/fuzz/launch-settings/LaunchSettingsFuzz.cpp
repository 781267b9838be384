// The launcher's settings from what it reads outside itself: its own path, the start folder, the registry
// value "language", the class path list's entries, the installed memory and any argument vector. Input: a
// byte (bit 0: ".\jre" exists), eight bytes of memory size, then the path, the start folder, the language and
// the class path entries as UTF-16 texts ended by zero units, and the arguments as the remaining texts.
//
// main always receives "-delayexit", "-workdir", the start folder (unless it is empty), "-open", the
// non-empty arguments in order and "-endOpen"; the JVM options are the root, the language exactly when it
// is set, and a maximum heap of 300000 to 1000000 KiB; the installation folder is the path's folder or
// that folder's parent, and the settings describe themselves without failing.
#include "FuzzInput.h"
#include "LaunchSettings.h"
#include "Properties.h"

#include <cwchar>
#include <string>
#include <vector>

namespace pelmora {
namespace {

using fuzz::check;

struct Installation : InstallationView {
    bool jreExists = false;
    double memoryKb = 0;
    std::wstring language;
    std::vector<std::wstring> entries;

    bool pathExists(const std::wstring& path) const override { return jreExists && path == L".\\jre"; }
    std::vector<std::wstring> classPathEntries() const override { return entries; }
    double totalPhysicalMemoryKb() const override { return memoryKb; }
    std::wstring installSetting(const std::wstring& valueName) const override {
        return valueName == L"language" ? language : std::wstring();
    }
};

double memoryKbFrom(fuzz::FuzzInput& input) {
    std::uint64_t bytes = 0;
    for (int i = 0; i < 8; ++i) bytes |= static_cast<std::uint64_t>(input.byte()) << (8 * i);
    return static_cast<double>(bytes) / 1024.0;
}

void checkInstallationFolder(const Properties& settings) {
    const std::wstring& path = settings.fullPathAndNameOfExe();
    const std::wstring& home = settings.selfHomePath();
    if (path.find(L'\\') == std::wstring::npos) {
        check(home.empty(), "no folder without a backslash");
        return;
    }
    check(path.compare(0, home.size(), home) == 0 && path[home.size()] == L'\\',
          "the installation folder is a folder of the path");
}

void checkJavaOptions(const Properties& settings, const Installation& installation) {
    const std::vector<std::wstring>& options = settings.javaSystemProperties();
    const bool withLanguage = !installation.language.empty();
    check(options.size() == (withLanguage ? 3u : 2u), "root, language when set, maximum heap");
    check(options[0] == L"-Dpelmora.root=" + settings.selfHomePath(), "the root option");
    if (withLanguage) check(options[1] == L"-Dpelmora.language=" + installation.language, "the language");
    int heapKb = 0;
    wchar_t unit = 0;
    check(std::swscanf(options.back().c_str(), L"-Xmx%dk%lc", &heapKb, &unit) == 1, "a maximum heap option");
    check(heapKb >= 300000 && heapKb <= 1000000, "the maximum heap within its bounds");
}

void checkMainArguments(const Properties& settings, const std::vector<std::wstring>& args,
                        const std::wstring& callerDir) {
    std::vector<std::wstring> expected = {L"-delayexit", L"-workdir"};
    if (!callerDir.empty()) expected.push_back(callerDir);
    expected.push_back(L"-open");
    for (std::size_t i = 1; i < args.size(); ++i) {
        if (!args[i].empty()) expected.push_back(args[i]);
    }
    expected.push_back(L"-endOpen");
    check(settings.nonEmptyCommandLineArguments() == expected, "main's arguments");
}

}  // namespace
}  // namespace pelmora

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace pelmora;
    fuzz::FuzzInput input(data, size);
    Installation installation;
    installation.jreExists = input.byte() & 1;
    installation.memoryKb = memoryKbFrom(input);
    const std::wstring exePath = input.wideText();
    const std::wstring callerDir = input.wideText();
    installation.language = input.wideText();
    const std::wstring entry = input.wideText();
    if (!entry.empty()) installation.entries.push_back(entry);
    std::vector<std::wstring> args = input.wideTexts();
    args.insert(args.begin(), exePath);

    Properties settings;
    settings.setFullPathAndNameOfExe(exePath);
    checkInstallationFolder(settings);
    const std::vector<std::wstring> rewritten = rewriteArguments(args, callerDir);
    applyLaunchDefaults(rewritten, settings, installation);
    settings.addHeapOptions();

    fuzz::check(settings.customJavaHomePath() == (installation.jreExists ? L".\\jre" : L""),
                "the private runtime");
    fuzz::check(
        settings.jarsInClasspath() == L".\\Pelmora.jar;" + (entry.empty() ? L"" : L"lib\\" + entry + L";"),
        "the class path");
    fuzz::check(settings.mainClassAsJniName() == L"Pelmora2", "the main class");
    checkJavaOptions(settings, installation);
    checkMainArguments(settings, args, callerDir);
    fuzz::check(!settings.describeSettings().empty(), "the settings describe themselves");
    return 0;
}
