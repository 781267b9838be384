// Exceptions the runtime raises: they become the thread's pending exception, as in a JVM.
#pragma once

#include "ThreadEnvironment.h"

#include <optional>
#include <string>

namespace testjvm {

// className in JNI form ("java/lang/IllegalStateException"); a null message is allowed, as in Java.
void throwJavaException(ThreadEnvironment& environment, const std::string& className,
                        std::optional<std::u16string> message);
// Java's own text for an exception: "java.lang.IllegalStateException: main failed".
std::u16string describeThrowable(const ThrowableObject& throwable);

}  // namespace testjvm
