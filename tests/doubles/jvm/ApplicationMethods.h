// The static methods of the application's main class Pelmora2, as the test script makes them behave.
#pragma once

namespace testjvm {

struct StaticInvocation;

// main(String[]): returns, throws, or waits until commands delivers a word (PELMORA_TESTJVM_SCRIPT "main=").
void pelmoraMain(StaticInvocation& invocation);
// commands(String[]): delivers its arguments to a waiting main, then returns or throws ("commands=").
void pelmoraCommands(StaticInvocation& invocation);

}  // namespace testjvm
