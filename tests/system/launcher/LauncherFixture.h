// A temporary installation of the launcher with the test Java runtime, its registry entries and the log the
// runtime writes, and ways to start the launcher there as a user or the shell would.
#pragma once

#include "ChildProcess.h"
#include "RegistryFixture.h"
#include "TestFiles.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace pelmora::test {

// What the test Java runtime recorded for one call of main or commands.
struct JavaCall {
    std::wstring method;
    std::wstring thread;
    std::vector<std::wstring> arguments;
};

// What the test Java runtime recorded at creation.
struct JvmCreation {
    std::wstring version;
    std::wstring ignoreUnrecognized;
    std::wstring module;
    std::vector<std::wstring> options;
};

class LauncherFixture : public ::testing::Test {
  protected:
    LauncherFixture();
    ~LauncherFixture() override;

    // The launcher as installed: <root>\App\Pelmora64.exe, or <root>\App\bin\Pelmora64.exe.
    void installLauncher(bool inBinFolder = false);
    // <root>\App\jre with the test runtime's jvm.dll for the given JVM type.
    void installPrivateRuntime(const std::wstring& type = L"client");
    // A runtime home with the test jvm.dll for each given type, registered under
    // HKLM\SOFTWARE\JavaSoft\<key>.
    std::wstring registerRuntime(const std::wstring& key, const std::wstring& version,
                                 const std::wstring& bundle, const std::vector<std::wstring>& types);
    void setLanguage(const std::wstring& language);

    // Starts the launcher from the start folder with the given command-line tail and test-runtime script.
    ChildProcess launch(const std::wstring& commandLineTail, const std::wstring& script = L"",
                        const std::wstring& startFolder = L"");
    // Waits for the launcher to end; a message box it shows fails the test.
    DWORD exitCodeOf(ChildProcess& launcher, DWORD timeoutMs = 60000);
    // Waits for the launcher's message box, presses OK, and returns its text; checks the caption and exit
    // code 1.
    std::wstring fatalErrorOf(ChildProcess& launcher);
    // Waits until a running instance's command window exists.
    void waitForCommandWindow();

    std::vector<std::wstring> log() const;
    std::optional<JvmCreation> creation() const;
    // How many times a process asked the test runtime for a JVM.
    std::size_t creationCount() const;
    std::vector<JavaCall> callsOf(const std::wstring& method) const;
    bool logHas(const std::wstring& linePrefix) const;

    TempFolder root{L"pelmora-launcher"};
    std::wstring appFolder = root / L"App";
    std::wstring launcherPath;
    std::wstring startFolder = root / L"Start Folder";
    std::wstring logPath = root / L"jvm.log";
    RegistryFixture registry;
};

// The -Xmx option this machine gets: half the memory, at least 300000 KiB, at most 1000000 KiB.
std::wstring expectedMaxHeapOption();

}  // namespace pelmora::test
