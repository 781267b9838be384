#include "LocalReferences.h"

#include "LoudFailure.h"
#include "VirtualMachine.h"

namespace testjvm {

JavaObject* resolveObject(ThreadEnvironment& environment, jobject handle, const char* function) {
    if (handle == nullptr) return nullptr;
    const std::string name(function);
    Reference* reference = environment.vm.heap().findReference(handle);
    if (reference == nullptr) failLoudly(name + " given a reference this runtime never handed out");
    if (!reference->live) failLoudly(name + " given a deleted reference");
    if (reference->owner != nullptr && reference->owner != &environment) {
        failLoudly(name + " given a local reference of thread " + std::to_string(reference->owner->threadId) +
                   " on thread " + std::to_string(environment.threadId));
    }
    return reference->target;
}

jobject newLocalReference(ThreadEnvironment& environment, JavaObject* object) {
    if (object == nullptr) return nullptr;
    Reference* reference = environment.vm.heap().newReference(object, &environment);
    environment.localFrames.back().push_back(reference);
    return reinterpret_cast<jobject>(reference);
}

void failWrongType(const char* function, const char* expected, const JavaObject* actual) {
    failLoudly(std::string(function) + " expects " + expected + " but was given " +
               (actual == nullptr ? std::string("null") : "an instance of " + actual->className));
}

}  // namespace testjvm
