// Turning jobject handles into heap objects and back, with the checks JNI leaves to the programmer: a stale,
// foreign or wrongly typed reference fails loudly, naming the function.
#pragma once

#include "JavaObjects.h"
#include "ThreadEnvironment.h"

#include <string>

#include <jni.h>

namespace testjvm {

// Null for a null handle.
JavaObject* resolveObject(ThreadEnvironment& environment, jobject handle, const char* function);
// A new local reference in the current frame; null for a null object.
jobject newLocalReference(ThreadEnvironment& environment, JavaObject* object);
[[noreturn]] void failWrongType(const char* function, const char* expected, const JavaObject* actual);

// Null for a null handle; any other type fails loudly.
template <class Object>
Object* resolveAs(ThreadEnvironment& environment, jobject handle, const char* function,
                  const char* expected) {
    JavaObject* object = resolveObject(environment, handle, function);
    if (object == nullptr) return nullptr;
    auto* typed = dynamic_cast<Object*>(object);
    if (typed == nullptr) failWrongType(function, expected, object);
    return typed;
}

// Like resolveAs, but null fails loudly too (a JVM would crash on it).
template <class Object>
Object& requireAs(ThreadEnvironment& environment, jobject handle, const char* function,
                  const char* expected) {
    Object* typed = resolveAs<Object>(environment, handle, function, expected);
    if (typed == nullptr) failWrongType(function, expected, nullptr);
    return *typed;
}

}  // namespace testjvm
