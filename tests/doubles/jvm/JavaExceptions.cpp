#include "JavaExceptions.h"

#include "TextConversion.h"
#include "VirtualMachine.h"

#include <algorithm>

namespace testjvm {

void throwJavaException(ThreadEnvironment& environment, const std::string& className,
                        std::optional<std::u16string> message) {
    environment.pendingException =
        environment.vm.heap().allocate<ThrowableObject>(className, std::move(message));
}

std::u16string describeThrowable(const ThrowableObject& throwable) {
    std::u16string text = utf16FromLatin1(throwable.className);
    std::replace(text.begin(), text.end(), u'/', u'.');
    if (throwable.message) text += u": " + *throwable.message;
    return text;
}

}  // namespace testjvm
