// Windows handles as they travel through Java: a long holding the handle value, or an int that is
// sign-extended to one.
#pragma once

#include <jni.h>

#include <cstdint>

namespace pelmora {

template <class Handle>
Handle handleFrom(jlong value) {
    return reinterpret_cast<Handle>(static_cast<std::intptr_t>(value));
}

template <class Handle>
Handle handleFromInt(jint value) {
    return reinterpret_cast<Handle>(static_cast<std::intptr_t>(value));
}

template <class Handle>
jlong toJava(Handle handle) {
    return static_cast<jlong>(reinterpret_cast<std::intptr_t>(handle));
}

}  // namespace pelmora
