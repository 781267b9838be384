// The arena of one runtime: every object and every reference lives until the runtime is unloaded, so a
// stale reference is recognised as stale instead of pointing at freed memory.
#pragma once

#include "JavaObjects.h"

#include <atomic>
#include <memory>
#include <mutex>
#include <unordered_map>
#include <utility>
#include <vector>

namespace testjvm {

struct ThreadEnvironment;

// What a jobject points at: local references belong to one thread's environment, global ones to none.
struct Reference {
    Reference(JavaObject* object, ThreadEnvironment* environment) : target(object), owner(environment) {}
    JavaObject* const target;
    ThreadEnvironment* const owner;
    std::atomic<bool> live{true};
};

class ObjectHeap {
  public:
    template <class Object, class... Arguments>
    Object* allocate(Arguments&&... arguments) {
        auto object = std::make_unique<Object>(std::forward<Arguments>(arguments)...);
        Object* result = object.get();
        const std::lock_guard<std::mutex> guard(lock_);
        objects_.push_back(std::move(object));
        return result;
    }

    // A new reference to the object; owner is null for a global one.
    Reference* newReference(JavaObject* target, ThreadEnvironment* owner);
    // Null when the handle is not one this heap issued.
    Reference* findReference(const void* handle) const;

  private:
    mutable std::mutex lock_;
    std::vector<std::unique_ptr<JavaObject>> objects_;
    std::unordered_map<const void*, std::unique_ptr<Reference>> references_;
};

}  // namespace testjvm
