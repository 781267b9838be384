#include "ClassDefinition.h"

namespace testjvm {

const ClassDefinition* findClassDefinition(std::string_view name) {
    for (const ClassDefinition& definition : classDefinitions()) {
        if (name == definition.name) return &definition;
    }
    return nullptr;
}

const StaticMethodDefinition* findStaticMethod(const ClassDefinition& definition, std::string_view name,
                                               std::string_view descriptor) {
    for (const StaticMethodDefinition& method : definition.staticMethods) {
        if (name == method.name && descriptor == method.descriptor) return &method;
    }
    return nullptr;
}

bool declaresMethod(const ClassDefinition& definition, const StaticMethodDefinition* method) {
    for (const StaticMethodDefinition& own : definition.staticMethods) {
        if (&own == method) return true;
    }
    return false;
}

}  // namespace testjvm
