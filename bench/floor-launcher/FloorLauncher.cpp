// The floor of the launcher benchmark: a program that makes only the platform calls the launcher must make to
// run the application: its own path, the command line split by the shell, a hidden window on a thread of its
// own, jvm.dll loaded by full path, the JVM created with the class path, main called with the arguments, the
// window removed once main returned (later starts must not find it), the JVM destroyed.
// Usage: bench-floor-launcher <jvm.dll> <document> (run from the installation folder).
#include <jni.h>

#include <windows.h>

#include <shellapi.h>

#include <atomic>
#include <string>
#include <thread>

namespace {

using CreateJavaVm = jint(JNICALL*)(JavaVM**, void**, void*);

std::atomic<DWORD> windowThreadId{0};

void hiddenWindow() {
    windowThreadId = GetCurrentThreadId();
    WNDCLASSW description = {};
    description.lpfnWndProc = DefWindowProcW;
    description.lpszClassName = L"PelmoraBenchFloorClass";
    RegisterClassW(&description);
    CreateWindowExW(0, description.lpszClassName, L"DDEWindow", 0, 0, 0, 1, 1, nullptr, nullptr, nullptr,
                    nullptr);
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) DispatchMessageW(&message);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    wchar_t self[MAX_PATH];
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    int count = 0;
    LPWSTR* arguments = CommandLineToArgvW(GetCommandLineW(), &count);
    if (!arguments || count < 3) return 2;
    std::thread windowThread(hiddenWindow);
    HMODULE jvm = LoadLibraryW(arguments[1]);
    if (!jvm) return 3;
    auto create =
        reinterpret_cast<CreateJavaVm>(reinterpret_cast<void*>(GetProcAddress(jvm, "JNI_CreateJavaVM")));
    JavaVMOption options[2] = {};
    options[0].optionString = const_cast<char*>("-Djava.class.path=.\\Pelmora.jar;");
    options[1].optionString = const_cast<char*>("-Xmx300000k");
    JavaVMInitArgs initArgs = {};
    initArgs.version = JNI_VERSION_10;
    initArgs.nOptions = 2;
    initArgs.options = options;
    JavaVM* vm = nullptr;
    JNIEnv* env = nullptr;
    if (!create || create(&vm, reinterpret_cast<void**>(&env), &initArgs) < 0) return 4;
    jclass mainClass = env->FindClass("Pelmora2");
    jmethodID main =
        mainClass ? env->GetStaticMethodID(mainClass, "main", "([Ljava/lang/String;)V") : nullptr;
    if (!main) return 5;
    const std::wstring document = arguments[2];
    jobjectArray array = env->NewObjectArray(1, env->FindClass("java/lang/String"), env->NewStringUTF(""));
    env->SetObjectArrayElement(
        array, 0,
        env->NewString(reinterpret_cast<const jchar*>(document.data()), static_cast<jsize>(document.size())));
    env->CallStaticVoidMethod(mainClass, main, array);
    // The window goes before the JVM, once the thread has a message queue to be told in.
    while (windowThreadId == 0 || !PostThreadMessageW(windowThreadId, WM_QUIT, 0, 0)) Sleep(1);
    windowThread.join();
    vm->DestroyJavaVM();
    LocalFree(arguments);
    return 0;
}
