// The one JavaVM of the process: the Java process behind it, the attached threads and the method ids.
#pragma once

#include "BridgeThread.h"
#include "JavaProcess.h"
#include "MethodDescriptor.h"

#include <list>
#include <map>
#include <memory>
#include <mutex>
#include <string>

#include <jni.h>

namespace javabridge {

// What a jmethodID points at: the Java side's id and the descriptor that decodes variadic arguments.
struct MethodRecord {
    std::int32_t remoteId;
    testjvm::MethodDescriptor descriptor;
};

class BridgeVm {
  public:
    // Null until JNI_CreateJavaVM succeeded.
    static BridgeVm* instance();
    static jint create(JavaVM** vm, void** env, const JavaVMInitArgs& arguments);

    JavaVM* javaVm() { return &javaVm_; }
    bool destroyed() const { return destroyed_; }
    JavaProcess& javaProcess() { return *javaProcess_; }

    // The thread an env belongs to, or null for an env this runtime never handed out.
    BridgeThread* threadOf(JNIEnv* env);
    // The calling thread, if it is attached.
    BridgeThread* currentThread();
    // name is modified UTF-8 (may be empty); a new connection gets a new Java thread.
    BridgeThread& attachCurrentThread(const std::string& name, bool daemon);
    void detach(BridgeThread& thread);
    jint destroy();

    jmethodID methodId(std::int32_t remoteId, testjvm::MethodDescriptor descriptor);
    // Null for an id this runtime never gave out.
    const MethodRecord* method(jmethodID id);

  private:
    BridgeVm(std::unique_ptr<JavaProcess> javaProcess, Connection creatorConnection);

    JavaVM javaVm_;
    std::unique_ptr<JavaProcess> javaProcess_;
    std::mutex mutex_;
    // Threads stay listed after they detach, so a stale env is recognised as such.
    std::list<std::unique_ptr<BridgeThread>> threads_;
    BridgeThread* creator_;
    std::map<std::int32_t, std::unique_ptr<MethodRecord>> methods_;
    bool destroyed_ = false;
};

}  // namespace javabridge
