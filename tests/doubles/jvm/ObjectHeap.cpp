#include "ObjectHeap.h"

namespace testjvm {

Reference* ObjectHeap::newReference(JavaObject* target, ThreadEnvironment* owner) {
    auto reference = std::make_unique<Reference>(target, owner);
    Reference* result = reference.get();
    const std::lock_guard<std::mutex> guard(lock_);
    references_.emplace(result, std::move(reference));
    return result;
}

Reference* ObjectHeap::findReference(const void* handle) const {
    const std::lock_guard<std::mutex> guard(lock_);
    const auto found = references_.find(handle);
    return found == references_.end() ? nullptr : found->second.get();
}

}  // namespace testjvm
