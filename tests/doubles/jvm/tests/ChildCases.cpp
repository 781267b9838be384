#include "ChildCases.h"

#include "TestJvmLibrary.h"
#include "VmArguments.h"

#include <functional>
#include <map>
#include <string>
#include <thread>

namespace testjvm_test {
namespace {

using Misuse = std::function<void(JavaVM* vm, JNIEnv* env)>;

// Slots are called through a parameterless pointer: whatever their signature, the stub must not look at
// any argument before it fails.
using AnySlot = void(JNICALL*)();

const std::map<std::string_view, Misuse>& childCases() {
    static const std::map<std::string_view, Misuse> cases = {
        {"unsupported-function",
         [](JavaVM*, JNIEnv* env) { env->GetObjectClass(env->NewStringUTF("text")); }},
        {"unsupported-variadic",
         [](JavaVM*, JNIEnv* env) {
             env->CallStaticIntMethod(env->FindClass("java/lang/String"), nullptr, 1, 2);
         }},
        {"unsupported-reserved",
         [](JavaVM*, JNIEnv* env) { reinterpret_cast<AnySlot>(env->functions->reserved0)(); }},
        {"unsupported-invoke-reserved",
         [](JavaVM* vm, JNIEnv*) { reinterpret_cast<AnySlot>(vm->functions->reserved1)(); }},
        {"call-while-pending",
         [](JavaVM*, JNIEnv* env) {
             env->FindClass("Missing");
             env->FindClass("java/lang/String");
         }},
        {"foreign-thread",
         [](JavaVM*, JNIEnv* env) { std::thread([env] { env->NewStringUTF("elsewhere"); }).join(); }},
        {"detached-env",
         [](JavaVM* vm, JNIEnv* env) {
             vm->DetachCurrentThread();
             env->FindClass("java/lang/String");
         }},
        {"null-element-class", [](JavaVM*, JNIEnv* env) { env->NewObjectArray(1, nullptr, nullptr); }},
        {"deleted-reference",
         [](JavaVM*, JNIEnv* env) {
             jstring text = env->NewStringUTF("gone");
             env->DeleteLocalRef(text);
             env->GetStringLength(text);
         }},
        // The script variable is set by the parent; creation itself fails.
        {"unknown-directive", [](JavaVM*, JNIEnv*) {}},
    };
    return cases;
}

}  // namespace

int runChildCase(std::string_view name) {
    const auto found = childCases().find(name);
    if (found == childCases().end()) return childNotRun;
    TestJvmLibrary library;
    if (library.createJavaVm() == nullptr) return childNotRun;
    VmArguments arguments({});
    JavaVM* vm = nullptr;
    JNIEnv* env = nullptr;
    if (library.createJavaVm()(&vm, reinterpret_cast<void**>(&env), arguments.get()) != JNI_OK)
        return childNotRun;
    found->second(vm, env);
    return childSurvived;
}

}  // namespace testjvm_test
