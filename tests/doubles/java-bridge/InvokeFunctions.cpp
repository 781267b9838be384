// The invocation interface: the exported JNI_ functions and the JavaVM's own table.
#include "BridgeVm.h"
#include "InvokeInterface.h"
#include "JniVersions.h"
#include "LoudFailure.h"
#include "UnsupportedSlots.h"

#include <cstddef>
#include <string>

namespace javabridge {
namespace {

BridgeVm& enterInvoke(JavaVM* vm, const char* function) {
    BridgeVm* machine = BridgeVm::instance();
    if (machine == nullptr || vm != machine->javaVm()) {
        testjvm::failLoudly(std::string(function) + " called with a JavaVM this runtime never handed out");
    }
    if (machine->destroyed()) testjvm::failLoudly(std::string(function) + " called after DestroyJavaVM");
    return *machine;
}

jint attach(JavaVM* vm, void** env, void* arguments, bool daemon, const char* function) {
    BridgeVm& machine = enterInvoke(vm, function);
    if (env == nullptr) testjvm::failLoudly(std::string(function) + " given a null env pointer");
    if (BridgeThread* existing = machine.currentThread()) {
        *env = existing->jniEnv();
        return JNI_OK;
    }
    std::string name;
    if (arguments != nullptr) {
        const auto* attachArguments = static_cast<const JavaVMAttachArgs*>(arguments);
        if (!testjvm::isSupportedJniVersion(attachArguments->version)) return JNI_EVERSION;
        if (attachArguments->name != nullptr) name = attachArguments->name;
    }
    *env = machine.attachCurrentThread(name, daemon).jniEnv();
    return JNI_OK;
}

jint JNICALL attachCurrentThread(JavaVM* vm, void** env, void* arguments) {
    return attach(vm, env, arguments, false, "AttachCurrentThread");
}

jint JNICALL attachCurrentThreadAsDaemon(JavaVM* vm, void** env, void* arguments) {
    return attach(vm, env, arguments, true, "AttachCurrentThreadAsDaemon");
}

jint JNICALL detachCurrentThread(JavaVM* vm) {
    BridgeVm& machine = enterInvoke(vm, "DetachCurrentThread");
    // A thread that is not attached has nothing to detach: JNI_OK, as in HotSpot.
    if (BridgeThread* thread = machine.currentThread()) machine.detach(*thread);
    return JNI_OK;
}

jint JNICALL getEnv(JavaVM* vm, void** env, jint version) {
    BridgeVm& machine = enterInvoke(vm, "GetEnv");
    if (env == nullptr) testjvm::failLoudly("GetEnv given a null env pointer");
    BridgeThread* thread = machine.currentThread();
    *env = nullptr;
    if (thread == nullptr) return JNI_EDETACHED;
    if (version != JNI_VERSION_1_1 && !testjvm::isSupportedJniVersion(version)) return JNI_EVERSION;
    *env = thread->jniEnv();
    return JNI_OK;
}

jint JNICALL destroyJavaVm(JavaVM* vm) {
    return enterInvoke(vm, "DestroyJavaVM").destroy();
}

JNIInvokeInterface_ buildInvokeInterface() {
    auto table = testjvm::invokeTableOfUnsupportedSlots();
    table.DestroyJavaVM = destroyJavaVm;
    table.AttachCurrentThread = attachCurrentThread;
    table.DetachCurrentThread = detachCurrentThread;
    table.GetEnv = getEnv;
    table.AttachCurrentThreadAsDaemon = attachCurrentThreadAsDaemon;
    return table;
}

}  // namespace

const JNIInvokeInterface_& invokeInterface() {
    static const JNIInvokeInterface_ table = buildInvokeInterface();
    return table;
}

}  // namespace javabridge

extern "C" {

JNIEXPORT jint JNICALL JNI_CreateJavaVM(JavaVM** vm, void** env, void* arguments) {
    if (vm == nullptr || env == nullptr || arguments == nullptr) return JNI_EINVAL;
    return javabridge::BridgeVm::create(vm, env, *static_cast<const JavaVMInitArgs*>(arguments));
}

JNIEXPORT jint JNICALL JNI_GetCreatedJavaVMs(JavaVM** vms, jsize capacity, jsize* count) {
    javabridge::BridgeVm* machine = javabridge::BridgeVm::instance();
    const bool live = machine != nullptr && !machine->destroyed();
    if (count != nullptr) *count = live ? 1 : 0;
    if (live && vms != nullptr && capacity > 0) vms[0] = machine->javaVm();
    return JNI_OK;
}

JNIEXPORT jint JNICALL JNI_GetDefaultJavaVMInitArgs(void*) {
    testjvm::failLoudly("unsupported JNI function JNI_GetDefaultJavaVMInitArgs");
}

}  // extern "C"
