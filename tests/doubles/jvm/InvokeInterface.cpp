// DestroyJavaVM, AttachCurrentThread, AttachCurrentThreadAsDaemon, DetachCurrentThread and GetEnv.
#include "InvokeInterface.h"

#include "ScriptedWait.h"

#include "EventLog.h"
#include "JniVersions.h"
#include "LoudFailure.h"
#include "TextConversion.h"
#include "UnsupportedSlots.h"
#include "VirtualMachine.h"

#include <windows.h>

#include <chrono>
#include <string>
#include <thread>

namespace testjvm {
namespace {

// How long DestroyJavaVM waits for the other non-daemon threads to detach before it gives up loudly.
constexpr std::chrono::seconds destroyWaitLimit{60};

std::string currentThread() {
    return std::to_string(GetCurrentThreadId());
}

VirtualMachine& enterInvoke(JavaVM* vm, const char* function) {
    const std::string name(function);
    VirtualMachine* machine = VirtualMachine::instance();
    if (machine == nullptr || vm != machine->javaVm()) {
        failLoudly(name + " called with a JavaVM this runtime never handed out");
    }
    if (machine->destroyed()) failLoudly(name + " called after DestroyJavaVM");
    return *machine;
}

jint attach(JavaVM* vm, void** penv, void* args, bool daemon, const char* function) {
    VirtualMachine& machine = enterInvoke(vm, function);
    if (penv == nullptr) failLoudly(std::string(function) + " given a null env pointer");
    if (daemon ? machine.script().daemonAttachFails : machine.script().attachFails) return JNI_ERR;
    if (ThreadEnvironment* existing = machine.currentThreadEnvironment()) {
        *penv = existing->jniEnv();
        return JNI_OK;
    }
    std::string threadName;
    if (args != nullptr) {
        const auto* attachArgs = static_cast<const JavaVMAttachArgs*>(args);
        if (!isSupportedJniVersion(attachArgs->version)) return JNI_EVERSION;
        if (attachArgs->name != nullptr) threadName = utf8FromUtf16(utf16FromModifiedUtf8(attachArgs->name));
    }
    ThreadEnvironment& environment = machine.attachCurrentThread(threadName, daemon);
    recordEvent("attach thread=" + currentThread() + " daemon=" + (daemon ? "1" : "0"));
    *penv = environment.jniEnv();
    return JNI_OK;
}

jint JNICALL attachCurrentThread(JavaVM* vm, void** penv, void* args) {
    return attach(vm, penv, args, false, "AttachCurrentThread");
}

jint JNICALL attachCurrentThreadAsDaemon(JavaVM* vm, void** penv, void* args) {
    return attach(vm, penv, args, true, "AttachCurrentThreadAsDaemon");
}

jint JNICALL detachCurrentThread(JavaVM* vm) {
    VirtualMachine& machine = enterInvoke(vm, "DetachCurrentThread");
    // Detaching a thread that is not attached is a no-op in HotSpot.
    if (machine.currentThreadEnvironment() == nullptr) return JNI_OK;
    machine.detachCurrentThread();
    recordEvent("detach thread=" + currentThread());
    return JNI_OK;
}

jint JNICALL getEnv(JavaVM* vm, void** penv, jint version) {
    VirtualMachine& machine = enterInvoke(vm, "GetEnv");
    if (penv == nullptr) failLoudly("GetEnv given a null env pointer");
    *penv = nullptr;
    ThreadEnvironment* environment = machine.currentThreadEnvironment();
    if (environment == nullptr) return JNI_EDETACHED;
    if (version != JNI_VERSION_1_1 && !isSupportedJniVersion(version)) return JNI_EVERSION;
    *penv = environment->jniEnv();
    return JNI_OK;
}

jint JNICALL destroyJavaVm(JavaVM* vm) {
    VirtualMachine& machine = enterInvoke(vm, "DestroyJavaVM");
    const std::wstring& gate = machine.script().destroyWaitEvent;
    if (!gate.empty()) waitForNamedEvent("destroy", gate);
    // Like a JVM, wait until the calling thread is the last non-daemon thread.
    const auto deadline = std::chrono::steady_clock::now() + destroyWaitLimit;
    while (machine.otherNonDaemonThreadAttached()) {
        if (std::chrono::steady_clock::now() > deadline) {
            failLoudly("DestroyJavaVM waited " + std::to_string(destroyWaitLimit.count()) +
                       " s for other non-daemon threads to detach");
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    recordEvent("destroy thread=" + currentThread());
    machine.markDestroyed();
    return JNI_OK;
}

JNIInvokeInterface_ buildInvokeInterface() {
    auto table = invokeTableOfUnsupportedSlots();
    table.DestroyJavaVM = &destroyJavaVm;
    table.AttachCurrentThread = &attachCurrentThread;
    table.DetachCurrentThread = &detachCurrentThread;
    table.GetEnv = &getEnv;
    table.AttachCurrentThreadAsDaemon = &attachCurrentThreadAsDaemon;
    return table;
}

}  // namespace

const JNIInvokeInterface_& invokeInterface() {
    static const JNIInvokeInterface_ table = buildInvokeInterface();
    return table;
}

}  // namespace testjvm
