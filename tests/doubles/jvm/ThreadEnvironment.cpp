#include "ThreadEnvironment.h"

#include "NativeInterface.h"

namespace testjvm {

ThreadEnvironment::ThreadEnvironment(VirtualMachine& virtualMachine, DWORD thread, std::string name,
                                     bool isDaemon)
    : handle{{&nativeInterface()}, this},
      vm(virtualMachine),
      threadId(thread),
      threadName(std::move(name)),
      daemon(isDaemon),
      localFrames(1) {}

}  // namespace testjvm
