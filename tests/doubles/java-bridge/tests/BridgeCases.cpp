#include "BridgeCases.h"

#include "ChildProcess.h"
#include "ModulePaths.h"
#include "TestJvmLibrary.h"
#include <pelmora/JavaVmCreation.h>

#include <gtest/gtest.h>

#include <cstdarg>
#include <cstdio>
#include <functional>
#include <map>
#include <string>
#include <thread>
#include <vector>

namespace javabridge_test {
namespace {

using pelmora::JavaVmInitArguments;
using pelmora::test::binaryFolder;
using pelmora::test::TestJvmLibrary;

std::string narrow(const std::wstring& text) {
    return std::string(text.begin(), text.end());
}

std::wstring bridgePath() {
    return binaryFolder() + L"\\java-bridge\\jvm.dll";
}

std::string probeClassPath() {
    return "-Djava.class.path=" + narrow(binaryFolder()) + "\\java-bridge\\bridge-probe.jar";
}

void say(const std::string& line) {
    std::printf("%s\n", line.c_str());
    std::fflush(stdout);
}

// A running VM with the probe class at hand.
struct Probe {
    JavaVM* vm = nullptr;
    JNIEnv* env = nullptr;
    jclass type = nullptr;

    jmethodID method(const char* name, const char* descriptor) const {
        return env->GetStaticMethodID(type, name, descriptor);
    }
    void showUnits(const char* label, jstring text) const {
        env->CallStaticVoidMethod(type, method("showUnits", "(Ljava/lang/String;Ljava/lang/String;)V"),
                                  env->NewStringUTF(label), text);
    }
    std::string bytesOf(jbyteArray array) const {
        std::string bytes(static_cast<std::size_t>(env->GetArrayLength(array)), '\0');
        env->GetByteArrayRegion(array, 0, static_cast<jsize>(bytes.size()),
                                reinterpret_cast<jbyte*>(bytes.data()));
        return bytes;
    }
    // DestroyJavaVM returns once the Java process has ended and all its output is through.
    void destroy() const { say("destroy: " + std::to_string(vm->DestroyJavaVM())); }
};

using Case = std::function<void(const Probe&)>;

jobject callStaticObjectV(JNIEnv* env, jclass type, jmethodID method, ...) {
    va_list arguments;
    va_start(arguments, method);
    jobject result = env->CallStaticObjectMethodV(type, method, arguments);
    va_end(arguments);
    return result;
}

constexpr const char* describeDescriptor = "(ZBCSIJFDLjava/lang/String;[B)[B";

const std::map<std::string_view, Case>& cases() {
    static const std::map<std::string_view, Case> all = {
        {"strings",
         [](const Probe& probe) {
             const jchar units[] = {0x65, 0xE9, 0xD834, 0xDD1E};
             probe.showUnits("utf16", probe.env->NewString(units, 4));
             // Modified UTF-8: the supplementary character as two three-byte surrogates.
             probe.showUnits("mutf8", probe.env->NewStringUTF("e\xC3\xA9\xED\xA0\xB4\xED\xB4\x9E"));
             probe.destroy();
         }},
        {"bytes",
         [](const Probe& probe) {
             JNIEnv* env = probe.env;
             jbyteArray bytes = env->NewByteArray(5);
             const jbyte values[] = {1, 2, 3, 4, -128};
             env->SetByteArrayRegion(bytes, 0, 5, values);
             auto reversed = static_cast<jbyteArray>(
                 env->CallStaticObjectMethod(probe.type, probe.method("reversed", "([B)[B"), bytes));
             std::string line = "reversed";
             for (char byte : probe.bytesOf(reversed)) line += " " + std::to_string(static_cast<int>(byte));
             say(line);
             jbyte outside[5] = {9, 9, 9, 9, 9};
             env->GetByteArrayRegion(reversed, 3, 5, outside);
             say("outside: pending " + std::to_string(env->ExceptionCheck()) + ", occurred " +
                 std::to_string(env->ExceptionOccurred() != nullptr) + ", buffer kept " +
                 std::to_string(outside[0] == 9));
             env->ExceptionDescribe();
             say("after describe: pending " + std::to_string(env->ExceptionCheck()));
             probe.destroy();
         }},
        {"arguments",
         [](const Probe& probe) {
             JNIEnv* env = probe.env;
             const jmethodID describe = probe.method("describe", describeDescriptor);
             jstring text = env->NewStringUTF("text");
             const auto variadic = static_cast<jbyteArray>(env->CallStaticObjectMethod(
                 probe.type, describe, JNI_TRUE, jbyte{-5}, jchar{0x263A}, jshort{-300}, jint{70000},
                 jlong{1} << 40, 1.5f, 2.25, text, nullptr));
             say("variadic: " + probe.bytesOf(variadic));
             const auto viaList = static_cast<jbyteArray>(callStaticObjectV(
                 env, probe.type, describe, JNI_FALSE, jbyte{127}, jchar{0xFFFF}, jshort{32767}, jint{-1},
                 jlong{-2}, -0.5f, 1e300, text, env->NewByteArray(3)));
             say("list: " + probe.bytesOf(viaList));
             jvalue values[10];
             values[0].z = JNI_TRUE;
             values[1].b = -128;
             values[2].c = 0x41;
             values[3].s = -1;
             values[4].i = 2147483647;
             values[5].j = -9223372036854775807LL - 1;
             values[6].f = 0.25f;
             values[7].d = -3.5;
             values[8].l = nullptr;
             values[9].l = nullptr;
             const auto array =
                 static_cast<jbyteArray>(env->CallStaticObjectMethodA(probe.type, describe, values));
             say("array: " + probe.bytesOf(array));
             probe.destroy();
         }},
        {"missing-method",
         [](const Probe& probe) {
             const jmethodID missing = probe.method("reversed", "([C)[B");
             say("method found " + std::to_string(missing != nullptr) + ", pending " +
                 std::to_string(probe.env->ExceptionCheck()));
             probe.env->ExceptionDescribe();
             say("same id twice " +
                 std::to_string(probe.method("showThread", "()V") == probe.method("showThread", "()V")));
             probe.destroy();
         }},
        {"exception",
         [](const Probe& probe) {
             probe.env->CallStaticVoidMethod(probe.type, probe.method("fail", "(Ljava/lang/String;)V"),
                                             probe.env->NewStringUTF("boom"));
             say("pending " + std::to_string(probe.env->ExceptionCheck()));
             probe.env->ExceptionDescribe();
             probe.destroy();
         }},
        {"frames",
         [](const Probe& probe) {
             JNIEnv* env = probe.env;
             say("push: " + std::to_string(env->PushLocalFrame(4)));
             jbyteArray kept = env->NewByteArray(3);
             jbyteArray dropped = env->NewByteArray(7);
             kept = static_cast<jbyteArray>(env->PopLocalFrame(kept));
             say("kept length " + std::to_string(env->GetArrayLength(kept)));
             // A reference of the popped frame is gone: the runtime ends the process.
             env->GetArrayLength(dropped);
         }},
        {"call-while-pending",
         [](const Probe& probe) {
             probe.env->FindClass("Missing");
             probe.env->FindClass("java/lang/String");
         }},
        {"unsupported-function", [](const Probe& probe) { probe.env->GetObjectClass(probe.type); }},
        {"system-exit",
         [](const Probe& probe) {
             probe.env->CallStaticVoidMethod(probe.type, probe.method("exit", "(I)V"), jint{42});
             say("still running");
         }},
        {"destroy-waits",
         [](const Probe& probe) {
             probe.env->CallStaticVoidMethod(probe.type, probe.method("startWorker", "(I)V"), jint{1500});
             probe.destroy();
             say("destroyed");
         }},
        {"threads",
         [](const Probe& probe) {
             const jmethodID showThread = probe.method("showThread", "()V");
             probe.env->CallStaticVoidMethod(probe.type, showThread);
             auto onAttachedThread = [&](bool daemon, char* name) {
                 JNIEnv* env = nullptr;
                 JavaVMAttachArgs arguments{JNI_VERSION_10, name, nullptr};
                 const jint attached =
                     daemon
                         ? probe.vm->AttachCurrentThreadAsDaemon(reinterpret_cast<void**>(&env), &arguments)
                         : probe.vm->AttachCurrentThread(reinterpret_cast<void**>(&env), nullptr);
                 if (attached != JNI_OK) return;
                 // Local references belong to their thread: the class is looked up again.
                 env->CallStaticVoidMethod(env->FindClass("BridgeProbe"), showThread);
                 probe.vm->DetachCurrentThread();
             };
             std::thread(onAttachedThread, false, nullptr).join();
             char name[] = "probe-daemon";
             std::thread(onAttachedThread, true, name).join();
             probe.destroy();
         }},
        {"paths",
         [](const Probe& probe) {
             const jmethodID showProperty = probe.method("showProperty", "(Ljava/lang/String;)V");
             for (const char* name : {"java.class.path", "probe.folder", "probe.text"}) {
                 probe.env->CallStaticVoidMethod(probe.type, showProperty, probe.env->NewStringUTF(name));
             }
             probe.destroy();
         }},
        {"orphan",
         [](const Probe& probe) {
             probe.env->CallStaticVoidMethod(probe.type, probe.method("showProcess", "()V"));
             // Time for the line to come through, then the end without DestroyJavaVM.
             Sleep(2000);
             TerminateProcess(GetCurrentProcess(), 5);
         }},
    };
    return all;
}

// Options beyond the class path, for the cases that need them.
std::vector<std::string> optionsFor(std::string_view name) {
    std::vector<std::string> options = {probeClassPath()};
    if (name == "paths") {
        options.push_back("-Dprobe.folder=C:\\windows");
        options.push_back("-Dprobe.text=plain; not a path");
    }
    return options;
}

int runOptionsCase() {
    for (const char* option : {"-cp", "-Xbogus"}) {
        TestJvmLibrary library(bridgePath());
        JavaVmInitArguments arguments({probeClassPath(), option});
        JavaVM* vm = nullptr;
        JNIEnv* env = nullptr;
        say(std::string(option) + ": " + std::to_string(library.create(arguments, &vm, &env)));
    }
    return childDone;
}

}  // namespace

int runChildCase(std::string_view name) {
    if (name == "options") return runOptionsCase();
    const auto found = cases().find(name);
    if (found == cases().end()) return childNotRun;
    TestJvmLibrary library(bridgePath());
    JavaVmInitArguments arguments(optionsFor(name));
    Probe probe;
    if (library.create(arguments, &probe.vm, &probe.env) != JNI_OK) return childNotRun;
    probe.type = probe.env->FindClass("BridgeProbe");
    if (probe.type == nullptr) return childNotRun;
    found->second(probe);
    return childDone;
}

ChildOutcome runInChild(const std::wstring& caseName) {
    ChildOutcome outcome;
    auto child = pelmora::test::ChildProcess::start(pelmora::test::programPath(), L"--child=" + caseName, L"",
                                                    {}, pelmora::test::Capture::outputAndError);
    const auto exitCode = child.waitForExit(60000);
    EXPECT_TRUE(exitCode) << "the case was still running after a minute";
    outcome.exitCode = exitCode.value_or(STILL_ACTIVE);
    outcome.output = child.output();
    return outcome;
}

}  // namespace javabridge_test
