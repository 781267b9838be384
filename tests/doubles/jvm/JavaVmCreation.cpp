// The exported entry points: JNI_CreateJavaVM, JNI_GetCreatedJavaVMs and JNI_GetDefaultJavaVMInitArgs.
#include "EventLog.h"
#include "JavaExceptions.h"
#include "ScriptedWait.h"
#include "JniVersions.h"
#include "LoudFailure.h"
#include "ModulePaths.h"
#include "StandardStreams.h"
#include "TestScript.h"
#include "TextConversion.h"
#include "VirtualMachine.h"

#include <windows.h>

#include <cstdio>
#include <mutex>
#include <string>

#include <jni.h>

namespace testjvm {
namespace {

// As in HotSpot: a process gets one runtime; once destroyed it cannot be created again.
enum class Lifetime { none, running, destroyed };

Lifetime lifetime() {
    VirtualMachine* vm = VirtualMachine::instance();
    if (vm == nullptr) return Lifetime::none;
    return vm->destroyed() ? Lifetime::destroyed : Lifetime::running;
}

std::wstring ownModulePath() {
    // Any address inside this DLL identifies it.
    static const char insideThisModule = 0;
    HMODULE self = nullptr;
    GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       reinterpret_cast<LPCWSTR>(&insideThisModule), &self);
    return pelmora::test::modulePath(self);
}

VmSettings readSettings(const JavaVMInitArgs& initArgs) {
    if (initArgs.nOptions < 0 || (initArgs.nOptions > 0 && initArgs.options == nullptr)) {
        failLoudly("JNI_CreateJavaVM given an invalid option list");
    }
    VmSettings settings;
    settings.version = initArgs.version;
    settings.ignoreUnrecognized = initArgs.ignoreUnrecognized != JNI_FALSE;
    for (jint i = 0; i < initArgs.nOptions; ++i) {
        const char* text = initArgs.options[i].optionString;
        if (text == nullptr) failLoudly("JNI_CreateJavaVM given a null text for option " + std::to_string(i));
        settings.options.emplace_back(text);
    }
    return settings;
}

void recordCreation(const VmSettings& settings) {
    char version[16];
    std::snprintf(version, sizeof version, "0x%08lx", static_cast<unsigned long>(settings.version));
    recordEvent(std::string("create version=") + version +
                " ignoreUnrecognized=" + (settings.ignoreUnrecognized ? "1" : "0") + " nOptions=" +
                std::to_string(settings.options.size()) + " thread=" + std::to_string(GetCurrentThreadId()));
    for (const std::string& option : settings.options) {
        recordEvent("option=" + logText(utf16FromLatin1(option)));
    }
    // Which copy of the runtime the caller loaded: tests check the launcher's choice of JVM with it.
    recordEvent("module=" + logText(utf16FromWide(ownModulePath())));
}

// JNI_OK when a runtime may be created with these settings, else the error code a JVM returns.
jint checkCreation(const VmSettings& settings, const TestScript& script) {
    if (!isSupportedJniVersion(settings.version)) return JNI_EVERSION;
    if (lifetime() == Lifetime::running) return JNI_EEXIST;
    if (lifetime() == Lifetime::destroyed) return JNI_ERR;
    if (script.creation == TestScript::Creation::fail) return JNI_ERR;
    for (const std::string& option : settings.options) {
        if (isRecognizedOption(option) || (settings.ignoreUnrecognized && isIgnorableOption(option)))
            continue;
        writeStandardError("Unrecognized option: " + utf8FromUtf16(utf16FromLatin1(option)) + "\n");
        return JNI_ERR;
    }
    return JNI_OK;
}

jint createJavaVm(JavaVM** pvm, void** penv, void* args) {
    static std::mutex creationLock;
    const std::lock_guard<std::mutex> guard(creationLock);
    const TestScript script = readTestScript();
    if (pvm == nullptr || penv == nullptr || args == nullptr)
        failLoudly("JNI_CreateJavaVM given a null argument");
    VmSettings settings = readSettings(*static_cast<const JavaVMInitArgs*>(args));
    recordCreation(settings);
    if (!script.createWaitEvent.empty()) waitForNamedEvent("create", script.createWaitEvent);
    const jint result = checkCreation(settings, script);
    if (result == JNI_OK) {
        VirtualMachine& vm =
            VirtualMachine::install(std::make_unique<VirtualMachine>(std::move(settings), script));
        ThreadEnvironment& environment = vm.attachCurrentThread("main", false);
        if (script.creation == TestScript::Creation::pending) {
            throwJavaException(environment, "java/lang/ExceptionInInitializerError", std::nullopt);
        }
        *pvm = vm.javaVm();
        *penv = environment.jniEnv();
    }
    recordEvent("create result=" + std::to_string(result));
    return result;
}

}  // namespace
}  // namespace testjvm

extern "C" {

JNIEXPORT jint JNICALL JNI_CreateJavaVM(JavaVM** pvm, void** penv, void* args) {
    return testjvm::createJavaVm(pvm, penv, args);
}

JNIEXPORT jint JNICALL JNI_GetCreatedJavaVMs(JavaVM** vmBuffer, jsize bufferLength, jsize* count) {
    testjvm::VirtualMachine* vm = testjvm::VirtualMachine::instance();
    const bool running = vm != nullptr && !vm->destroyed();
    if (count != nullptr) *count = running ? 1 : 0;
    if (running && vmBuffer != nullptr && bufferLength > 0) vmBuffer[0] = vm->javaVm();
    return JNI_OK;
}

JNIEXPORT jint JNICALL JNI_GetDefaultJavaVMInitArgs(void*) {
    testjvm::failLoudly("unsupported JNI function JNI_GetDefaultJavaVMInitArgs");
}

}  // extern "C"
