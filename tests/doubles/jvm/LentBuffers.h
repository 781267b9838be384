// Copies of string and array contents handed out by the Get...Chars and Get...ArrayElements functions,
// kept until the matching Release call gives them back.
#pragma once

#include "JavaObjects.h"

#include <cstddef>
#include <map>
#include <mutex>
#include <vector>

namespace testjvm {

class LentBuffers {
  public:
    // Copies size bytes and returns the copy's address, aligned for any element type.
    void* lend(const JavaObject* source, const void* data, std::size_t size);
    // The copy at that address if it was lent for that source; otherwise null.
    std::vector<unsigned char>* find(const JavaObject* source, const void* address);
    void giveBack(const void* address);

  private:
    struct Buffer {
        const JavaObject* source;
        std::vector<unsigned char> bytes;
    };
    std::mutex lock_;
    std::map<const void*, Buffer> buffers_;
};

}  // namespace testjvm
