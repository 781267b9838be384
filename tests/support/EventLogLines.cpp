#include "EventLogLines.h"

#include "TestFiles.h"

#include <windows.h>

#include <map>
#include <stdexcept>

namespace pelmora::test {

bool operator==(const ErrorEvent& left, const ErrorEvent& right) {
    return left.message == right.message && left.detail == right.detail;
}

std::ostream& operator<<(std::ostream& out, const ErrorEvent& event) {
    return out << '"' << event.message << "\" / \"" << event.detail << '"';
}
namespace {

constexpr const char* marker = ":err:eventlog:ReportEventW L\"";

std::string unescape(const std::string& text) {
    std::string plain;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\\' && i + 1 < text.size() && (text[i + 1] == '"' || text[i + 1] == '\\')) ++i;
        plain += text[i];
    }
    return plain;
}

// The Unix path wine-run put into PELMORA_WINE_STDERR, as this process sees it.
std::wstring debugOutputPath() {
    wchar_t unixPath[MAX_PATH];
    const DWORD length = GetEnvironmentVariableW(L"PELMORA_WINE_STDERR", unixPath, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) {
        throw std::runtime_error("PELMORA_WINE_STDERR is not set: run the test through the build's wine-run");
    }
    std::wstring path = L"Z:" + std::wstring(unixPath, length);
    for (wchar_t& c : path) {
        if (c == L'/') c = L'\\';
    }
    return path;
}

}  // namespace

DebugOutputWatch::DebugOutputWatch() : path_(debugOutputPath()), start_(readFileBytes(path_).size()) {}

std::vector<ErrorEvent> DebugOutputWatch::events() const {
    const std::string output = readFileBytes(path_);
    return errorEventsIn(output.size() > start_ ? output.substr(start_) : std::string());
}

std::vector<ErrorEvent> errorEventsIn(const std::string& output) {
    std::vector<ErrorEvent> events;
    // A thread's first string, waiting for its second.
    std::map<std::string, std::string> pending;
    for (std::string line : splitLines(output)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        const std::size_t at = line.find(marker);
        if (at == std::string::npos || line.size() < at + std::char_traits<char>::length(marker) + 1 ||
            line.back() != '"') {
            continue;
        }
        const std::string thread = line.substr(0, at);
        const std::size_t start = at + std::char_traits<char>::length(marker);
        const std::string text = unescape(line.substr(start, line.size() - start - 1));
        auto first = pending.find(thread);
        if (first == pending.end()) {
            pending.emplace(thread, text);
        } else {
            events.push_back({first->second, text});
            pending.erase(first);
        }
    }
    return events;
}

}  // namespace pelmora::test
