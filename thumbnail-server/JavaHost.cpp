#include "JavaHost.h"

#include "JavaHomeSearch.h"
#include "JvmOptions.h"
#include "RegistryJavaInstallView.h"
#include "ServerEvents.h"

#include <pelmora/FileBytes.h>
#include <pelmora/JavaVmCreation.h>
#include <pelmora/ModuleFileName.h>
#include <pelmora/Win32Handles.h>

#include <windows.h>

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <cwchar>
#include <optional>
#include <string>
#include <utility>

namespace pelmora::thumbsrv {
namespace {

constexpr std::size_t modulePathCapacity = MAX_PATH;
constexpr std::size_t workingDirectoryCapacity = 261;

// Written by the JVM thread before it signals jvmReady, read by requests only after waiting on it.
std::atomic<JavaVM*> javaVm{nullptr};
HANDLE jvmReady = nullptr;
HANDLE jvmStop = nullptr;
std::chrono::steady_clock::time_point jvmStart;

[[noreturn]] void failStartup(const std::wstring& message, const std::wstring& detail) {
    reportError(message, detail);
    ExitProcess(1);
}

// The folder of the module that holds this code, without its trailing backslash.
std::wstring ownFolder() {
    HMODULE self = nullptr;
    if (!GetModuleHandleExW(
            GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
            reinterpret_cast<LPCWSTR>(&ownFolder), &self)) {
        failStartup(L"Java directory not found", L"own module not found");
    }
    const ModuleFileName module = moduleFileName(self);
    if (!module.complete()) failStartup(L"Java directory not found", L"module path too long");
    const std::wstring& folder = module.path;
    const std::size_t cut = folder.rfind(L'\\');
    return cut == std::wstring::npos ? std::wstring() : folder.substr(0, cut);
}

// The executable's folder in the ANSI code page, with its trailing backslash.
std::string executableFolderAnsi() {
    char path[modulePathCapacity];
    const DWORD length = GetModuleFileNameA(nullptr, path, modulePathCapacity);
    if (length == 0 || length >= modulePathCapacity)
        failStartup(L"Java VM creation failed", L"module path too long");
    std::string folder(path, length);
    return folder.substr(0, folder.rfind('\\') + 1);
}

// The Java home in narrow characters by the runtime library's conversion in its default locale; a home
// that the conversion cannot represent, or that would not fit its fixed buffer, ends the start-up.
std::string narrowJavaHome(const std::wstring& javaHome) {
    std::size_t needed = 0;
    if (wcstombs_s(&needed, nullptr, 0, javaHome.c_str(), 0) != 0) {
        failStartup(L"Java VM creation failed", L"Java home not convertible: " + javaHome);
    }
    if (needed > narrowJavaHomeCapacity)
        failStartup(L"Java VM creation failed", L"Java home too long: " + javaHome);
    char buffer[narrowJavaHomeCapacity];
    std::size_t converted = 0;
    if (wcstombs_s(&converted, buffer, sizeof(buffer), javaHome.c_str(), _TRUNCATE) != 0) {
        failStartup(L"Java VM creation failed", L"Java home not convertible: " + javaHome);
    }
    return buffer;
}

std::wstring loadingErrorMessage(DWORD error) {
    wchar_t message[200];
    std::swprintf(message, sizeof(message) / sizeof(message[0]), L"Java DLL loading error %lx",
                  static_cast<unsigned long>(error));
    return message;
}

DWORD WINAPI jvmThreadMain(void*) {
    const RegistryJavaInstallView view;
    const std::wstring folder = ownFolder();
    const auto location = findJavaHome(folder, view);
    if (!location) failStartup(L"Java directory not found", L"");

    const std::wstring workingDirectory = location->javaHome + L"\\bin";
    if (workingDirectory.size() >= workingDirectoryCapacity) {
        failStartup(L"Java directory not found", L"Java home too long: " + location->javaHome);
    }
    SetCurrentDirectoryW(workingDirectory.c_str());

    // The VM lives until the process ends, and so does its library.
    HMODULE jvmLibrary = LoadLibraryW(location->jvmDllPath.c_str());
    if (!jvmLibrary) failStartup(loadingErrorMessage(GetLastError()), location->jvmDllPath);

    const std::string exeFolder = executableFolderAnsi();
    const std::optional<std::string> classPathList = readFileBytes(folder + L"\\Pelmora.cp");
    JvmOptions built = buildJvmOptions(exeFolder, narrowJavaHome(location->javaHome),
                                       classPathList ? &*classPathList : nullptr);
    if (!built.ok())
        failStartup(L"Java VM creation failed", std::wstring(built.error.begin(), built.error.end()));

    JavaVmInitArguments arguments(std::move(built.options), JNI_VERSION_1_6);
    const CreatedJavaVm created = createJavaVm(jvmLibrary, arguments);
    if (!created.functionFound) failStartup(L"Java VM not found", L"No VM");
    // No request may ever use a VM that was not created.
    if (!created.created()) failStartup(L"Java VM creation failed", std::to_wstring(created.result));
    javaVm = created.vm;
    SetEvent(jvmReady);

    WaitForSingleObject(jvmStop, INFINITE);
    return 0;
}

}  // namespace

bool startJvmThread() {
    jvmStart = std::chrono::steady_clock::now();
    jvmReady = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    jvmStop = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    // Nobody waits for the thread: it holds the VM for the rest of the process's life.
    KernelHandle thread(CreateThread(nullptr, 0, &jvmThreadMain, nullptr, 0, nullptr));
    return static_cast<bool>(thread);
}

std::chrono::steady_clock::time_point jvmThreadStarted() {
    return jvmStart;
}

bool waitForJavaVm(std::chrono::steady_clock::time_point deadline) {
    if (!jvmReady) return true;
    const auto left =
        std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
    const DWORD waitMs =
        left.count() > 0 ? static_cast<DWORD>(std::min<long long>(left.count(), INFINITE - 1)) : 0;
    return WaitForSingleObject(jvmReady, waitMs) == WAIT_OBJECT_0;
}

JavaVM* readyJavaVm() {
    return javaVm;
}

}  // namespace pelmora::thumbsrv
