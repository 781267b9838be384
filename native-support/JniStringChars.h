// The UTF-16 code units of a Java string, held from GetStringChars until ReleaseStringChars.
#pragma once

#include <jni.h>

#include <memory>

namespace pelmora {

class JniStringChars {
  public:
    // A null string, or a runtime that cannot give the characters, leaves the object false.
    JniStringChars(JNIEnv* env, jstring text);
    JniStringChars(const JniStringChars&) = delete;
    JniStringChars& operator=(const JniStringChars&) = delete;
    ~JniStringChars();

    explicit operator bool() const { return chars_ != nullptr; }
    // Not terminated: use with length().
    const wchar_t* data() const;
    int length() const { return length_; }
    // A copy ended by a NUL, for functions that need one; null when memory ran out.
    std::unique_ptr<wchar_t[]> terminatedCopy() const;

  private:
    JNIEnv* env_;
    jstring text_;
    const jchar* chars_ = nullptr;
    jsize length_ = 0;
};

}  // namespace pelmora
