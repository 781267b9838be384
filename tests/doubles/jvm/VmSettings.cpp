#include "VmSettings.h"

#include "TextConversion.h"

namespace testjvm {
namespace {

bool startsWith(std::string_view text, std::string_view prefix) {
    return text.substr(0, prefix.size()) == prefix;
}

}  // namespace

std::optional<std::u16string> VmSettings::classPath() const {
    const std::string_view prefix = "-Djava.class.path=";
    std::optional<std::u16string> value;
    for (const std::string& option : options) {
        if (startsWith(option, prefix))
            value = utf16FromLatin1(std::string_view(option).substr(prefix.size()));
    }
    return value;
}

bool isRecognizedOption(std::string_view option) {
    for (const std::string_view prefix : {"-D", "-Xmx", "-Xms", "-Xss", "-verbose"}) {
        if (startsWith(option, prefix)) return true;
    }
    return option == "exit" || option == "abort" || option == "vfprintf";
}

bool isIgnorableOption(std::string_view option) {
    return startsWith(option, "-X") || startsWith(option, "_");
}

}  // namespace testjvm
