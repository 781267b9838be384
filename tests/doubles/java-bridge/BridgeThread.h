// One attached native thread: its JNIEnv, its connection to its Java thread and the pending-exception flag
// that every reply brings back, so ExceptionCheck needs no round trip.
#pragma once

#include "Connection.h"

#include <windows.h>

#include <atomic>

#include <jni.h>

namespace javabridge {

struct BridgeThread;

// What a JNIEnv* points at: the function table first, as JNI requires, then the thread it belongs to.
struct BridgeEnv {
    JNIEnv_ jni;
    BridgeThread* owner;
};

struct BridgeThread {
    BridgeThread(Connection threadConnection, DWORD id, bool isCreator);
    BridgeThread(const BridgeThread&) = delete;
    BridgeThread& operator=(const BridgeThread&) = delete;

    JNIEnv* jniEnv() { return &env.jni; }

    // Sends the request and reads the reply's status and pending flag; the payload follows on the
    // connection. A fault fails loudly with the function's name; a broken connection means the Java process
    // ended, and this process ends with it.
    Connection& request(const char* function, const Message& message);

    BridgeEnv env;
    Connection connection;
    const DWORD threadId;
    // The thread that created the VM keeps its connection (served by Java's main thread) across detaches.
    const bool creator;
    std::atomic<bool> attached{true};
    bool pending = false;
};

// References travel as numbers: a local reference of the thread's Java side, 0 for null.
inline std::int64_t referenceId(jobject object) {
    return static_cast<std::int64_t>(reinterpret_cast<std::intptr_t>(object));
}

template <class Reference = jobject>
Reference localReference(std::int64_t id) {
    return reinterpret_cast<Reference>(static_cast<std::intptr_t>(id));
}

}  // namespace javabridge
