#include <pelmora/com/EventReport.h>

#include <windows.h>

namespace pelmora::com {

void reportErrorEvent(const wchar_t* source, const std::wstring& message, const std::wstring& detail) {
    HANDLE log = RegisterEventSourceW(nullptr, source);
    if (!log) return;
    const wchar_t* strings[] = {message.c_str(), detail.c_str()};
    ReportEventW(log, EVENTLOG_ERROR_TYPE, 0, 0, nullptr, 2, 0, strings, nullptr);
    DeregisterEventSource(log);
}

}  // namespace pelmora::com
