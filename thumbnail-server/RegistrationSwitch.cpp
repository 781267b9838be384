#include "RegistrationSwitch.h"

namespace pelmora::thumbsrv {
namespace {

wchar_t upper(wchar_t c) {
    return (c >= L'a' && c <= L'z') ? static_cast<wchar_t>(c - L'a' + L'A') : c;
}

bool sameIgnoringCase(std::wstring_view word, std::wstring_view name) {
    if (word.size() != name.size()) return false;
    for (std::size_t i = 0; i < word.size(); ++i) {
        if (upper(word[i]) != upper(name[i])) return false;
    }
    return true;
}

}  // namespace

RegistrationSwitch findRegistrationSwitch(std::wstring_view commandLine) {
    struct Named {
        std::wstring_view name;
        RegistrationSwitch value;
    };
    static constexpr Named switches[] = {
        {L"RegServer", RegistrationSwitch::regServer},
        {L"UnregServer", RegistrationSwitch::unregServer},
        {L"RegServerPerUser", RegistrationSwitch::regServerPerUser},
        {L"UnregServerPerUser", RegistrationSwitch::unregServerPerUser},
    };
    for (std::size_t mark = commandLine.find_first_of(L"-/"); mark != std::wstring_view::npos;
         mark = commandLine.find_first_of(L"-/", mark + 1)) {
        const std::size_t start = mark + 1;
        std::size_t end = commandLine.find_first_of(L" \t", start);
        if (end == std::wstring_view::npos) end = commandLine.size();
        const std::wstring_view word = commandLine.substr(start, end - start);
        for (const Named& candidate : switches) {
            if (sameIgnoringCase(word, candidate.name)) return candidate.value;
        }
    }
    return RegistrationSwitch::none;
}

}  // namespace pelmora::thumbsrv
