// The thumbnail server's own command line (any program may start it with any text), and the durations it
// reads from the environment. Input: the command line as UTF-16 code units.
//
// A registration switch is found only where the line holds '-' or '/', the switch's name in any case and a
// blank, a tab or the end after it; a duration only from a text of digits, of at most one day.
#include "FuzzInput.h"
#include "RegistrationSwitch.h"

#include <pelmora/Milliseconds.h>

#include <string>
#include <string_view>

namespace pelmora::thumbsrv {
namespace {

using fuzz::check;

const wchar_t* nameOf(RegistrationSwitch found) {
    switch (found) {
        case RegistrationSwitch::regServer:
            return L"regserver";
        case RegistrationSwitch::unregServer:
            return L"unregserver";
        case RegistrationSwitch::regServerPerUser:
            return L"regserverperuser";
        case RegistrationSwitch::unregServerPerUser:
            return L"unregserverperuser";
        case RegistrationSwitch::none:
            break;
    }
    return nullptr;
}

wchar_t lower(wchar_t c) {
    return c >= L'A' && c <= L'Z' ? static_cast<wchar_t>(c - L'A' + L'a') : c;
}

// Whether the line holds the switch as a word of its own after a '-' or a '/'.
bool holdsSwitch(std::wstring_view line, std::wstring_view name) {
    std::wstring folded;
    for (const wchar_t c : line) folded.push_back(lower(c));
    for (std::size_t at = folded.find(name); at != std::wstring::npos; at = folded.find(name, at + 1)) {
        const std::size_t after = at + name.size();
        const bool marked = at > 0 && (folded[at - 1] == L'-' || folded[at - 1] == L'/');
        const bool ended = after == folded.size() || folded[after] == L' ' || folded[after] == L'\t';
        if (marked && ended) return true;
    }
    return false;
}

void checkDuration(const std::wstring& text) {
    const auto duration = millisecondsFrom(text);
    if (!duration) return;
    check(!text.empty() && text.size() <= 9, "one to nine characters");
    long long value = 0;
    for (const wchar_t c : text) {
        check(c >= L'0' && c <= L'9', "digits only");
        value = value * 10 + (c - L'0');
    }
    check(duration->count() == value && value <= 24LL * 60 * 60 * 1000, "the number, at most one day");
}

}  // namespace
}  // namespace pelmora::thumbsrv

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace pelmora::thumbsrv;
    pelmora::fuzz::FuzzInput input(data, size);
    const std::wstring line = input.wideText();
    const RegistrationSwitch found = findRegistrationSwitch(line);
    if (const wchar_t* name = nameOf(found)) {
        pelmora::fuzz::check(holdsSwitch(line, name), "a switch only where the line names it");
    } else {
        for (const wchar_t* any :
             {L"regserver", L"unregserver", L"regserverperuser", L"unregserverperuser"}) {
            pelmora::fuzz::check(!holdsSwitch(line, any), "every switch the line names is found");
        }
    }
    checkDuration(line);
    return 0;
}
