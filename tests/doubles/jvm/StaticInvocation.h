// One call of a static method through CallStatic...Method: checked, recorded, run by the method's behaviour.
#pragma once

#include "ClassDefinition.h"
#include "MethodDescriptor.h"
#include "ThreadEnvironment.h"

#include <functional>
#include <string>
#include <vector>

#include <jni.h>

namespace testjvm {

struct StaticInvocation {
    ThreadEnvironment& environment;
    const StaticMethodDefinition& method;
    MethodDescriptor descriptor;
    std::vector<jvalue> arguments;
    // The object behind each reference argument; null for primitives and null references.
    std::vector<JavaObject*> objects;
    // What a method with an object result returns.
    JavaObject* result = nullptr;
};

// The texts of the strings in a String[] argument, in order; null elements are left out.
std::vector<std::u16string> stringElements(const StaticInvocation& invocation, std::size_t argument);

enum class ResultKind { none, object };
// Reads the next argument of the given descriptor type from the caller's varargs or jvalue array.
using ArgumentReader = std::function<jvalue(const std::string& type)>;

// Fails loudly on a method ID of another class, a result kind that does not match the descriptor or an
// argument of the wrong type. Otherwise records "call" with the arguments, runs the behaviour and records
// "return" or "throw". The result is a new local reference, or null.
jobject callStaticMethod(JNIEnv* env, const char* function, jclass clazz, jmethodID methodId, ResultKind kind,
                         const ArgumentReader& readArgument);

}  // namespace testjvm
