#include "ArrayBounds.h"

#include "JavaExceptions.h"
#include "TextConversion.h"

#include <string>

namespace testjvm {
namespace {

void throwOutOfBounds(ThreadEnvironment& environment, const std::string& message) {
    throwJavaException(environment, "java/lang/ArrayIndexOutOfBoundsException", utf16FromLatin1(message));
}

}  // namespace

bool checkIndex(ThreadEnvironment& environment, jsize index, std::size_t length) {
    if (index >= 0 && static_cast<std::size_t>(index) < length) return true;
    throwOutOfBounds(environment, "Index " + std::to_string(index) + " out of bounds for length " +
                                      std::to_string(length));
    return false;
}

bool checkRegion(ThreadEnvironment& environment, jsize start, jsize count, std::size_t length) {
    const long long end = static_cast<long long>(start) + count;
    if (start >= 0 && count >= 0 && static_cast<unsigned long long>(end) <= length) return true;
    throwOutOfBounds(environment, "Array region " + std::to_string(start) + ".." + std::to_string(end) +
                                      " out of bounds for length " + std::to_string(length));
    return false;
}

}  // namespace testjvm
