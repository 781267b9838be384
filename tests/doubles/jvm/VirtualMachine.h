// The one runtime of a process: its settings and script, heap, classes and attached threads.
#pragma once

#include "CommandDelivery.h"
#include "LentBuffers.h"
#include "ObjectHeap.h"
#include "TestScript.h"
#include "ThreadEnvironment.h"
#include "VmSettings.h"

#include <windows.h>

#include <atomic>
#include <memory>
#include <mutex>
#include <string>
#include <unordered_map>
#include <vector>

#include <jni.h>

namespace testjvm {

struct ClassDefinition;
class VirtualMachine;

// What a JavaVM* points at: the function table first, as JNI requires, then the runtime it belongs to.
struct VmHandle {
    JavaVM_ jvm;
    VirtualMachine* owner;
};

class VirtualMachine {
  public:
    VirtualMachine(VmSettings settings, TestScript script);
    VirtualMachine(const VirtualMachine&) = delete;
    VirtualMachine& operator=(const VirtualMachine&) = delete;

    // The runtime created in this process, or null before the first creation. It is kept after DestroyJavaVM,
    // so that late calls are recognised as such, and is never freed.
    static VirtualMachine* instance();
    static VirtualMachine& install(std::unique_ptr<VirtualMachine> created);

    JavaVM* javaVm() { return &handle_.jvm; }
    const VmSettings& settings() const { return settings_; }
    const TestScript& script() const { return script_; }
    ObjectHeap& heap() { return heap_; }
    CommandDelivery& commandDelivery() { return commandDelivery_; }
    LentBuffers& lentBuffers() { return lentBuffers_; }

    // Null when the calling thread is not attached.
    ThreadEnvironment* currentThreadEnvironment();
    // The calling thread must not be attached yet; an empty name gets the next "Thread-N".
    ThreadEnvironment& attachCurrentThread(const std::string& name, bool daemon);
    // Ends the calling thread's environment and its local references; the thread must be attached.
    void detachCurrentThread();
    bool otherNonDaemonThreadAttached();
    // Any environment this runtime handed out, attached or not; null for a foreign pointer.
    ThreadEnvironment* findEnvironment(const void* env);

    // One class object per class, created on first use.
    ClassObject* classObject(const ClassDefinition& definition);

    bool destroyed() const { return destroyed_; }
    // Detaches every thread; the runtime then only recognises late calls.
    void markDestroyed();

  private:
    static void endLocalReferences(ThreadEnvironment& environment);

    VmHandle handle_;
    const VmSettings settings_;
    const TestScript script_;
    ObjectHeap heap_;
    CommandDelivery commandDelivery_;
    LentBuffers lentBuffers_;

    std::mutex threadsLock_;
    std::vector<std::unique_ptr<ThreadEnvironment>> environments_;
    std::unordered_map<DWORD, ThreadEnvironment*> attached_;
    int nextThreadNumber_ = 0;

    std::mutex classesLock_;
    std::unordered_map<const ClassDefinition*, ClassObject*> classObjects_;

    std::atomic<bool> destroyed_{false};
};

}  // namespace testjvm
