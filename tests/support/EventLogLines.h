// Error events as Wine shows them with WINEDEBUG=-all,err+eventlog: each insertion string on a line of its
// own, `XXXX:err:eventlog:ReportEventW L"text"`, where XXXX is the reporting thread.
#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace pelmora::test {

// The debug setting a process needs for its events (and those of the processes it starts) to show.
inline constexpr const wchar_t* eventLogDebugSetting = L"-all,err+eventlog";

struct ErrorEvent {
    std::string message;
    std::string detail;
};

bool operator==(const ErrorEvent& left, const ErrorEvent& right);
// "message / detail", for test failure messages.
std::ostream& operator<<(std::ostream& out, const ErrorEvent& event);

// The error events written to the Wine debug output of this test run from the moment the watch was made:
// those of this process and of every process it started, directly or through COM, that runs with
// eventLogDebugSetting in WINEDEBUG.
class DebugOutputWatch {
  public:
    DebugOutputWatch();
    std::vector<ErrorEvent> events() const;

  private:
    std::wstring path_;
    unsigned long long start_ = 0;
};

// The two-string events in the output, in order, each put together from two lines of the same thread. The
// strings keep Wine's escapes except \" and \\, which are undone.
std::vector<ErrorEvent> errorEventsIn(const std::string& output);

}  // namespace pelmora::test
