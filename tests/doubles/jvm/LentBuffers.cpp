#include "LentBuffers.h"

namespace testjvm {

void* LentBuffers::lend(const JavaObject* source, const void* data, std::size_t size) {
    // One spare byte keeps the address distinct (and valid) for empty contents.
    const auto* first = static_cast<const unsigned char*>(data);
    std::vector<unsigned char> bytes;
    bytes.reserve(size + 1);
    bytes.assign(first, first + size);
    void* address = bytes.data();
    const std::lock_guard<std::mutex> guard(lock_);
    buffers_.emplace(address, Buffer{source, std::move(bytes)});
    return address;
}

std::vector<unsigned char>* LentBuffers::find(const JavaObject* source, const void* address) {
    const std::lock_guard<std::mutex> guard(lock_);
    const auto found = buffers_.find(address);
    if (found == buffers_.end() || found->second.source != source) return nullptr;
    return &found->second.bytes;
}

void LentBuffers::giveBack(const void* address) {
    const std::lock_guard<std::mutex> guard(lock_);
    buffers_.erase(address);
}

}  // namespace testjvm
