// NewString, NewStringUTF, GetStringLength, GetStringChars/ReleaseStringChars, GetStringUTFLength and
// GetStringUTFChars/ReleaseStringUTFChars.
#include "JniEntry.h"
#include "LocalReferences.h"
#include "LoudFailure.h"
#include "NativeInterface.h"
#include "TextConversion.h"
#include "VirtualMachine.h"

namespace testjvm {
namespace {

const char aString[] = "a java.lang.String";

jstring JNICALL newString(JNIEnv* env, const jchar* unicode, jsize length) {
    ThreadEnvironment& environment = enterJni(env, "NewString");
    if (length < 0 || (unicode == nullptr && length > 0))
        failLoudly("NewString given an invalid buffer or length");
    std::u16string chars(static_cast<std::size_t>(length), u'\0');
    for (std::size_t i = 0; i < chars.size(); ++i) chars[i] = static_cast<char16_t>(unicode[i]);
    return static_cast<jstring>(
        newLocalReference(environment, environment.vm.heap().allocate<StringObject>(std::move(chars))));
}

jstring JNICALL newStringUtf(JNIEnv* env, const char* bytes) {
    ThreadEnvironment& environment = enterJni(env, "NewStringUTF");
    if (bytes == nullptr) return nullptr;
    return static_cast<jstring>(newLocalReference(
        environment, environment.vm.heap().allocate<StringObject>(utf16FromModifiedUtf8(bytes))));
}

jsize JNICALL getStringLength(JNIEnv* env, jstring string) {
    ThreadEnvironment& environment = enterJni(env, "GetStringLength");
    return static_cast<jsize>(
        requireAs<StringObject>(environment, string, "GetStringLength", aString).chars.size());
}

const jchar* JNICALL getStringChars(JNIEnv* env, jstring string, jboolean* isCopy) {
    ThreadEnvironment& environment = enterJni(env, "GetStringChars");
    const auto& object = requireAs<StringObject>(environment, string, "GetStringChars", aString);
    // Terminated, as HotSpot does, though JNI does not promise it.
    std::vector<jchar> chars(object.chars.begin(), object.chars.end());
    chars.push_back(0);
    if (isCopy != nullptr) *isCopy = JNI_TRUE;
    return static_cast<const jchar*>(
        environment.vm.lentBuffers().lend(&object, chars.data(), chars.size() * sizeof(jchar)));
}

void JNICALL releaseStringChars(JNIEnv* env, jstring string, const jchar* chars) {
    ThreadEnvironment& environment = enterJni(env, "ReleaseStringChars", WhilePending::allowed);
    const auto& object = requireAs<StringObject>(environment, string, "ReleaseStringChars", aString);
    if (environment.vm.lentBuffers().find(&object, chars) == nullptr) {
        failLoudly("ReleaseStringChars given chars GetStringChars did not return for that string");
    }
    environment.vm.lentBuffers().giveBack(chars);
}

jsize JNICALL getStringUtfLength(JNIEnv* env, jstring string) {
    ThreadEnvironment& environment = enterJni(env, "GetStringUTFLength");
    const auto& object = requireAs<StringObject>(environment, string, "GetStringUTFLength", aString);
    return static_cast<jsize>(modifiedUtf8FromUtf16(object.chars).size());
}

const char* JNICALL getStringUtfChars(JNIEnv* env, jstring string, jboolean* isCopy) {
    ThreadEnvironment& environment = enterJni(env, "GetStringUTFChars");
    const auto& object = requireAs<StringObject>(environment, string, "GetStringUTFChars", aString);
    const std::string bytes = modifiedUtf8FromUtf16(object.chars);
    if (isCopy != nullptr) *isCopy = JNI_TRUE;
    // size() + 1: the terminating zero byte.
    return static_cast<const char*>(
        environment.vm.lentBuffers().lend(&object, bytes.c_str(), bytes.size() + 1));
}

void JNICALL releaseStringUtfChars(JNIEnv* env, jstring string, const char* chars) {
    ThreadEnvironment& environment = enterJni(env, "ReleaseStringUTFChars", WhilePending::allowed);
    const auto& object = requireAs<StringObject>(environment, string, "ReleaseStringUTFChars", aString);
    if (environment.vm.lentBuffers().find(&object, chars) == nullptr) {
        failLoudly("ReleaseStringUTFChars given chars GetStringUTFChars did not return for that string");
    }
    environment.vm.lentBuffers().giveBack(chars);
}

}  // namespace

void installStringFunctions(JNINativeInterface_& table) {
    table.NewString = &newString;
    table.NewStringUTF = &newStringUtf;
    table.GetStringLength = &getStringLength;
    table.GetStringChars = &getStringChars;
    table.ReleaseStringChars = &releaseStringChars;
    table.GetStringUTFLength = &getStringUtfLength;
    table.GetStringUTFChars = &getStringUtfChars;
    table.ReleaseStringUTFChars = &releaseStringUtfChars;
}

}  // namespace testjvm
