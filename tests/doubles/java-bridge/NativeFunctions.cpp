// The JNIEnv functions the deliverables call, each performed by the thread's Java thread. Every other slot
// fails loudly by name.
#include "BridgeVm.h"
#include "CallArguments.h"
#include "InvokeInterface.h"
#include "LoudFailure.h"
#include "Protocol.h"
#include "StandardStreams.h"
#include "UnsupportedSlots.h"

#include <cstddef>
#include <cstring>
#include <string>

namespace javabridge {
namespace {

// JNI allows exception handling, deleting references and popping frames while an exception is pending.
enum class WhilePending { forbidden, allowed };

// The checks a checking JVM makes on entry: an env of this runtime, attached, on its own thread, and no
// exception pending unless the function is one JNI allows then.
BridgeThread& enter(JNIEnv* env, const char* function, WhilePending rule = WhilePending::forbidden) {
    const std::string name(function);
    BridgeVm* vm = BridgeVm::instance();
    if (vm == nullptr) testjvm::failLoudly(name + " called before JNI_CreateJavaVM");
    BridgeThread* thread = vm->threadOf(env);
    if (thread == nullptr) testjvm::failLoudly(name + " called with a JNIEnv this runtime never handed out");
    if (vm->destroyed()) testjvm::failLoudly(name + " called after DestroyJavaVM");
    if (!thread->attached) testjvm::failLoudly(name + " called with the JNIEnv of a detached thread");
    if (thread->threadId != GetCurrentThreadId()) {
        testjvm::failLoudly(name + " called on another thread than the JNIEnv's");
    }
    if (rule == WhilePending::forbidden && thread->pending) {
        testjvm::failLoudly(name + " called with an exception pending");
    }
    return *thread;
}

jint JNICALL getVersion(JNIEnv* env) {
    enter(env, "GetVersion");
    return JNI_VERSION_10;
}

jclass JNICALL findClass(JNIEnv* env, const char* name) {
    BridgeThread& thread = enter(env, "FindClass");
    if (name == nullptr) testjvm::failLoudly("FindClass given a null name");
    return localReference<jclass>(
        thread.request("FindClass", Message(protocol::findClass).bytes(name)).readI64());
}

jmethodID JNICALL getStaticMethodId(JNIEnv* env, jclass type, const char* name, const char* signature) {
    BridgeThread& thread = enter(env, "GetStaticMethodID");
    if (type == nullptr || name == nullptr || signature == nullptr) {
        testjvm::failLoudly("GetStaticMethodID given a null class, name or signature");
    }
    Message request(protocol::getStaticMethodId);
    request.i64(referenceId(type)).bytes(name).bytes(signature);
    const std::int32_t remoteId = thread.request("GetStaticMethodID", request).readI32();
    if (remoteId == 0) return nullptr;
    // The Java side found the method by this very descriptor, so it parses.
    auto descriptor = testjvm::parseMethodDescriptor(signature);
    if (!descriptor)
        testjvm::failLoudly(std::string("GetStaticMethodID: unreadable descriptor ") + signature);
    return BridgeVm::instance()->methodId(remoteId, std::move(*descriptor));
}

const MethodRecord& methodOf(jmethodID id, const char* function) {
    const MethodRecord* record = BridgeVm::instance()->method(id);
    if (record == nullptr)
        testjvm::failLoudly(std::string(function) + " given a method id this runtime never gave out");
    return *record;
}

// The call family must match the method's return type: the reply carries a value for every type but void.
enum class Returns { nothing, object };

template <class ArgumentSource>
std::int64_t callStatic(JNIEnv* env, const char* function, Returns returns, jclass type, jmethodID id,
                        ArgumentSource arguments) {
    BridgeThread& thread = enter(env, function);
    const MethodRecord& method = methodOf(id, function);
    const std::string& returnType = method.descriptor.returnType;
    if (returns == Returns::object ? !testjvm::isReferenceType(returnType) : returnType != "V") {
        testjvm::failLoudly(std::string(function) + " called for a method returning " + returnType);
    }
    Message request(protocol::callStatic);
    request.i64(referenceId(type)).i32(method.remoteId);
    appendArguments(request, method.descriptor, arguments);
    Connection& reply = thread.request(function, request);
    return returns == Returns::object ? reply.readI64() : 0;
}

jobject JNICALL callStaticObjectMethodV(JNIEnv* env, jclass type, jmethodID id, va_list arguments) {
    return localReference(callStatic(env, "CallStaticObjectMethodV", Returns::object, type, id, arguments));
}

jobject JNICALL callStaticObjectMethod(JNIEnv* env, jclass type, jmethodID id, ...) {
    va_list arguments;
    va_start(arguments, id);
    const std::int64_t result =
        callStatic(env, "CallStaticObjectMethod", Returns::object, type, id, arguments);
    va_end(arguments);
    return localReference(result);
}

jobject JNICALL callStaticObjectMethodA(JNIEnv* env, jclass type, jmethodID id, const jvalue* arguments) {
    return localReference(callStatic(env, "CallStaticObjectMethodA", Returns::object, type, id, arguments));
}

void JNICALL callStaticVoidMethodV(JNIEnv* env, jclass type, jmethodID id, va_list arguments) {
    callStatic(env, "CallStaticVoidMethodV", Returns::nothing, type, id, arguments);
}

void JNICALL callStaticVoidMethod(JNIEnv* env, jclass type, jmethodID id, ...) {
    va_list arguments;
    va_start(arguments, id);
    callStatic(env, "CallStaticVoidMethod", Returns::nothing, type, id, arguments);
    va_end(arguments);
}

void JNICALL callStaticVoidMethodA(JNIEnv* env, jclass type, jmethodID id, const jvalue* arguments) {
    callStatic(env, "CallStaticVoidMethodA", Returns::nothing, type, id, arguments);
}

jstring JNICALL newString(JNIEnv* env, const jchar* units, jsize length) {
    BridgeThread& thread = enter(env, "NewString");
    if (length < 0 || (length > 0 && units == nullptr)) testjvm::failLoudly("NewString given no characters");
    Message request(protocol::newString);
    request.i32(length);
    for (jsize i = 0; i < length; ++i) {
        request.u8(static_cast<std::uint8_t>(units[i] >> 8)).u8(static_cast<std::uint8_t>(units[i] & 0xFF));
    }
    return localReference<jstring>(thread.request("NewString", request).readI64());
}

jstring JNICALL newStringUtf(JNIEnv* env, const char* bytes) {
    BridgeThread& thread = enter(env, "NewStringUTF");
    // A null text gives a null string, as in HotSpot.
    if (bytes == nullptr) return nullptr;
    return localReference<jstring>(
        thread.request("NewStringUTF", Message(protocol::newStringUtf).bytes(bytes)).readI64());
}

jobjectArray JNICALL newObjectArray(JNIEnv* env, jsize length, jclass type, jobject initial) {
    BridgeThread& thread = enter(env, "NewObjectArray");
    Message request(protocol::newObjectArray);
    request.i32(length).i64(referenceId(type)).i64(referenceId(initial));
    return localReference<jobjectArray>(thread.request("NewObjectArray", request).readI64());
}

void JNICALL setObjectArrayElement(JNIEnv* env, jobjectArray array, jsize index, jobject value) {
    BridgeThread& thread = enter(env, "SetObjectArrayElement");
    Message request(protocol::setObjectArrayElement);
    request.i64(referenceId(array)).i32(index).i64(referenceId(value));
    thread.request("SetObjectArrayElement", request);
}

jthrowable JNICALL exceptionOccurred(JNIEnv* env) {
    BridgeThread& thread = enter(env, "ExceptionOccurred", WhilePending::allowed);
    if (!thread.pending) return nullptr;
    return localReference<jthrowable>(
        thread.request("ExceptionOccurred", Message(protocol::exceptionOccurred)).readI64());
}

void JNICALL exceptionDescribe(JNIEnv* env) {
    BridgeThread& thread = enter(env, "ExceptionDescribe", WhilePending::allowed);
    if (!thread.pending) return;
    // The Java side prints the stack trace into the reply, so it is on standard error before this returns.
    testjvm::writeStandardError(
        thread.request("ExceptionDescribe", Message(protocol::exceptionDescribe)).readBytes());
}

void JNICALL exceptionClear(JNIEnv* env) {
    BridgeThread& thread = enter(env, "ExceptionClear", WhilePending::allowed);
    if (thread.pending) thread.request("ExceptionClear", Message(protocol::exceptionClear));
}

jboolean JNICALL exceptionCheck(JNIEnv* env) {
    return enter(env, "ExceptionCheck", WhilePending::allowed).pending ? JNI_TRUE : JNI_FALSE;
}

jbyteArray JNICALL newByteArray(JNIEnv* env, jsize length) {
    BridgeThread& thread = enter(env, "NewByteArray");
    return localReference<jbyteArray>(
        thread.request("NewByteArray", Message(protocol::newByteArray).i32(length)).readI64());
}

void JNICALL setByteArrayRegion(JNIEnv* env, jbyteArray array, jsize start, jsize length,
                                const jbyte* bytes) {
    BridgeThread& thread = enter(env, "SetByteArrayRegion");
    if (length > 0 && bytes == nullptr) testjvm::failLoudly("SetByteArrayRegion given no bytes");
    Message request(protocol::setByteArrayRegion);
    request.i64(referenceId(array)).i32(start);
    request.bytes(
        length > 0 ? std::string_view(reinterpret_cast<const char*>(bytes), static_cast<std::size_t>(length))
                   : std::string_view());
    thread.request("SetByteArrayRegion", request);
}

void JNICALL getByteArrayRegion(JNIEnv* env, jbyteArray array, jsize start, jsize length, jbyte* bytes) {
    BridgeThread& thread = enter(env, "GetByteArrayRegion");
    Message request(protocol::getByteArrayRegion);
    request.i64(referenceId(array)).i32(start).i32(length);
    const std::string region = thread.request("GetByteArrayRegion", request).readBytes();
    // Out of bounds: an exception is pending and the buffer is left alone.
    if (!thread.pending && !region.empty()) {
        if (bytes == nullptr) testjvm::failLoudly("GetByteArrayRegion given no buffer");
        std::memcpy(bytes, region.data(), region.size());
    }
}

jsize JNICALL getArrayLength(JNIEnv* env, jarray array) {
    BridgeThread& thread = enter(env, "GetArrayLength");
    return thread.request("GetArrayLength", Message(protocol::getArrayLength).i64(referenceId(array)))
        .readI32();
}

jint JNICALL pushLocalFrame(JNIEnv* env, jint capacity) {
    BridgeThread& thread = enter(env, "PushLocalFrame", WhilePending::allowed);
    return thread.request("PushLocalFrame", Message(protocol::pushLocalFrame).i32(capacity)).readI32();
}

jobject JNICALL popLocalFrame(JNIEnv* env, jobject result) {
    BridgeThread& thread = enter(env, "PopLocalFrame", WhilePending::allowed);
    return localReference(
        thread.request("PopLocalFrame", Message(protocol::popLocalFrame).i64(referenceId(result))).readI64());
}

void JNICALL deleteLocalRef(JNIEnv* env, jobject object) {
    BridgeThread& thread = enter(env, "DeleteLocalRef", WhilePending::allowed);
    if (object != nullptr) {
        thread.request("DeleteLocalRef", Message(protocol::deleteLocalRef).i64(referenceId(object)));
    }
}

JNINativeInterface_ buildNativeInterface() {
    auto table = testjvm::nativeTableOfUnsupportedSlots();
    table.GetVersion = getVersion;
    table.FindClass = findClass;
    table.GetStaticMethodID = getStaticMethodId;
    table.CallStaticObjectMethod = callStaticObjectMethod;
    table.CallStaticObjectMethodV = callStaticObjectMethodV;
    table.CallStaticObjectMethodA = callStaticObjectMethodA;
    table.CallStaticVoidMethod = callStaticVoidMethod;
    table.CallStaticVoidMethodV = callStaticVoidMethodV;
    table.CallStaticVoidMethodA = callStaticVoidMethodA;
    table.NewString = newString;
    table.NewStringUTF = newStringUtf;
    table.NewObjectArray = newObjectArray;
    table.SetObjectArrayElement = setObjectArrayElement;
    table.ExceptionOccurred = exceptionOccurred;
    table.ExceptionDescribe = exceptionDescribe;
    table.ExceptionClear = exceptionClear;
    table.ExceptionCheck = exceptionCheck;
    table.NewByteArray = newByteArray;
    table.SetByteArrayRegion = setByteArrayRegion;
    table.GetByteArrayRegion = getByteArrayRegion;
    table.GetArrayLength = getArrayLength;
    table.PushLocalFrame = pushLocalFrame;
    table.PopLocalFrame = popLocalFrame;
    table.DeleteLocalRef = deleteLocalRef;
    return table;
}

}  // namespace

const JNINativeInterface_& nativeInterface() {
    static const JNINativeInterface_ table = buildNativeInterface();
    return table;
}

}  // namespace javabridge
