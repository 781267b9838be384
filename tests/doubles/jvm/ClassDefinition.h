// The classes the runtime knows, as data: a class name, where the class comes from and its static methods
// with their descriptors and behaviour. A new class of the application is one more table entry.
#pragma once

#include <string_view>
#include <vector>

namespace testjvm {

struct StaticInvocation;

// Runs a static method: reads the invocation's arguments, may set its result or leave an exception pending.
using MethodBehaviour = void (*)(StaticInvocation& invocation);

struct StaticMethodDefinition {
    const char* name;
    const char* descriptor;
    MethodBehaviour behaviour;
};

struct ClassDefinition {
    // JNI form, with slashes.
    const char* name;
    // Application classes are found only while the application's jar is on the class path.
    bool inApplicationJar;
    std::vector<StaticMethodDefinition> staticMethods;
};

// Every class the runtime can find.
const std::vector<ClassDefinition>& classDefinitions();

// Null when no class of that name is defined.
const ClassDefinition* findClassDefinition(std::string_view name);
// Null when the class has no static method of that name and descriptor.
const StaticMethodDefinition* findStaticMethod(const ClassDefinition& definition, std::string_view name,
                                               std::string_view descriptor);
// Whether the method is one of the class's own (method IDs are pointers to the definitions).
bool declaresMethod(const ClassDefinition& definition, const StaticMethodDefinition* method);

}  // namespace testjvm
