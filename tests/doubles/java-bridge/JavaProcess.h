// The Java process behind this Windows process, as the bridge host started it: its output arrives on the
// control connection and goes to this process's standard streams; when it ends on its own (System.exit),
// this process ends with its exit code, as a process with an in-process JVM would.
#pragma once

#include "Connection.h"
#include "OptionTranslation.h"

#include <pelmora/Win32Handles.h>

#include <atomic>
#include <cstdint>
#include <memory>

namespace javabridge {

class JavaProcess {
  public:
    // Asks the host on hostPort for a Java process with these options, in this Unix folder, and waits until
    // it listens. Null when it did not start; what it printed has gone to the standard streams.
    static std::unique_ptr<JavaProcess> start(std::uint16_t hostPort, const std::string& workingFolder,
                                              const std::vector<TranslatedOption>& options);

    std::uint16_t port() const { return port_; }

    // From now on a watcher forwards the output and ends this process when the Java process ends.
    void watch();

    // DestroyJavaVM: the Java process is about to end on purpose, not by System.exit.
    void planEnd() { endPlanned_ = true; }
    // After planEnd: waits until the process has ended and all its output has arrived; false if that took
    // too long.
    bool awaitEnd();

    // For a thread whose connection broke: the Java process is gone, and the watcher ends this process with
    // its exit code. Fails loudly if that does not happen.
    [[noreturn]] void awaitUnplannedEnd(const char* function);

  private:
    JavaProcess(Connection control, std::uint16_t port) : control_(std::move(control)), port_(port) {}
    static DWORD WINAPI watcherThread(void* self);
    void forwardUntilExit();

    Connection control_;
    std::uint16_t port_;
    pelmora::KernelHandle watcher_;
    std::atomic<bool> endPlanned_{false};
};

}  // namespace javabridge
