// Handles as the Java side holds them: a long with the handle's value.
#pragma once

#include <windows.h>

#include <jni.h>

namespace pelmora::test {

template <class Handle>
Handle fromJava(jlong value) {
    return reinterpret_cast<Handle>(static_cast<INT_PTR>(value));
}

template <class Handle>
jlong asJava(Handle handle) {
    return static_cast<jlong>(reinterpret_cast<INT_PTR>(handle));
}

}  // namespace pelmora::test
