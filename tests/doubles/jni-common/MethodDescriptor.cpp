#include "MethodDescriptor.h"

namespace testjvm {
namespace {

constexpr std::string_view primitiveTypes = "ZBCSIJFD";

// The length of the field type at the start of text, or 0 if none is there.
std::size_t fieldTypeLength(std::string_view text) {
    std::size_t dimensions = 0;
    while (dimensions < text.size() && text[dimensions] == '[') ++dimensions;
    if (dimensions == text.size()) return 0;
    const char kind = text[dimensions];
    if (primitiveTypes.find(kind) != std::string_view::npos) return dimensions + 1;
    if (kind != 'L') return 0;
    const std::size_t end = text.find(';', dimensions);
    if (end == std::string_view::npos || end == dimensions + 1) return 0;
    return end + 1;
}

}  // namespace

std::optional<MethodDescriptor> parseMethodDescriptor(std::string_view descriptor) {
    if (descriptor.empty() || descriptor.front() != '(') return std::nullopt;
    MethodDescriptor result;
    std::size_t position = 1;
    while (position < descriptor.size() && descriptor[position] != ')') {
        const std::size_t length = fieldTypeLength(descriptor.substr(position));
        if (length == 0) return std::nullopt;
        result.parameterTypes.emplace_back(descriptor.substr(position, length));
        position += length;
    }
    if (position == descriptor.size()) return std::nullopt;
    const std::string_view returnPart = descriptor.substr(position + 1);
    if (returnPart == "V") {
        result.returnType = "V";
    } else if (fieldTypeLength(returnPart) == returnPart.size() && !returnPart.empty()) {
        result.returnType = std::string(returnPart);
    } else {
        return std::nullopt;
    }
    return result;
}

bool isReferenceType(std::string_view fieldType) {
    return !fieldType.empty() && (fieldType.front() == 'L' || fieldType.front() == '[');
}

}  // namespace testjvm
