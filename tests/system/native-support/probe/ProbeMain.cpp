// native_support_probe.exe: the second process of the support library's tests. It reports on standard
// output as "key=value" lines.
//   clipboard-report                    the formats on the clipboard and what the metafile ones hold
//   hold-clipboard READY RELEASE        keeps the clipboard open from setting event READY until RELEASE
//   mutex NAME OWNER                    createMutex(NAME, OWNER = 0 or 1) through the support library, then
//                                       whether this process got the mutex; releases and closes it
#include <windows.h>

#include <cstdio>
#include <string>

#include <pelmora/Win32Handles.h>

#include "SupportLibrary.h"
#include "TestJvm.h"

namespace {

using pelmora::KernelHandle;

void report(const char* key, const std::string& value) {
    std::printf("%s=%s\n", key, value.c_str());
    std::fflush(stdout);
}

void report(const char* key, long long value) {
    report(key, std::to_string(value));
}

// Another process may hold the clipboard for a moment.
bool openClipboardPatiently(HWND owner) {
    for (int attempt = 0; attempt < 50; ++attempt) {
        if (OpenClipboard(owner)) return true;
        Sleep(100);
    }
    return false;
}

int clipboardReport() {
    if (!openClipboardPatiently(nullptr)) {
        report("opened", 0);
        return 2;
    }
    report("opened", 1);
    std::string formats;
    for (UINT format = EnumClipboardFormats(0); format != 0; format = EnumClipboardFormats(format)) {
        formats += (formats.empty() ? "" : ",") + std::to_string(format);
    }
    report("formats", formats);

    if (IsClipboardFormatAvailable(CF_METAFILEPICT)) {
        const HANDLE memory = GetClipboardData(CF_METAFILEPICT);
        const auto* picture = static_cast<const METAFILEPICT*>(memory ? GlobalLock(memory) : nullptr);
        if (picture != nullptr) {
            report("metafilepict.mm", picture->mm);
            report("metafilepict.xExt", picture->xExt);
            report("metafilepict.yExt", picture->yExt);
            report("metafilepict.wmfBytes", GetMetaFileBitsEx(picture->hMF, 0, nullptr));
            GlobalUnlock(memory);
        }
    }
    if (IsClipboardFormatAvailable(CF_ENHMETAFILE)) {
        const auto emf = static_cast<HENHMETAFILE>(GetClipboardData(CF_ENHMETAFILE));
        ENHMETAHEADER header{};
        if (emf != nullptr && GetEnhMetaFileHeader(emf, sizeof header, &header) != 0) {
            report("enhmetafile.bytes", header.nBytes);
            report("enhmetafile.frame",
                   std::to_string(header.rclFrame.left) + "," + std::to_string(header.rclFrame.top) + "," +
                       std::to_string(header.rclFrame.right) + "," + std::to_string(header.rclFrame.bottom));
        }
    }
    CloseClipboard();
    return 0;
}

int holdClipboard(const wchar_t* readyName, const wchar_t* releaseName) {
    const KernelHandle ready(OpenEventW(EVENT_MODIFY_STATE, FALSE, readyName));
    const KernelHandle release(OpenEventW(SYNCHRONIZE, FALSE, releaseName));
    if (!ready || !release) return 2;
    // Held by a window: the clipboard then refuses every other opener, owner or not.
    const HWND window = CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                        GetModuleHandleW(nullptr), nullptr);
    if (window == nullptr || !openClipboardPatiently(window)) return 3;
    report("held", 1);
    SetEvent(ready.get());
    const DWORD waited = WaitForSingleObject(release.get(), 60000);
    CloseClipboard();
    DestroyWindow(window);
    return waited == WAIT_OBJECT_0 ? 0 : 4;
}

int probeMutex(const wchar_t* name, bool initialOwner) {
    auto& jvm = pelmora::test::TestJvm::instance();
    const std::wstring text(name);
    const jlong mutex =
        WINDOWS_UTIL(createMutex)(jvm.env(), nullptr, jvm.string(std::u16string(text.begin(), text.end())),
                                  initialOwner ? JNI_TRUE : JNI_FALSE);
    report("handle", mutex != 0 ? "nonzero" : "zero");
    if (mutex == 0) return 2;
    const DWORD waited = WaitForSingleObject(reinterpret_cast<HANDLE>(static_cast<INT_PTR>(mutex)), 0);
    report("wait", waited == WAIT_OBJECT_0    ? "acquired"
                   : waited == WAIT_TIMEOUT   ? "timeout"
                   : waited == WAIT_ABANDONED ? "abandoned"
                                              : "failed");
    if (waited == WAIT_OBJECT_0 || waited == WAIT_ABANDONED) {
        report("release", WINDOWS_UTIL(releaseMutex)(jvm.env(), nullptr, mutex));
    }
    report("close", WINDOWS_UTIL(closeHandle)(jvm.env(), nullptr, mutex));
    return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    try {
        const std::wstring mode = argc > 1 ? argv[1] : L"";
        if (mode == L"clipboard-report" && argc == 2) return clipboardReport();
        if (mode == L"hold-clipboard" && argc == 4) return holdClipboard(argv[2], argv[3]);
        if (mode == L"mutex" && argc == 4) return probeMutex(argv[2], std::wstring(argv[3]) == L"1");
        std::fprintf(stderr, "native_support_probe: unknown arguments\n");
        return 64;
    } catch (const std::exception& failure) {
        std::fprintf(stderr, "native_support_probe: %s\n", failure.what());
        return 70;
    }
}
