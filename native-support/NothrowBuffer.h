// Heap buffers whose allocation failure is a null result instead of an exception: nothing may be thrown
// back into the Java runtime, and a failed allocation makes a JNI function return its failure value.
#pragma once

#include <cstddef>
#include <memory>
#include <new>

namespace pelmora {

// count value-initialised elements, or null.
template <class T>
std::unique_ptr<T[]> allocateBuffer(std::size_t count) {
    return std::unique_ptr<T[]>(new (std::nothrow) T[count]());
}

}  // namespace pelmora
