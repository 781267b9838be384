// How a test steers the runtime: directives in PELMORA_TESTJVM_SCRIPT, separated by ';', for example
// "create=pending" or "main=wait:quit;commands=throw".
#pragma once

#include <string>

namespace testjvm {

struct TestScript {
    enum class Creation { succeed, fail, pending };
    enum class MainMethod { returnAtOnce, throwException, waitForWord };
    enum class CommandsMethod { returnAtOnce, throwException };

    Creation creation = Creation::succeed;
    bool attachFails = false;
    MainMethod mainMethod = MainMethod::returnAtOnce;
    // For waitForWord: the argument of commands that releases main.
    std::u16string mainWaitWord;
    CommandsMethod commandsMethod = CommandsMethod::returnAtOnce;
};

// Reads the directives from the environment; an unknown directive fails loudly.
TestScript readTestScript();

}  // namespace testjvm
