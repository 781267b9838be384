// Bytes that end where readable memory ends: a read past them faults at once, with or without a sanitizer.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace pelmora::test {

class GuardedMemory {
  public:
    // Room for up to capacity bytes (rounded up to whole pages) before an inaccessible page.
    explicit GuardedMemory(std::size_t capacity = 65536);
    GuardedMemory(const GuardedMemory&) = delete;
    GuardedMemory& operator=(const GuardedMemory&) = delete;
    ~GuardedMemory();

    // A copy of the first count bytes of bytes (at most the capacity), ending right before the inaccessible
    // page; valid until the next call.
    const std::uint8_t* place(const std::vector<std::uint8_t>& bytes, std::size_t count);

  private:
    std::uint8_t* base_ = nullptr;
    std::size_t readable_ = 0;
    std::size_t pageSize_ = 0;
};

}  // namespace pelmora::test
