#include "JVMLauncher.h"

#include "ErrHandler.h"
#include "JvmCandidate.h"
#include "Properties.h"
#include <pelmora/JavaVmCreation.h>
#include <pelmora/PendingJavaException.h>
#include <pelmora/ProcAddress.h>

namespace pelmora {
namespace {

using SetDllDirectoryFunction = BOOL(WINAPI*)(LPCWSTR);

// Cuts the text at its last backslash, or fails.
std::wstring parentOf(const std::wstring& path) {
    const auto cut = path.rfind(L'\\');
    if (cut == std::wstring::npos) throw LauncherError(L"Error while launching JVM.");
    return path.substr(0, cut);
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
        std::vector<std::string> texts;
        for (const auto& entry : properties_->javaSystemProperties()) texts.push_back(lowBytesOf(entry));
        initArgs_ = std::make_unique<JavaVmInitArguments>(std::move(texts), JNI_VERSION_10);
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
    // Taken before the search order is restored, which may change the thread's last error.
    const DWORD loadError = GetLastError();
    if (setDllDirectory != nullptr) setDllDirectory(nullptr);
    if (!jvmModule_)
        throw LauncherError(L"Cannot load Java VM library: " + jvmPath, "LoadLibraryW", loadError);
}

void JVMLauncher::startJvm() {
    fatalOnError(L"Error while launching JVM.", [&] {
        if (!properties_->debugFile().empty() && properties_->chosenJvm()) writeDiagnostics();
        buildInitArgs();
        const std::wstring jvmPath =
            properties_->chosenJvm() ? properties_->chosenJvm()->jvmPath : std::wstring();
        loadJvmLibrary(jvmPath);
        const CreatedJavaVm created = createJavaVm(jvmModule_.get(), *initArgs_);
        if (!created.functionFound) {
            throw lastSystemError(L"Cannot find JNI_CreateJavaVM in Java VM library: " + jvmPath,
                                  "GetProcAddress");
        }
        if (created.result < 0 || created.vm == nullptr || created.env == nullptr) {
            throw LauncherError(L"Cannot create Java VM.");
        }
        if (describePendingException(created.env)) throw LauncherError(L"Error when creating Java VM.");
        vm_ = created.vm;
    });
}

JNIEnv* JVMLauncher::attachCurrentThread() {
    JNIEnv* env = nullptr;
    if (vm_->AttachCurrentThread(reinterpret_cast<void**>(&env), nullptr) < 0) {
        throw LauncherError(L"Failed to attach to JVM.");
    }
    return env;
}

void JVMLauncher::callMain(const std::function<void()>& mainCalled) {
    fatalOnError(L"Exception calling main.", [&] {
        JNIEnv* env = attachCurrentThread();
        callStaticArrayMethod(env, "main", properties_->nonEmptyCommandLineArguments(), mainCalled);
        vm_->DetachCurrentThread();
    });
}

void JVMLauncher::sendCommands(const std::vector<std::wstring>& arguments) {
    fatalOnError(L"Error sending commands to Java.", [&] {
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
        if (describePendingException(env))
            throw LauncherError(L"Error while attempting to find Java class " + className);
        if (mainClass == nullptr) throw LauncherError(L"Cannot find main class " + className);
        method = env->GetStaticMethodID(mainClass, name, "([Ljava/lang/String;)V");
        if (describePendingException(env)) throw LauncherError(L"Error occurred while getting main method.");
        if (method == nullptr) throw LauncherError(L"Cannot find main method in Java class.");
    });
    runStep(L"Error while calling Java.", [&] {
        jstring empty = env->NewStringUTF("");
        jclass stringClass = env->FindClass("java/lang/String");
        jobjectArray array = env->NewObjectArray(static_cast<jsize>(arguments.size()), stringClass, empty);
        if (array == nullptr) throw LauncherError(L"Error creating array for command line arguments.");
        for (std::size_t i = 0; i < arguments.size(); ++i) {
            const std::wstring& argument = arguments[i];
            jstring element = env->NewString(reinterpret_cast<const jchar*>(argument.data()),
                                             static_cast<jsize>(argument.size()));
            env->SetObjectArrayElement(array, static_cast<jsize>(i), element);
            if (describePendingException(env))
                throw LauncherError(L"Error setting Java command line arguments.");
        }
        if (beforeCall) beforeCall();
        env->CallStaticVoidMethod(mainClass, method, array);
        if (describePendingException(env)) throw LauncherError(L"Error calling main method.");
    });
}

void JVMLauncher::destroyJvm() {
    fatalOnError(L"Error while destroying JVM.", [&] {
        if (vm_ != nullptr) {
            vm_->DestroyJavaVM();
            vm_ = nullptr;
        }
        jvmModule_.reset();
    });
}

}  // namespace pelmora
