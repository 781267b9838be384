// The one JVM of the server process: created on a thread of its own, which then holds it until the process
// ends. Requests wait until it is ready.
#pragma once

#include <jni.h>

namespace pelmora::thumbsrv {

// Creates the ready and stop events and starts the JVM thread; false when the thread could not be created.
// A JVM that cannot be started ends the whole process with exit code 1 after reporting why.
bool startJvmThread();

// Waits without limit until the JVM thread has created the VM; the VM, or null when none was created.
JavaVM* waitForJavaVm();

}  // namespace pelmora::thumbsrv
