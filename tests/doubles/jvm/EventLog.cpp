#include "EventLog.h"

#include "EnvironmentVariable.h"

#include <pelmora/Win32Handles.h>

#include <mutex>
#include <string>

namespace testjvm {

void recordEvent(std::string_view line) {
    static std::mutex lock;
    const std::lock_guard<std::mutex> guard(lock);
    // Looked up every time: a test may point the log elsewhere between two runtimes.
    const auto path = environmentVariable(L"PELMORA_TESTJVM_LOG");
    if (!path || path->empty()) return;
    // Opened per line, for appending: the line is in the file once the handle is closed, even if the process
    // is ended right after.
    pelmora::FileHandle file(CreateFileW(path->c_str(), FILE_APPEND_DATA,
                                         FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                         OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return;
    std::string text(line);
    text += '\n';
    DWORD written = 0;
    WriteFile(file.get(), text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
}

}  // namespace testjvm
