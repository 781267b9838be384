// How the launcher's routines report an error: they throw the message as a wide string, and the step that
// owns the routine catches it and ends the launcher through ErrHandler::fatalError.
#pragma once

#include <string>

namespace pelmora {

// Runs one step: a wide-string error passes through unchanged (it already names the failure); anything else
// (exhausted memory, a string operation out of range) becomes the step's general message.
template <class Step>
auto runStep(const wchar_t* generalMessage, Step&& step) -> decltype(step()) {
    try {
        return step();
    } catch (const std::wstring&) {
        throw;
    } catch (...) {
        throw std::wstring(generalMessage);
    }
}

}  // namespace pelmora
