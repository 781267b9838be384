#include "ScriptedWait.h"

#include "EventLog.h"
#include "LoudFailure.h"
#include "TextConversion.h"
#include "WaitLimit.h"

#include <pelmora/Win32Handles.h>

#include <windows.h>

#include <chrono>

namespace testjvm {

void waitForNamedEvent(const std::string& what, const std::wstring& eventName) {
    const std::string directive = what + "-wait=" + logText(utf16FromWide(eventName));
    recordEvent(what + " waiting");
    const pelmora::KernelHandle event(CreateEventW(nullptr, TRUE, FALSE, eventName.c_str()));
    if (!event) {
        failLoudly(directive + ": cannot open the event (error " + std::to_string(GetLastError()) + ")");
    }
    const auto limit = std::chrono::duration_cast<std::chrono::milliseconds>(scriptedWaitLimit);
    const DWORD waited = WaitForSingleObject(event.get(), static_cast<DWORD>(limit.count()));
    if (waited == WAIT_TIMEOUT) {
        failLoudly(directive + ": the event was not set within " + std::to_string(scriptedWaitLimit.count()) +
                   " s");
    }
    if (waited != WAIT_OBJECT_0) {
        failLoudly(directive + ": waiting for the event failed (error " + std::to_string(GetLastError()) +
                   ")");
    }
}

}  // namespace testjvm
