#include "JVMLauncher.h"

#include "ErrHandler.h"
#include "JvmCandidate.h"
#include "LauncherError.h"
#include "Properties.h"
#include <pelmora/ProcAddress.h>

namespace pelmora {
namespace {

using CreateJavaVmFunction = jint(JNICALL*)(JavaVM**, void**, void*);
using SetDllDirectoryFunction = BOOL(WINAPI*)(LPCWSTR);

// Ends the launcher for an error of one public step: a specific message as it is, anything else with the
// step's general message.
template <class Step>
void runFatalStep(const wchar_t* generalMessage, Step&& step) {
    try {
        step();
    } catch (const std::wstring& message) {
        ErrHandler::fatalError(message);
    } catch (...) {
        ErrHandler::fatalError(generalMessage);
    }
}

// Cuts the text at its last backslash, or fails.
std::wstring parentOf(const std::wstring& path) {
    const auto cut = path.rfind(L'\\');
    if (cut == std::wstring::npos) throw std::wstring(L"Error while launching JVM.");
    return path.substr(0, cut);
}

bool exceptionPending(JNIEnv* env) {
    jthrowable thrown = env->ExceptionOccurred();
    if (thrown == nullptr) return false;
    env->ExceptionDescribe();
    return true;
}

// The path made absolute against the current directory (the installation folder). LoadLibraryW would search
// a relative path along the DLL search order, which starts at the executable's folder and, once
// SetDllDirectoryW is in effect, leaves the current directory out: a launcher in a "bin" folder would then
// not find its private runtime ".\jre".
std::wstring fullPathOf(const std::wstring& path) {
    const DWORD size = GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
    if (size == 0) return path;
    std::wstring full(size, L'\0');
    const DWORD length = GetFullPathNameW(path.c_str(), size, full.data(), nullptr);
    if (length == 0 || length >= size) return path;
    full.resize(length);
    return full;
}

}  // namespace

std::string lowBytesOf(const std::wstring& text) {
    std::string bytes(text.size(), '\0');
    for (std::size_t i = 0; i < text.size(); ++i) bytes[i] = static_cast<char>(text[i] & 0xFF);
    return bytes;
}

void JVMLauncher::buildInitArgs() {
    runStep(L"Error setting up JVM arguments.", [&] {
        if (!properties_->jarsInClasspath().empty()) {
            properties_->addJavaSystemProperty(L"-Djava.class.path=" + properties_->jarsInClasspath());
        }
        if (!properties_->libraryPath().empty()) {
            properties_->addJavaSystemProperty(L"-Djava.library.path=" + properties_->libraryPath());
        }
        const auto& entries = properties_->javaSystemProperties();
        optionTexts_.clear();
        for (const auto& entry : entries) optionTexts_.push_back(lowBytesOf(entry));
        options_.assign(optionTexts_.size(), JavaVMOption{});
        for (std::size_t i = 0; i < optionTexts_.size(); ++i) {
            options_[i].optionString = optionTexts_[i].data();
            options_[i].extraInfo = nullptr;
        }
        initArgs_.version = JNI_VERSION_10;
        initArgs_.nOptions = static_cast<jint>(options_.size());
        initArgs_.options = options_.data();
        initArgs_.ignoreUnrecognized = JNI_FALSE;
    });
}

void JVMLauncher::writeDiagnostics() const {
    // Only when the settings name a debug file; the launcher itself never sets one. Appended as 8-bit text.
    const FileHandle out(CreateFileW(properties_->debugFile().c_str(), FILE_APPEND_DATA, FILE_SHARE_READ,
                                     nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!out) return;
    const std::string text =
        lowBytesOf(L"The chosen JVM: " + properties_->chosenJvm()->describe() + L"\nThe properties chosen: " +
                   properties_->describeSettings() + L"\n");
    DWORD written = 0;
    WriteFile(out.get(), text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
}

void JVMLauncher::loadJvmLibrary(const std::wstring& chosenPath) {
    const std::wstring jvmPath = fullPathOf(chosenPath);
    const auto setDllDirectory =
        procAddress<SetDllDirectoryFunction>(GetModuleHandleW(L"kernel32"), "SetDllDirectoryW");
    const std::wstring binFolder = parentOf(parentOf(jvmPath));
    if (setDllDirectory != nullptr) setDllDirectory(binFolder.c_str());
    // Old runtimes need their C library loaded from beside them; it stays loaded with the JVM. Most runtimes
    // have none, which is fine.
    LoadLibraryW((binFolder + L"\\msvcr71.dll").c_str());
    jvmModule_.reset(LoadLibraryW(jvmPath.c_str()));
    if (setDllDirectory != nullptr) setDllDirectory(nullptr);
    if (!jvmModule_) throw std::wstring(L"Cannot load Java VM library: ") + jvmPath;
}

void JVMLauncher::startJvm() {
    runFatalStep(L"Error while launching JVM.", [&] {
        if (!properties_->debugFile().empty() && properties_->chosenJvm()) writeDiagnostics();
        buildInitArgs();
        const std::wstring jvmPath =
            properties_->chosenJvm() ? properties_->chosenJvm()->jvmPath : std::wstring();
        loadJvmLibrary(jvmPath);
        const auto createJavaVm = procAddress<CreateJavaVmFunction>(jvmModule_.get(), "JNI_CreateJavaVM");
        if (createJavaVm == nullptr) {
            throw std::wstring(L"Cannot find JNI_CreateJavaVM in Java VM library: ") + jvmPath;
        }
        JavaVM* vm = nullptr;
        JNIEnv* env = nullptr;
        if (createJavaVm(&vm, reinterpret_cast<void**>(&env), &initArgs_) < 0) {
            throw std::wstring(L"Cannot create Java VM.");
        }
        if (exceptionPending(env)) throw std::wstring(L"Error when creating Java VM.");
        vm_ = vm;
    });
}

JNIEnv* JVMLauncher::attachCurrentThread() {
    JNIEnv* env = nullptr;
    if (vm_->AttachCurrentThread(reinterpret_cast<void**>(&env), nullptr) < 0) {
        throw std::wstring(L"Failed to attach to JVM.");
    }
    return env;
}

void JVMLauncher::callMain(const std::function<void()>& mainCalled) {
    runFatalStep(L"Exception calling main.", [&] {
        JNIEnv* env = attachCurrentThread();
        callStaticArrayMethod(env, "main", properties_->nonEmptyCommandLineArguments(), mainCalled);
        vm_->DetachCurrentThread();
    });
}

void JVMLauncher::sendCommands(const std::vector<std::wstring>& arguments) {
    runFatalStep(L"Error sending commands to Java.", [&] {
        JNIEnv* env = attachCurrentThread();
        callStaticArrayMethod(env, "commands", arguments);
        vm_->DetachCurrentThread();
    });
}

void JVMLauncher::callStaticArrayMethod(JNIEnv* env, const char* name,
                                        const std::vector<std::wstring>& arguments,
                                        const std::function<void()>& beforeCall) {
    jclass mainClass = nullptr;
    jmethodID method = nullptr;
    runStep(L"Error When calling Java.", [&] {
        const std::wstring& className = properties_->mainClassAsJniName();
        mainClass = env->FindClass(lowBytesOf(className).c_str());
        if (exceptionPending(env)) throw L"Error while attempting to find Java class " + className;
        if (mainClass == nullptr) throw L"Cannot find main class " + className;
        method = env->GetStaticMethodID(mainClass, name, "([Ljava/lang/String;)V");
        if (exceptionPending(env)) throw std::wstring(L"Error occurred while getting main method.");
        if (method == nullptr) throw std::wstring(L"Cannot find main method in Java class.");
    });
    runStep(L"Error while calling Java.", [&] {
        jstring empty = env->NewStringUTF("");
        jclass stringClass = env->FindClass("java/lang/String");
        jobjectArray array = env->NewObjectArray(static_cast<jsize>(arguments.size()), stringClass, empty);
        if (array == nullptr) throw std::wstring(L"Error creating array for command line arguments.");
        for (std::size_t i = 0; i < arguments.size(); ++i) {
            const std::wstring& argument = arguments[i];
            jstring element = env->NewString(reinterpret_cast<const jchar*>(argument.data()),
                                             static_cast<jsize>(argument.size()));
            env->SetObjectArrayElement(array, static_cast<jsize>(i), element);
            if (exceptionPending(env)) throw std::wstring(L"Error setting Java command line arguments.");
        }
        if (beforeCall) beforeCall();
        env->CallStaticVoidMethod(mainClass, method, array);
        if (exceptionPending(env)) throw std::wstring(L"Error calling main method.");
    });
}

void JVMLauncher::destroyJvm() {
    runFatalStep(L"Error while destroying JVM.", [&] {
        if (vm_ != nullptr) {
            vm_->DestroyJavaVM();
            vm_ = nullptr;
        }
        jvmModule_.reset();
    });
}

}  // namespace pelmora
