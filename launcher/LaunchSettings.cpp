#include "LaunchSettings.h"

#include "ArgumentQuoting.h"
#include "Properties.h"

namespace pelmora {

std::vector<std::wstring> rewriteArguments(std::vector<std::wstring> args, const std::wstring& callerDir) {
    if (args.empty()) args.emplace_back();
    args.insert(args.begin() + 1, {L"-workdir", callerDir, L"-open"});
    args.push_back(L"-endOpen");
    return args;
}

std::wstring composeForwardingLine(const std::vector<std::wstring>& args) {
    std::wstring line;
    for (std::size_t i = 1; i < args.size(); ++i) line += quoteArgument(args[i]) + L" ";
    return line;
}

void applyLaunchDefaults(const std::vector<std::wstring>& args, Properties& settings,
                         const InstallationView& installation) {
    settings.setCustomJavaHomePathIfExists(L".\\jre",
                                           [&](const std::wstring& p) { return installation.pathExists(p); });
    settings.addJar(L".\\", L"Pelmora.jar");
    for (const auto& entry : installation.classPathEntries()) settings.addJar(L"lib\\", entry);
    settings.setMainClass(L"Pelmora2");
    settings.setMaxHeapShare(50, installation.totalPhysicalMemoryKb());
    settings.setMaxHeapLowerKb(300000);
    settings.setMaxHeapUpperKb(1000000);
    settings.setMinJavaVersion(L"11.0");
    settings.addJavaSystemProperty(L"-Dpelmora.root=" + settings.selfHomePath());
    const std::wstring language = installation.installSetting(L"language");
    if (!language.empty()) settings.addJavaSystemProperty(L"-Dpelmora.language=" + language);
    settings.addCommandLineArgument(L"-delayexit");
    for (std::size_t i = 1; i < args.size(); ++i) settings.addCommandLineArgument(args[i]);
}

}  // namespace pelmora
