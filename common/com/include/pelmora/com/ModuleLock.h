// The count that keeps a COM server's module alive: every live object and every LockServer(TRUE) holds one.
#pragma once

namespace pelmora::com {

class ModuleLock {
  public:
    virtual void lock() = 0;
    virtual void unlock() = 0;

  protected:
    ~ModuleLock() = default;
};

}  // namespace pelmora::com
