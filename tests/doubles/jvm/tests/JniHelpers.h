// Small JNI steps the tests repeat, done the way the launcher does them.
#pragma once

#include <string>
#include <vector>

#include <jni.h>

namespace testjvm_test {

// A String[] holding the texts (exception left pending on failure).
jobjectArray newStringArray(JNIEnv* env, const std::vector<std::wstring>& texts);
// FindClass, GetStaticMethodID with "([Ljava/lang/String;)V" and the call; false if a step failed.
bool callStringArrayMethod(JNIEnv* env, const char* className, const char* method,
                           const std::vector<std::wstring>& arguments);
// The 8-bit text the launcher gives the runtime for a wide text: the low byte of each UTF-16 unit.
std::string lowBytes(const std::wstring& text);
// The calling thread's id in decimal, as the log writes it.
std::string currentThreadText();

}  // namespace testjvm_test
