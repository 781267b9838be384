#include "JavaProcess.h"

#include "LoudFailure.h"
#include "Protocol.h"
#include "StandardStreams.h"

#include <cstdlib>
#include <optional>
#include <string>
#include <utility>

namespace javabridge {
namespace {

// How long the end of the Java process may take to be reported: DestroyJavaVM has already waited for the
// application's threads, so only the JVM's own shutdown is left.
constexpr DWORD plannedEndLimitMs = 60'000;
// A thread whose connection broke waits this long for the exit code before it fails loudly.
constexpr DWORD unplannedEndLimitMs = 30'000;

// The Wine prefix of this process: Java code that meets Windows paths maps them through its drive table.
std::vector<std::pair<std::string, std::string>> environmentForJava() {
    std::vector<std::pair<std::string, std::string>> variables;
    if (const char* prefix = std::getenv("WINEPREFIX")) variables.emplace_back("WINEPREFIX", prefix);
    return variables;
}

Message spawnRequest(const std::string& workingFolder, const std::vector<TranslatedOption>& options) {
    Message request(protocol::spawn);
    request.bytes(workingFolder);
    const auto variables = environmentForJava();
    request.i32(static_cast<std::int32_t>(variables.size()));
    for (const auto& [name, value] : variables) request.bytes(name).bytes(value);
    request.i32(static_cast<std::int32_t>(options.size()));
    for (const auto& option : options) {
        if (option.unixPaths.empty()) {
            request.u8(protocol::optionPlain).bytes(option.text);
        } else {
            request.u8(protocol::optionPathList).bytes(option.text);
            request.i32(static_cast<std::int32_t>(option.unixPaths.size()));
            for (const auto& path : option.unixPaths) request.bytes(path);
        }
    }
    return request;
}

// Forwards one output message of the host; the exit code for the end of the process, nullopt otherwise.
std::optional<int> forwardHostMessage(Connection& control, std::uint8_t kind) {
    switch (kind) {
        case protocol::hostStdout:
            testjvm::writeStandardOutput(control.readBytes());
            return std::nullopt;
        case protocol::hostStderr:
            testjvm::writeStandardError(control.readBytes());
            return std::nullopt;
        case protocol::hostExit:
            return control.readI32();
        default:
            testjvm::failLoudly("unknown message " + std::to_string(kind) + " from the bridge host");
    }
}

}  // namespace

std::unique_ptr<JavaProcess> JavaProcess::start(std::uint16_t hostPort, const std::string& workingFolder,
                                                const std::vector<TranslatedOption>& options) {
    Connection control;
    try {
        control = Connection::toLoopbackPort(hostPort);
    } catch (const ConnectionLost&) {
        testjvm::failLoudly("no bridge host listens on port " + std::to_string(hostPort) +
                            " (PELMORA_JAVA_BRIDGE_PORT)");
    }
    try {
        control.send(spawnRequest(workingFolder, options));
        while (true) {
            const std::uint8_t kind = control.readU8();
            if (kind == protocol::hostPort) {
                const auto port = static_cast<std::uint16_t>(control.readI32());
                return std::unique_ptr<JavaProcess>(new JavaProcess(std::move(control), port));
            }
            // The process ended before it listened: the JVM refused its options, as the output says.
            if (forwardHostMessage(control, kind)) return nullptr;
        }
    } catch (const ConnectionLost&) {
        testjvm::failLoudly("the bridge host closed the connection while starting Java");
    }
}

void JavaProcess::watch() {
    watcher_.reset(CreateThread(nullptr, 0, &JavaProcess::watcherThread, this, 0, nullptr));
    if (!watcher_) testjvm::failLoudly("cannot start the thread that watches the Java process");
}

DWORD WINAPI JavaProcess::watcherThread(void* self) {
    static_cast<JavaProcess*>(self)->forwardUntilExit();
    return 0;
}

void JavaProcess::forwardUntilExit() {
    try {
        while (true) {
            const std::uint8_t kind = control_.readU8();
            if (const auto exitCode = forwardHostMessage(control_, kind)) {
                if (endPlanned_) return;
                // System.exit, or a JVM that died: the process goes with it, with the same code.
                TerminateProcess(GetCurrentProcess(), static_cast<UINT>(*exitCode));
            }
        }
    } catch (const ConnectionLost&) {
        if (!endPlanned_) testjvm::failLoudly("the bridge host went away");
    }
}

bool JavaProcess::awaitEnd() {
    return WaitForSingleObject(watcher_.get(), plannedEndLimitMs) == WAIT_OBJECT_0;
}

void JavaProcess::awaitUnplannedEnd(const char* function) {
    WaitForSingleObject(watcher_.get(), unplannedEndLimitMs);
    testjvm::failLoudly(std::string(function) + ": the Java process went away and did not report its end");
}

}  // namespace javabridge
