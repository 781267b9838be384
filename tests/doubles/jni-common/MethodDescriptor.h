// Java method descriptors such as "(ILjava/lang/String;II)[B", taken apart into their field types.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace testjvm {

struct MethodDescriptor {
    // Each in descriptor form: "I", "Ljava/lang/String;", "[B", "[Ljava/lang/String;".
    std::vector<std::string> parameterTypes;
    std::string returnType;
};

// Nullopt for a malformed descriptor.
std::optional<MethodDescriptor> parseMethodDescriptor(std::string_view descriptor);

// True for object and array types, whose values are references.
bool isReferenceType(std::string_view fieldType);

}  // namespace testjvm
