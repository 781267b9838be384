// Local frames and references: PushLocalFrame, PopLocalFrame, NewLocalRef, DeleteLocalRef,
// EnsureLocalCapacity, NewGlobalRef, DeleteGlobalRef and IsSameObject.
#include "JniEntry.h"
#include "LocalReferences.h"
#include "LoudFailure.h"
#include "NativeInterface.h"
#include "VirtualMachine.h"

#include <string>

namespace testjvm {
namespace {

// The reference behind a handle the caller wants to delete; fails loudly unless it is live and of the kind.
Reference& deletableReference(ThreadEnvironment& environment, jobject handle, const char* function,
                              bool global) {
    const std::string name(function);
    Reference* reference = environment.vm.heap().findReference(handle);
    if (reference == nullptr) failLoudly(name + " given a reference this runtime never handed out");
    if (!reference->live) failLoudly(name + " given a deleted reference");
    if (global != (reference->owner == nullptr)) {
        failLoudly(name + " given a " + (global ? "local" : "global") + " reference");
    }
    if (!global && reference->owner != &environment)
        failLoudly(name + " given a local reference of another thread");
    return *reference;
}

jint JNICALL pushLocalFrame(JNIEnv* env, jint capacity) {
    ThreadEnvironment& environment = enterJni(env, "PushLocalFrame", WhilePending::allowed);
    // The capacity is a hint here: frames grow as needed.
    if (capacity < 0) return JNI_ERR;
    environment.localFrames.emplace_back();
    return JNI_OK;
}

jobject JNICALL popLocalFrame(JNIEnv* env, jobject result) {
    ThreadEnvironment& environment = enterJni(env, "PopLocalFrame", WhilePending::allowed);
    if (environment.localFrames.size() < 2)
        failLoudly("PopLocalFrame called without a matching PushLocalFrame");
    JavaObject* survivor = resolveObject(environment, result, "PopLocalFrame");
    for (Reference* reference : environment.localFrames.back()) reference->live = false;
    environment.localFrames.pop_back();
    return newLocalReference(environment, survivor);
}

jobject JNICALL newLocalRef(JNIEnv* env, jobject object) {
    ThreadEnvironment& environment = enterJni(env, "NewLocalRef");
    return newLocalReference(environment, resolveObject(environment, object, "NewLocalRef"));
}

void JNICALL deleteLocalRef(JNIEnv* env, jobject object) {
    ThreadEnvironment& environment = enterJni(env, "DeleteLocalRef", WhilePending::allowed);
    if (object == nullptr) return;
    deletableReference(environment, object, "DeleteLocalRef", false).live = false;
}

jint JNICALL ensureLocalCapacity(JNIEnv* env, jint capacity) {
    enterJni(env, "EnsureLocalCapacity");
    return capacity < 0 ? JNI_ERR : JNI_OK;
}

jobject JNICALL newGlobalRef(JNIEnv* env, jobject object) {
    ThreadEnvironment& environment = enterJni(env, "NewGlobalRef");
    JavaObject* target = resolveObject(environment, object, "NewGlobalRef");
    if (target == nullptr) return nullptr;
    return reinterpret_cast<jobject>(environment.vm.heap().newReference(target, nullptr));
}

void JNICALL deleteGlobalRef(JNIEnv* env, jobject object) {
    ThreadEnvironment& environment = enterJni(env, "DeleteGlobalRef", WhilePending::allowed);
    if (object == nullptr) return;
    deletableReference(environment, object, "DeleteGlobalRef", true).live = false;
}

jboolean JNICALL isSameObject(JNIEnv* env, jobject first, jobject second) {
    ThreadEnvironment& environment = enterJni(env, "IsSameObject");
    const bool same = resolveObject(environment, first, "IsSameObject") ==
                      resolveObject(environment, second, "IsSameObject");
    return same ? JNI_TRUE : JNI_FALSE;
}

}  // namespace

void installReferenceFunctions(JNINativeInterface_& table) {
    table.PushLocalFrame = &pushLocalFrame;
    table.PopLocalFrame = &popLocalFrame;
    table.NewLocalRef = &newLocalRef;
    table.DeleteLocalRef = &deleteLocalRef;
    table.EnsureLocalCapacity = &ensureLocalCapacity;
    table.NewGlobalRef = &newGlobalRef;
    table.DeleteGlobalRef = &deleteGlobalRef;
    table.IsSameObject = &isSameObject;
}

}  // namespace testjvm
