// The one JVM of the server process: created on a thread of its own, which then holds it until the process
// ends. Requests wait until it is ready.
#pragma once

#include <jni.h>

#include <chrono>

namespace pelmora::thumbsrv {

// Creates the ready and stop events and starts the JVM thread; false when the thread could not be created.
// A JVM that cannot be started ends the whole process with exit code 1 after reporting why.
bool startJvmThread();

// When startJvmThread started the JVM thread.
std::chrono::steady_clock::time_point jvmThreadStarted();

// Waits until the JVM thread has created the VM, at most until deadline; false when the deadline passed.
bool waitForJavaVm(std::chrono::steady_clock::time_point deadline);

// The VM once it is ready; null before.
JavaVM* readyJavaVm();

}  // namespace pelmora::thumbsrv
