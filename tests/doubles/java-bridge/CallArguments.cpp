#include "CallArguments.h"

#include "BridgeThread.h"

#include <cstring>

namespace javabridge {
namespace {

std::int32_t floatBits(float value) {
    std::int32_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    return bits;
}

std::int64_t doubleBits(double value) {
    std::int64_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    return bits;
}

// One source of values, by kind: a va_list promotes small types to int and float to double.
template <class Source>
void appendFrom(Message& request, const testjvm::MethodDescriptor& descriptor, Source& source) {
    request.i32(static_cast<std::int32_t>(descriptor.parameterTypes.size()));
    for (const auto& type : descriptor.parameterTypes) {
        const char kind = testjvm::isReferenceType(type) ? 'L' : type.front();
        request.u8(static_cast<std::uint8_t>(kind));
        switch (kind) {
            case 'Z':
                request.i32(source.boolean());
                break;
            case 'B':
            case 'C':
            case 'S':
            case 'I':
                request.i32(source.integer(kind));
                break;
            case 'J':
                request.i64(source.longValue());
                break;
            case 'F':
                request.i32(floatBits(source.floatValue()));
                break;
            case 'D':
                request.i64(doubleBits(source.doubleValue()));
                break;
            default:
                request.i64(referenceId(source.object()));
                break;
        }
    }
}

struct VariadicSource {
    va_list& list;
    // A jboolean is one byte: only the low byte of the promoted int counts.
    std::int32_t boolean() { return static_cast<jboolean>(va_arg(list, int)); }
    std::int32_t integer(char kind) {
        const int value = va_arg(list, int);
        if (kind == 'B') return static_cast<jbyte>(value);
        if (kind == 'C') return static_cast<jchar>(value);
        if (kind == 'S') return static_cast<jshort>(value);
        return value;
    }
    std::int64_t longValue() { return va_arg(list, jlong); }
    float floatValue() { return static_cast<float>(va_arg(list, double)); }
    double doubleValue() { return va_arg(list, double); }
    jobject object() { return va_arg(list, jobject); }
};

struct ArraySource {
    const jvalue* next;
    std::int32_t boolean() { return (next++)->z; }
    std::int32_t integer(char kind) {
        const jvalue value = *next++;
        if (kind == 'B') return value.b;
        if (kind == 'C') return value.c;
        if (kind == 'S') return value.s;
        return value.i;
    }
    std::int64_t longValue() { return (next++)->j; }
    float floatValue() { return (next++)->f; }
    double doubleValue() { return (next++)->d; }
    jobject object() { return (next++)->l; }
};

}  // namespace

void appendArguments(Message& request, const testjvm::MethodDescriptor& descriptor, va_list arguments) {
    va_list copy;
    va_copy(copy, arguments);
    VariadicSource source{copy};
    appendFrom(request, descriptor, source);
    va_end(copy);
}

void appendArguments(Message& request, const testjvm::MethodDescriptor& descriptor, const jvalue* arguments) {
    ArraySource source{arguments};
    appendFrom(request, descriptor, source);
}

}  // namespace javabridge
