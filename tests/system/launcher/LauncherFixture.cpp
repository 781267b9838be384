#include "LauncherFixture.h"

#include "MessageBoxes.h"
#include "ModulePaths.h"
#include "TestJvmLibrary.h"
#include "Utf8Text.h"

#include <algorithm>

namespace pelmora::test {
namespace {

const wchar_t javaSoftKey[] = L"SOFTWARE\\JavaSoft";
const wchar_t installKey[] = L"Software\\Pelmora2";
const DWORD messageBoxTimeoutMs = 30000;

bool startsWith(const std::wstring& text, const std::wstring& prefix) {
    return text.compare(0, prefix.size(), prefix) == 0;
}

std::wstring valueOf(const std::wstring& line, const std::wstring& key) {
    const auto at = line.find(L" " + key + L"=");
    if (at == std::wstring::npos) return std::wstring();
    const auto start = at + key.size() + 2;
    const auto end = line.find(L' ', start);
    return line.substr(start, end == std::wstring::npos ? std::wstring::npos : end - start);
}

}  // namespace

std::wstring expectedMaxHeapOption() {
    MEMORYSTATUSEX status = {};
    status.dwLength = sizeof(status);
    GlobalMemoryStatusEx(&status);
    const long long halfKb = static_cast<long long>(status.ullTotalPhys >> 10) / 2;
    return L"-Xmx" + std::to_wstring(std::clamp(halfKb, 300000LL, 1000000LL)) + L"k";
}

LauncherFixture::LauncherFixture() {
    registry.own(HKEY_LOCAL_MACHINE, javaSoftKey);
    registry.own(HKEY_LOCAL_MACHINE, installKey);
    createFolders(startFolder);
}

LauncherFixture::~LauncherFixture() {
    // A launcher left running would answer the next test's hand-off.
    for (int i = 0; i < 50 && FindWindowW(L"Pelmora2LaunchClass", nullptr) != nullptr; ++i) Sleep(100);
}

void LauncherFixture::installLauncher(bool inBinFolder) {
    launcherPath = appFolder + (inBinFolder ? L"\\bin" : L"") + L"\\Pelmora64.exe";
    copyFile(binaryFolder() + L"\\Pelmora64.exe", launcherPath);
    writeFile(appFolder + L"\\Pelmora.jar", "PK\x05\x06");
}

void LauncherFixture::installPrivateRuntime(const std::wstring& type) {
    copyFile(TestJvmLibrary::path(), appFolder + L"\\jre\\bin\\" + type + L"\\jvm.dll");
}

std::wstring LauncherFixture::registerRuntime(const std::wstring& key, const std::wstring& version,
                                              const std::wstring& bundle,
                                              const std::vector<std::wstring>& types) {
    const std::wstring home = root / (L"java-" + bundle + L"-" + version);
    for (const auto& type : types) {
        copyFile(TestJvmLibrary::path(),
                 home + (bundle == L"sdk" ? L"\\jre\\bin\\" : L"\\bin\\") + type + L"\\jvm.dll");
    }
    registry.setString(HKEY_LOCAL_MACHINE, std::wstring(javaSoftKey) + L"\\" + key + L"\\" + version,
                       L"JavaHome", home);
    return home;
}

void LauncherFixture::setLanguage(const std::wstring& language) {
    registry.setString(HKEY_LOCAL_MACHINE, std::wstring(installKey) + L"\\install", L"language", language);
}

ChildProcess LauncherFixture::launch(const std::wstring& commandLineTail, const std::wstring& script,
                                     const std::wstring& folder) {
    EnvironmentChanges environment = {{L"PELMORA_TESTJVM_LOG", logPath}, {L"PELMORA_TESTJVM_SCRIPT", script}};
    return ChildProcess::start(launcherPath, commandLineTail, folder.empty() ? startFolder : folder,
                               environment);
}

DWORD LauncherFixture::exitCodeOf(ChildProcess& launcher, DWORD timeoutMs) {
    const DWORD stepMs = 200;
    for (DWORD waited = 0; waited < timeoutMs; waited += stepMs) {
        if (auto code = launcher.waitForExit(stepMs)) return *code;
        if (anyMessageBox(launcher.id())) {
            auto box = waitForMessageBox(launcher.id(), messageBoxTimeoutMs);
            ADD_FAILURE() << "unexpected message box: " << toUtf8(box ? box->text : L"?");
        }
    }
    ADD_FAILURE() << "the launcher did not end in time";
    launcher.kill();
    return 255;
}

std::wstring LauncherFixture::fatalErrorOf(ChildProcess& launcher) {
    auto box = waitForMessageBox(launcher.id(), messageBoxTimeoutMs);
    if (!box) {
        ADD_FAILURE() << "no message box";
        return std::wstring();
    }
    EXPECT_EQ(toUtf8(box->caption), toUtf8(launcherPath));
    const auto code = launcher.waitForExit(30000);
    EXPECT_EQ(code, std::optional<DWORD>(1));
    return box->text;
}

void LauncherFixture::waitForCommandWindow() {
    for (int i = 0; i < 300; ++i) {
        if (FindWindowW(L"Pelmora2LaunchClass", nullptr) != nullptr) return;
        Sleep(100);
    }
    FAIL() << "no running instance appeared";
}

std::vector<std::wstring> LauncherFixture::log() const {
    return readUtf8Lines(logPath);
}

bool LauncherFixture::logHas(const std::wstring& linePrefix) const {
    const auto lines = log();
    return std::any_of(lines.begin(), lines.end(),
                       [&](const std::wstring& l) { return startsWith(l, linePrefix); });
}

std::optional<JvmCreation> LauncherFixture::creation() const {
    const auto lines = log();
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (!startsWith(lines[i], L"create version=")) continue;
        JvmCreation created;
        created.version = valueOf(lines[i], L"version");
        created.ignoreUnrecognized = valueOf(lines[i], L"ignoreUnrecognized");
        for (std::size_t j = i + 1; j < lines.size(); ++j) {
            if (startsWith(lines[j], L"option=")) {
                created.options.push_back(lines[j].substr(7));
            } else if (startsWith(lines[j], L"module=")) {
                created.module = lines[j].substr(7);
            } else {
                break;
            }
        }
        return created;
    }
    return std::nullopt;
}

std::size_t LauncherFixture::creationCount() const {
    const auto lines = log();
    return static_cast<std::size_t>(std::count_if(lines.begin(), lines.end(), [](const std::wstring& line) {
        return startsWith(line, L"create version=");
    }));
}

std::vector<JavaCall> LauncherFixture::callsOf(const std::wstring& method) const {
    std::vector<JavaCall> calls;
    const auto lines = log();
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (!startsWith(lines[i], L"call method=" + method + L" ")) continue;
        JavaCall call{method, valueOf(lines[i], L"thread"), {}};
        const std::size_t count = std::stoul(valueOf(lines[i], L"count"));
        for (std::size_t j = i + 1; j < lines.size() && call.arguments.size() < count; ++j) {
            if (startsWith(lines[j], L"arg=")) call.arguments.push_back(lines[j].substr(4));
        }
        calls.push_back(std::move(call));
    }
    return calls;
}

}  // namespace pelmora::test
