#include "AnsiText.h"

#include <windows.h>

#include <cstddef>

#include "JniStringChars.h"
#include "NothrowBuffer.h"

namespace pelmora {

AnsiText toAnsiText(JNIEnv* env, jstring text) {
    if (text == nullptr) return {true, nullptr};
    const JniStringChars chars(env, text);
    if (!chars) return {false, nullptr};
    const int size =
        WideCharToMultiByte(CP_ACP, 0, chars.data(), chars.length(), nullptr, 0, nullptr, nullptr);
    auto converted = allocateBuffer<char>(static_cast<std::size_t>(size) + 1);
    if (!converted) return {false, nullptr};
    // A size of 0 would turn the second call into another size query.
    const int written = size > 0 ? WideCharToMultiByte(CP_ACP, 0, chars.data(), chars.length(),
                                                       converted.get(), size, nullptr, nullptr)
                                 : 0;
    converted[static_cast<std::size_t>(written)] = '\0';
    return {true, std::move(converted)};
}

}  // namespace pelmora
