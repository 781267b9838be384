// The JNIEnv of one attached thread and the state JNI keeps per thread: pending exception and local frames.
#pragma once

#include "JavaObjects.h"

#include <windows.h>

#include <atomic>
#include <string>
#include <vector>

#include <jni.h>

namespace testjvm {

class VirtualMachine;
struct Reference;
struct ThreadEnvironment;

// What a JNIEnv* points at: the function table first, as JNI requires, then the environment it belongs to.
struct EnvironmentHandle {
    JNIEnv_ jni;
    ThreadEnvironment* owner;
};

struct ThreadEnvironment {
    ThreadEnvironment(VirtualMachine& virtualMachine, DWORD thread, std::string name, bool isDaemon);
    ThreadEnvironment(const ThreadEnvironment&) = delete;
    ThreadEnvironment& operator=(const ThreadEnvironment&) = delete;

    JNIEnv* jniEnv() { return &handle.jni; }

    EnvironmentHandle handle;
    VirtualMachine& vm;
    const DWORD threadId;
    // UTF-8, as Java prints it: "main" for the creating thread, "Thread-N" for others unless named.
    const std::string threadName;
    const bool daemon;
    // False once the thread detached (or the runtime was destroyed); the environment is kept to recognise
    // misuse.
    std::atomic<bool> attached{true};
    // Only the owning thread touches the fields below.
    ThrowableObject* pendingException = nullptr;
    // Local references by frame; the first frame is the thread's own and is never popped.
    std::vector<std::vector<Reference*>> localFrames;
};

}  // namespace testjvm
