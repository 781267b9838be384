#include "VirtualMachine.h"

#include "InvokeInterface.h"

namespace testjvm {
namespace {

std::atomic<VirtualMachine*> current{nullptr};

}  // namespace

VirtualMachine::VirtualMachine(VmSettings settings, TestScript script)
    : handle_{{&invokeInterface()}, this}, settings_(std::move(settings)), script_(std::move(script)) {}

VirtualMachine* VirtualMachine::instance() {
    return current.load();
}

VirtualMachine& VirtualMachine::install(std::unique_ptr<VirtualMachine> created) {
    // Never destroyed, on purpose: when a process exits, its other threads are ended wherever they are, even
    // inside a wait of this runtime, and tearing down the synchronisation they used could hang the exit.
    current.store(created.release());
    return *current.load();
}

ThreadEnvironment* VirtualMachine::currentThreadEnvironment() {
    const std::lock_guard<std::mutex> guard(threadsLock_);
    const auto found = attached_.find(GetCurrentThreadId());
    return found == attached_.end() ? nullptr : found->second;
}

ThreadEnvironment& VirtualMachine::attachCurrentThread(const std::string& name, bool daemon) {
    const std::lock_guard<std::mutex> guard(threadsLock_);
    const std::string threadName = name.empty() ? "Thread-" + std::to_string(nextThreadNumber_++) : name;
    environments_.push_back(
        std::make_unique<ThreadEnvironment>(*this, GetCurrentThreadId(), threadName, daemon));
    ThreadEnvironment& environment = *environments_.back();
    attached_[environment.threadId] = &environment;
    return environment;
}

void VirtualMachine::detachCurrentThread() {
    const std::lock_guard<std::mutex> guard(threadsLock_);
    const auto found = attached_.find(GetCurrentThreadId());
    if (found == attached_.end()) return;
    endLocalReferences(*found->second);
    found->second->attached = false;
    attached_.erase(found);
}

bool VirtualMachine::otherNonDaemonThreadAttached() {
    const std::lock_guard<std::mutex> guard(threadsLock_);
    for (const auto& [threadId, environment] : attached_) {
        if (threadId != GetCurrentThreadId() && !environment->daemon) return true;
    }
    return false;
}

ThreadEnvironment* VirtualMachine::findEnvironment(const void* env) {
    const std::lock_guard<std::mutex> guard(threadsLock_);
    for (const auto& environment : environments_) {
        if (environment->jniEnv() == env) return environment.get();
    }
    return nullptr;
}

ClassObject* VirtualMachine::classObject(const ClassDefinition& definition) {
    const std::lock_guard<std::mutex> guard(classesLock_);
    ClassObject*& object = classObjects_[&definition];
    if (object == nullptr) object = heap_.allocate<ClassObject>(definition);
    return object;
}

void VirtualMachine::markDestroyed() {
    const std::lock_guard<std::mutex> guard(threadsLock_);
    for (const auto& [threadId, environment] : attached_) {
        endLocalReferences(*environment);
        environment->attached = false;
    }
    attached_.clear();
    destroyed_ = true;
}

void VirtualMachine::endLocalReferences(ThreadEnvironment& environment) {
    for (const auto& frame : environment.localFrames) {
        for (Reference* reference : frame) reference->live = false;
    }
    environment.localFrames.clear();
}

}  // namespace testjvm
