#include "ChildCases.h"

#include "ChildProcess.h"
#include "ModulePaths.h"
#include "RenderCalls.h"
#include "TestJvmLibrary.h"
#include <pelmora/JavaVmCreation.h>

#include <functional>
#include <map>
#include <optional>
#include <stdexcept>
#include <string>
#include <thread>

namespace testjvm_test {
namespace {

using pelmora::JavaVmInitArguments;
using pelmora::test::Capture;
using pelmora::test::ChildProcess;
using pelmora::test::TestJvmLibrary;

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
        {"render-string-for-bytes",
         [](JavaVM*, JNIEnv* env) {
             jclass renderer = env->FindClass(rendererClass);
             jmethodID fromBytes = env->GetStaticMethodID(renderer, "create", renderFromBytesDescriptor);
             env->CallStaticObjectMethod(renderer, fromBytes, 1, env->NewStringUTF("C:\\a.sgf"), 10, 10);
         }},
        // The script variable is set by the parent; creation itself fails.
        {"unknown-directive", [](JavaVM*, JNIEnv*) {}},
        // Not a misuse: with "render=throw" the call's exception is printed, and the process goes on.
        {"describe-render-failure",
         [](JavaVM* vm, JNIEnv*) {
             RenderRequest request;
             request.path = L"C:\\a.sgf";
             renderOnDaemonThread(vm, request);
         }},
    };
    return cases;
}

}  // namespace

int runChildCase(std::string_view name) {
    const auto found = childCases().find(name);
    if (found == childCases().end()) return childNotRun;
    TestJvmLibrary library;
    if (library.createJavaVm() == nullptr) return childNotRun;
    JavaVmInitArguments arguments({"-Djava.class.path=Pelmora.jar"});
    JavaVM* vm = nullptr;
    JNIEnv* env = nullptr;
    if (library.create(arguments, &vm, &env) != JNI_OK) return childNotRun;
    found->second(vm, env);
    return childSurvived;
}

ChildOutcome runInChild(const std::wstring& caseName, const std::wstring& currentDirectory, DWORD timeoutMs) {
    ChildOutcome outcome;
    try {
        ChildProcess child = ChildProcess::start(pelmora::test::programPath(), L"--child=" + caseName,
                                                 currentDirectory, {}, Capture::outputAndError);
        outcome.started = true;
        std::optional<DWORD> exitCode = child.waitForExit(timeoutMs);
        if (!exitCode) {
            outcome.timedOut = true;
            child.kill();
            exitCode = child.waitForExit(0);
        }
        outcome.exitCode = exitCode.value_or(STILL_ACTIVE);
        outcome.output = child.output();
    } catch (const std::runtime_error& error) {
        // Not started: the outcome says so, and why.
        outcome.output = error.what();
    }
    return outcome;
}

}  // namespace testjvm_test
