#include "JniHelpers.h"

#include <windows.h>

namespace testjvm_test {

jobjectArray newStringArray(JNIEnv* env, const std::vector<std::wstring>& texts) {
    jclass stringClass = env->FindClass("java/lang/String");
    if (stringClass == nullptr) return nullptr;
    jobjectArray array = env->NewObjectArray(static_cast<jsize>(texts.size()), stringClass, nullptr);
    if (array == nullptr) return nullptr;
    for (std::size_t i = 0; i < texts.size(); ++i) {
        const std::wstring& text = texts[i];
        jstring element =
            env->NewString(reinterpret_cast<const jchar*>(text.data()), static_cast<jsize>(text.size()));
        env->SetObjectArrayElement(array, static_cast<jsize>(i), element);
        env->DeleteLocalRef(element);
    }
    return array;
}

bool callStringArrayMethod(JNIEnv* env, const char* className, const char* method,
                           const std::vector<std::wstring>& arguments) {
    jclass mainClass = env->FindClass(className);
    if (mainClass == nullptr) return false;
    jmethodID methodId = env->GetStaticMethodID(mainClass, method, "([Ljava/lang/String;)V");
    if (methodId == nullptr) return false;
    jobjectArray array = newStringArray(env, arguments);
    if (array == nullptr) return false;
    env->CallStaticVoidMethod(mainClass, methodId, array);
    return env->ExceptionCheck() == JNI_FALSE;
}

std::string lowBytes(const std::wstring& text) {
    std::string bytes;
    for (const wchar_t unit : text) bytes += static_cast<char>(unit & 0xFF);
    return bytes;
}

std::string currentThreadText() {
    return std::to_string(GetCurrentThreadId());
}

}  // namespace testjvm_test
