// Scripted waits: the runtime holds a call until a test sets a named event.
#pragma once

#include <string>

namespace testjvm {

// Records "<what> waiting", then blocks until the named event is set. Opening it with CreateEventW lets the
// test create the event before or after the wait starts; one the runtime creates is manual-reset and starts
// unset. Fails loudly when the event is not set within the scripted wait limit.
void waitForNamedEvent(const std::string& what, const std::wstring& eventName);

}  // namespace testjvm
