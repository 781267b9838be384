// A COM module lock that only counts, for tests of objects and class objects in this process.
#pragma once

#include <pelmora/com/ModuleLock.h>

namespace pelmora::test {

class CountingModule final : public com::ModuleLock {
  public:
    void lock() override { ++count; }
    void unlock() override { --count; }

    int count = 0;
};

}  // namespace pelmora::test
