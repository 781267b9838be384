#include "ProbeProcess.h"

#include <sstream>
#include <stdexcept>

#include "ModulePaths.h"

namespace pelmora::test {

ProbeProcess::ProbeProcess(const std::wstring& arguments)
    : child_(ChildProcess::start(binaryFolder() + L"\\native_support_probe.exe", arguments, L"", {},
                                 Capture::output)) {}

DWORD ProbeProcess::finish(DWORD timeoutMs) {
    return child_.waitForExit(timeoutMs).value_or(STILL_ACTIVE);
}

std::map<std::string, std::string> ProbeProcess::values() const {
    std::map<std::string, std::string> result;
    std::istringstream lines(output());
    std::string line;
    while (std::getline(lines, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        const auto equals = line.find('=');
        if (equals != std::string::npos) result[line.substr(0, equals)] = line.substr(equals + 1);
    }
    return result;
}

NamedEvent::NamedEvent(const std::wstring& purpose)
    : name_(L"PelmoraTest-" + purpose + L"-" + std::to_wstring(GetCurrentProcessId())),
      event_(CreateEventW(nullptr, TRUE, FALSE, name_.c_str())) {
    if (!event_) throw std::runtime_error("CreateEventW failed");
}

}  // namespace pelmora::test
