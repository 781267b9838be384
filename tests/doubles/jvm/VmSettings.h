// What JNI_CreateJavaVM was given, and which option texts a JVM accepts.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include <jni.h>

namespace testjvm {

struct VmSettings {
    jint version = 0;
    // The 8-bit option texts, as given and in order.
    std::vector<std::string> options;
    bool ignoreUnrecognized = false;

    // The value of the last -Djava.class.path= option, each byte taken as a code point; nullopt if none.
    std::optional<std::u16string> classPath() const;
};

// System properties, heap and stack sizes, -verbose and the hooks a JVM takes from its options.
bool isRecognizedOption(std::string_view option);
// With ignoreUnrecognized a JVM skips only unknown options that start with "-X" or "_".
bool isIgnorableOption(std::string_view option);

}  // namespace testjvm
