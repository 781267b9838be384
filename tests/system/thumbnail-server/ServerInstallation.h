// A thumbnail server installed in a temporary folder the way it ships: PelmoraThumbSrv64.exe, Pelmora.jar
// and, unless a test wants none, a private Java runtime jre\bin\server\jvm.dll (the test runtime). The test
// runtime logs to the folder and follows the script the test sets; the server inherits both settings from
// the process that starts it.
#pragma once

#include "EventLogLines.h"
#include "ScopedEnvironmentVariable.h"
#include "TestFiles.h"

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

namespace pelmora::test {

inline constexpr const wchar_t* serverExecutable = L"PelmoraThumbSrv64.exe";
inline constexpr const wchar_t* serverLibraryId = L"{340BE246-6FF1-428C-A98A-4B3A58737DAF}";

enum class PrivateJava { installed, absent };
// The test runtime with an empty Pelmora.jar, or real Java: the bridge runtime with the build's Pelmora.jar,
// Pelmora.cp and lib folder.
enum class JavaSide { testRuntime, real };

// What a run of the thumb-client tool printed, and the events reported meanwhile (by the server it used).
struct ClientRun {
    DWORD exitCode = 0;
    std::string output;
    std::vector<ErrorEvent> events;
};

class ServerInstallation {
  public:
    explicit ServerInstallation(const std::wstring& folderPrefix = L"thumbsrv",
                                PrivateJava java = PrivateJava::installed,
                                JavaSide side = JavaSide::testRuntime);
    ServerInstallation(const ServerInstallation&) = delete;
    ServerInstallation& operator=(const ServerInstallation&) = delete;
    // Stops any server still running, then removes what registration wrote.
    ~ServerInstallation();

    const TempFolder& folder() const { return folder_; }
    std::wstring serverPath() const { return folder_ / serverExecutable; }

    // Runs the server with the command-line tail; its exit code (the HRESULT of the run), and the events it
    // reported when asked for.
    DWORD runServer(const std::wstring& tail, std::vector<ErrorEvent>* events = nullptr) const;

    // "/RegServer", then what Wine's type-library marshaler needs besides (see the source); the exit code.
    DWORD registerServer();
    // Removes the registration when this installation made one.
    void unregisterServer();

    // The runtime's script for every server started from now on ("" for none).
    void setScript(const std::wstring& script);
    // How long servers started from now on stay after their last use (1 s unless a test sets another).
    void setIdleMs(unsigned milliseconds);
    // The runtime's log, one line each.
    std::vector<std::string> log() const;
    // Log lines that start with prefix.
    std::vector<std::string> logLinesStartingWith(const std::string& prefix) const;
    void clearLog() const;

    // Runs tests\tools thumb-client with the arguments and event reporting on; the image it receives is
    // written to imageFile when one is given.
    ClientRun runClient(const std::wstring& arguments, const std::wstring& imageFile = L"") const;

  private:
    TempFolder folder_;
    ScopedEnvironmentVariable logSetting_;
    ScopedEnvironmentVariable scriptSetting_;
    ScopedEnvironmentVariable idleSetting_;
    ScopedEnvironmentVariable unusedSetting_;
    ScopedEnvironmentVariable keepSetting_;
    // Every process started from the test reports its error events to the debug output.
    ScopedEnvironmentVariable debugSetting_;
    bool registered_ = false;
};

// The library jars of the build's Pelmora.cp, which the real Java side needs in lib\.
std::vector<std::wstring> realJavaLibraries();

// Waits until no server process runs (killing any left after 15 s), so the next activation starts afresh.
void waitForServersToEnd();
// Ends every server process at once, for servers no client will release.
void killServers();
// After servers that ended without revoking their class objects: killed ones, and ones whose JVM did not
// start (they end at once, whatever the main thread registered).
void forgetClassObjectsOfEndedServers();

}  // namespace pelmora::test
