// Java strings as NUL-terminated 8-bit texts in the system ANSI code page, for Simple MAPI.
#pragma once

#include <jni.h>

#include <memory>

namespace pelmora {

struct AnsiText {
    // False when memory ran out.
    bool converted;
    // Null for a null Java string.
    std::unique_ptr<char[]> text;
};

// The string's code units through WideCharToMultiByte(CP_ACP, 0) into a buffer one byte longer than the
// converted length, then terminated.
AnsiText toAnsiText(JNIEnv* env, jstring text);

}  // namespace pelmora
