// The count that keeps a COM server's module alive: every live object and every LockServer(TRUE) holds one.
#pragma once

#include <functional>

namespace pelmora::com {

class ModuleLock {
  public:
    virtual void lock() = 0;
    virtual void unlock() = 0;
    // Runs a change of several steps (a class object's own count and the lock count) so that whoever asks
    // whether the module may unload never sees it half done. By default the change simply runs.
    virtual void changeTogether(const std::function<void()>& change) { change(); }

  protected:
    ~ModuleLock() = default;
};

}  // namespace pelmora::com
