#include "RenderCalls.h"

#include "JniHelpers.h"

#include <thread>

namespace testjvm_test {
namespace {

// The source argument in the current local frame: a String, or a byte[] filled in one region copy.
jobject newSource(JNIEnv* env, const RenderRequest& request) {
    if (request.path) {
        return env->NewString(reinterpret_cast<const jchar*>(request.path->data()),
                              static_cast<jsize>(request.path->size()));
    }
    const jsize count = static_cast<jsize>(request.bytes.size());
    jbyteArray bytes = env->NewByteArray(count);
    if (bytes != nullptr) {
        env->SetByteArrayRegion(bytes, 0, count, reinterpret_cast<const jbyte*>(request.bytes.data()));
    }
    return bytes;
}

void readResult(JNIEnv* env, jobject result, RenderReply& reply) {
    jthrowable thrown = env->ExceptionOccurred();
    if (thrown != nullptr) {
        reply.threw = true;
        env->ExceptionDescribe();
        env->ExceptionClear();
        return;
    }
    if (result == nullptr) {
        reply.returnedNull = true;
        return;
    }
    auto* array = static_cast<jbyteArray>(result);
    reply.bytes.resize(static_cast<std::size_t>(env->GetArrayLength(array)));
    env->GetByteArrayRegion(array, 0, static_cast<jsize>(reply.bytes.size()),
                            reinterpret_cast<jbyte*>(reply.bytes.data()));
}

}  // namespace

RenderReply callRenderer(JNIEnv* env, const RenderRequest& request) {
    RenderReply reply;
    reply.thread = currentThreadText();
    jclass renderer = env->FindClass(rendererClass);
    if (renderer == nullptr) return reply;
    jmethodID fromPath = env->GetStaticMethodID(renderer, "create", renderFromPathDescriptor);
    if (fromPath == nullptr) return reply;
    jmethodID fromBytes = env->GetStaticMethodID(renderer, "create", renderFromBytesDescriptor);
    if (fromBytes == nullptr) return reply;
    if (env->PushLocalFrame(10) != JNI_OK) return reply;
    jobject source = newSource(env, request);
    if (source != nullptr) {
        reply.called = true;
        jobject result = env->CallStaticObjectMethod(renderer, request.path ? fromPath : fromBytes,
                                                     request.first, source, request.x, request.y);
        readResult(env, result, reply);
    }
    env->PopLocalFrame(nullptr);
    return reply;
}

RenderReply renderOnDaemonThread(JavaVM* vm, const RenderRequest& request) {
    RenderReply reply;
    std::thread([&] {
        JNIEnv* env = nullptr;
        if (vm->AttachCurrentThreadAsDaemon(reinterpret_cast<void**>(&env), nullptr) != JNI_OK) return;
        reply = callRenderer(env, request);
        vm->DetachCurrentThread();
    }).join();
    return reply;
}

}  // namespace testjvm_test
