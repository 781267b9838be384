#include "GuardedMemory.h"

#include <cstring>
#include <stdexcept>

#ifdef _WIN32
#include <windows.h>
#else
#include <sys/mman.h>
#include <unistd.h>
#endif

namespace pelmora::test {
namespace {

std::size_t systemPageSize() {
#ifdef _WIN32
    SYSTEM_INFO system{};
    GetSystemInfo(&system);
    return system.dwPageSize;
#else
    return static_cast<std::size_t>(sysconf(_SC_PAGESIZE));
#endif
}

}  // namespace

GuardedMemory::GuardedMemory(std::size_t capacity) : pageSize_(systemPageSize()) {
    readable_ = (capacity + pageSize_ - 1) / pageSize_ * pageSize_;
    const std::size_t total = readable_ + pageSize_;
#ifdef _WIN32
    base_ =
        static_cast<std::uint8_t*>(VirtualAlloc(nullptr, total, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE));
    DWORD old = 0;
    if (base_ && !VirtualProtect(base_ + readable_, pageSize_, PAGE_NOACCESS, &old)) {
        VirtualFree(base_, 0, MEM_RELEASE);
        base_ = nullptr;
    }
#else
    void* mapped = mmap(nullptr, total, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    base_ = mapped == MAP_FAILED ? nullptr : static_cast<std::uint8_t*>(mapped);
    if (base_ && mprotect(base_ + readable_, pageSize_, PROT_NONE) != 0) {
        munmap(base_, total);
        base_ = nullptr;
    }
#endif
    if (!base_) throw std::runtime_error("no guarded memory");
}

GuardedMemory::~GuardedMemory() {
#ifdef _WIN32
    VirtualFree(base_, 0, MEM_RELEASE);
#else
    munmap(base_, readable_ + pageSize_);
#endif
}

const std::uint8_t* GuardedMemory::place(const std::vector<std::uint8_t>& bytes, std::size_t count) {
    if (count > readable_ || count > bytes.size())
        throw std::out_of_range("more bytes than the memory holds");
    std::uint8_t* start = base_ + readable_ - count;
    if (count > 0) std::memcpy(start, bytes.data(), count);
    return start;
}

}  // namespace pelmora::test
