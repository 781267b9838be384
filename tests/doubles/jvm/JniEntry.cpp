#include "JniEntry.h"

#include "JavaExceptions.h"
#include "LoudFailure.h"
#include "TextConversion.h"
#include "VirtualMachine.h"

#include <string>

namespace testjvm {

ThreadEnvironment& enterJni(JNIEnv* env, const char* function, WhilePending rule) {
    const std::string name(function);
    VirtualMachine* vm = VirtualMachine::instance();
    if (vm == nullptr) failLoudly(name + " called before JNI_CreateJavaVM");
    ThreadEnvironment* environment = vm->findEnvironment(env);
    if (environment == nullptr) failLoudly(name + " called with a JNIEnv this runtime never handed out");
    if (vm->destroyed()) failLoudly(name + " called after DestroyJavaVM");
    if (!environment->attached) failLoudly(name + " called with the JNIEnv of a detached thread");
    if (environment->threadId != GetCurrentThreadId()) {
        failLoudly(name + " called on thread " + std::to_string(GetCurrentThreadId()) +
                   " with the JNIEnv of thread " + std::to_string(environment->threadId));
    }
    if (rule == WhilePending::forbidden && environment->pendingException != nullptr) {
        failLoudly(name + " called while " + logText(describeThrowable(*environment->pendingException)) +
                   " is pending");
    }
    return *environment;
}

}  // namespace testjvm
