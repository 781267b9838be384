#include "ServerInstallation.h"

#include "ChildProcess.h"
#include "ModulePaths.h"
#include "ProcessList.h"

#include <pelmora/Win32Handles.h>

#include <gtest/gtest.h>

namespace pelmora::test {
namespace {

constexpr DWORD processLimitMs = 60000;

// Wine's type-library marshaler only looks for a library registered under locale 0
// (TypeLib\{id}\1.1\0\win64); the server's library is registered under its own locale, 0x409, as Windows
// expects. The tests give Wine the entry it looks for.
std::wstring wineMarshalerKey() {
    return std::wstring(L"TypeLib\\") + serverLibraryId + L"\\1.1\\0";
}

void addWineMarshalerEntry(const std::wstring& serverPath) {
    RegistryKey key;
    const std::wstring path = wineMarshalerKey() + L"\\win64";
    ASSERT_EQ(RegCreateKeyExW(HKEY_CLASSES_ROOT, path.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr,
                              key.receive(), nullptr),
              ERROR_SUCCESS);
    RegSetValueExW(key.get(), nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(serverPath.c_str()),
                   static_cast<DWORD>((serverPath.size() + 1) * sizeof(wchar_t)));
}

void removeWineMarshalerEntry() {
    RegDeleteTreeW(HKEY_CLASSES_ROOT, wineMarshalerKey().c_str());
}

}  // namespace

std::vector<std::wstring> realJavaLibraries() {
    std::vector<std::wstring> libraries;
    for (auto& line : readUtf8Lines(binaryFolder() + L"\\Pelmora.cp")) {
        if (!line.empty()) libraries.push_back(std::move(line));
    }
    return libraries;
}

ServerInstallation::ServerInstallation(const std::wstring& folderPrefix, PrivateJava java, JavaSide side)
    : folder_(folderPrefix),
      logSetting_(L"PELMORA_TESTJVM_LOG", folder_ / L"jvm.log"),
      scriptSetting_(L"PELMORA_TESTJVM_SCRIPT", std::nullopt),
      // Tests start many servers one after the other; each should be gone soon after its last request.
      idleSetting_(L"PELMORA_THUMBSRV_IDLE_MS", L"1000"),
      // Test clients end while the handler still holds a server object; under Wine it is never released.
      unusedSetting_(L"PELMORA_THUMBSRV_UNUSED_MS", L"3000"),
      // The handler in the test process keeps its server objects only briefly, so servers end soon.
      keepSetting_(L"PELMORA_THUMB_KEEP_MS", L"300"),
      debugSetting_(L"WINEDEBUG", std::wstring(eventLogDebugSetting)) {
    copyFile(binaryFolder() + L"\\" + serverExecutable, serverPath());
    if (side == JavaSide::real) {
        copyFile(binaryFolder() + L"\\Pelmora.jar", folder_ / L"Pelmora.jar");
        copyFile(binaryFolder() + L"\\Pelmora.cp", folder_ / L"Pelmora.cp");
        for (const auto& library : realJavaLibraries()) {
            copyFile(binaryFolder() + L"\\lib\\" + library, folder_ / (L"lib\\" + library));
        }
    } else {
        folder_.createFile(L"Pelmora.jar");
    }
    const wchar_t* runtime = side == JavaSide::real ? L"\\java-bridge\\jvm.dll" : L"\\testjvm\\jvm.dll";
    if (java == PrivateJava::installed) {
        copyFile(binaryFolder() + runtime, folder_ / L"jre\\bin\\server\\jvm.dll");
    }
}

ServerInstallation::~ServerInstallation() {
    waitForServersToEnd();
    unregisterServer();
}

DWORD ServerInstallation::runServer(const std::wstring& tail, std::vector<ErrorEvent>* events) const {
    const DebugOutputWatch watch;
    auto server = ChildProcess::start(serverPath(), tail, L"");
    const auto exitCode = server.waitForExit(processLimitMs);
    if (!exitCode) {
        ADD_FAILURE() << "the server was still running after " << processLimitMs << " ms";
        return 0xFFFFFFFF;
    }
    if (events) *events = watch.events();
    return *exitCode;
}

DWORD ServerInstallation::registerServer() {
    const DWORD exitCode = runServer(L"/RegServer");
    if (exitCode == S_OK) {
        registered_ = true;
        addWineMarshalerEntry(serverPath());
    }
    return exitCode;
}

void ServerInstallation::setIdleMs(unsigned milliseconds) {
    idleSetting_.set(std::to_wstring(milliseconds));
}

void ServerInstallation::unregisterServer() {
    if (!registered_) return;
    registered_ = false;
    removeWineMarshalerEntry();
    runServer(L"/UnregServer");
}

void ServerInstallation::setScript(const std::wstring& script) {
    scriptSetting_.set(script.empty() ? std::nullopt : std::optional<std::wstring>(script));
}

std::vector<std::string> ServerInstallation::log() const {
    return splitLines(readFileBytes(folder_ / L"jvm.log"));
}

std::vector<std::string> ServerInstallation::logLinesStartingWith(const std::string& prefix) const {
    std::vector<std::string> found;
    for (const std::string& line : log()) {
        if (line.compare(0, prefix.size(), prefix) == 0) found.push_back(line);
    }
    return found;
}

void ServerInstallation::clearLog() const {
    DeleteFileW((folder_ / L"jvm.log").c_str());
}

ClientRun ServerInstallation::runClient(const std::wstring& arguments, const std::wstring& imageFile) const {
    const DebugOutputWatch watch;
    EnvironmentChanges environment;
    if (!imageFile.empty()) environment[L"THUMB_CLIENT_OUT"] = imageFile;
    auto client = ChildProcess::start(binaryFolder() + L"\\thumb-client.exe", arguments, L"", environment,
                                      Capture::output);
    ClientRun run;
    const auto exitCode = client.waitForExit(processLimitMs);
    if (!exitCode) {
        ADD_FAILURE() << "thumb-client was still running after " << processLimitMs << " ms";
        return run;
    }
    run.exitCode = *exitCode;
    run.output = client.output();
    run.events = watch.events();
    return run;
}

void waitForServersToEnd() {
    if (waitUntilNoProcessNamed(serverExecutable, 15000)) return;
    ADD_FAILURE() << "a thumbnail server was still running 15 s after its last client";
    killServers();
}

void killServers() {
    // The RPC service first: a client whose server dies may ask again at once, and must not meet the
    // service while it is being ended.
    forgetClassObjectsOfEndedServers();
    killProcessesNamed(serverExecutable);
}

void forgetClassObjectsOfEndedServers() {
    // Wine keeps the class objects of a server that ended without revoking them registered, and every
    // later activation of them fails with RPC_S_SERVER_UNAVAILABLE; its RPC service forgets them when it
    // restarts, which it does on demand.
    killProcessesNamed(L"rpcss.exe");
}

}  // namespace pelmora::test
