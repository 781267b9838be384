// Calls of the thumbnail renderer PelmoraThumb.create, made with the JNI steps the thumbnail server takes
// per request: FindClass, both GetStaticMethodIDs, a local frame of 10, NewString or NewByteArray with
// SetByteArrayRegion, the variadic CallStaticObjectMethod, ExceptionOccurred/Describe/Clear, GetArrayLength
// and GetByteArrayRegion, PopLocalFrame(NULL).
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include <jni.h>

namespace testjvm_test {

inline constexpr char rendererClass[] = "PelmoraThumb";
inline constexpr char renderFromPathDescriptor[] = "(ILjava/lang/String;II)[B";
inline constexpr char renderFromBytesDescriptor[] = "(I[BII)[B";

struct RenderRequest {
    // The String variant is called when a path is given, else the byte[] variant with the bytes.
    std::optional<std::wstring> path;
    std::vector<std::uint8_t> bytes;
    jint first = 1;
    jint x = 256;
    jint y = 192;
};

struct RenderReply {
    // False when a step before the call failed (its exception is left pending).
    bool called = false;
    bool threw = false;
    bool returnedNull = false;
    std::vector<std::uint8_t> bytes;
    // The calling thread's id, as the log writes it.
    std::string thread;
};

// On the calling thread, which must be attached.
RenderReply callRenderer(JNIEnv* env, const RenderRequest& request);
// On a new thread attached with AttachCurrentThreadAsDaemon and detached at the end, as the server does.
RenderReply renderOnDaemonThread(JavaVM* vm, const RenderRequest& request);

}  // namespace testjvm_test
