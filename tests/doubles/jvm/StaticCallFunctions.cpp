// CallStaticVoidMethod and CallStaticObjectMethod, in their variadic, va_list and jvalue-array forms.
#include "NativeInterface.h"
#include "StaticInvocation.h"

#include <cstdarg>

namespace testjvm {
namespace {

// Varargs arrive promoted: small integers as int, float as double.
jvalue readVariadic(va_list& arguments, const std::string& type) {
    jvalue value{};
    switch (type.front()) {
        case 'Z':
            value.z = static_cast<jboolean>(va_arg(arguments, int));
            break;
        case 'B':
            value.b = static_cast<jbyte>(va_arg(arguments, int));
            break;
        case 'C':
            value.c = static_cast<jchar>(va_arg(arguments, int));
            break;
        case 'S':
            value.s = static_cast<jshort>(va_arg(arguments, int));
            break;
        case 'I':
            value.i = va_arg(arguments, jint);
            break;
        case 'J':
            value.j = va_arg(arguments, jlong);
            break;
        case 'F':
            value.f = static_cast<jfloat>(va_arg(arguments, double));
            break;
        case 'D':
            value.d = va_arg(arguments, double);
            break;
        default:
            value.l = va_arg(arguments, jobject);
            break;
    }
    return value;
}

jobject callWithList(JNIEnv* env, const char* function, jclass clazz, jmethodID method, ResultKind kind,
                     va_list arguments) {
    return callStaticMethod(env, function, clazz, method, kind,
                            [&](const std::string& type) { return readVariadic(arguments, type); });
}

jobject callWithArray(JNIEnv* env, const char* function, jclass clazz, jmethodID method, ResultKind kind,
                      const jvalue* arguments) {
    std::size_t next = 0;
    return callStaticMethod(env, function, clazz, method, kind,
                            [&](const std::string&) { return arguments[next++]; });
}

void JNICALL callStaticVoidMethod(JNIEnv* env, jclass clazz, jmethodID method, ...) {
    va_list arguments;
    va_start(arguments, method);
    callWithList(env, "CallStaticVoidMethod", clazz, method, ResultKind::none, arguments);
    va_end(arguments);
}

void JNICALL callStaticVoidMethodV(JNIEnv* env, jclass clazz, jmethodID method, va_list arguments) {
    callWithList(env, "CallStaticVoidMethodV", clazz, method, ResultKind::none, arguments);
}

void JNICALL callStaticVoidMethodA(JNIEnv* env, jclass clazz, jmethodID method, const jvalue* arguments) {
    callWithArray(env, "CallStaticVoidMethodA", clazz, method, ResultKind::none, arguments);
}

jobject JNICALL callStaticObjectMethod(JNIEnv* env, jclass clazz, jmethodID method, ...) {
    va_list arguments;
    va_start(arguments, method);
    jobject result =
        callWithList(env, "CallStaticObjectMethod", clazz, method, ResultKind::object, arguments);
    va_end(arguments);
    return result;
}

jobject JNICALL callStaticObjectMethodV(JNIEnv* env, jclass clazz, jmethodID method, va_list arguments) {
    return callWithList(env, "CallStaticObjectMethodV", clazz, method, ResultKind::object, arguments);
}

jobject JNICALL callStaticObjectMethodA(JNIEnv* env, jclass clazz, jmethodID method,
                                        const jvalue* arguments) {
    return callWithArray(env, "CallStaticObjectMethodA", clazz, method, ResultKind::object, arguments);
}

}  // namespace

void installStaticCallFunctions(JNINativeInterface_& table) {
    table.CallStaticVoidMethod = &callStaticVoidMethod;
    table.CallStaticVoidMethodV = &callStaticVoidMethodV;
    table.CallStaticVoidMethodA = &callStaticVoidMethodA;
    table.CallStaticObjectMethod = &callStaticObjectMethod;
    table.CallStaticObjectMethodV = &callStaticObjectMethodV;
    table.CallStaticObjectMethodA = &callStaticObjectMethodA;
}

}  // namespace testjvm
