#include "TestScript.h"

#include "EnvironmentVariable.h"
#include "LoudFailure.h"
#include "TextConversion.h"

#include <string_view>

namespace testjvm {
namespace {

void applyDirective(TestScript& script, std::u16string_view directive) {
    const std::u16string_view waitPrefix = u"main=wait:";
    if (directive == u"create=fail") {
        script.creation = TestScript::Creation::fail;
    } else if (directive == u"create=pending") {
        script.creation = TestScript::Creation::pending;
    } else if (directive == u"attach=fail") {
        script.attachFails = true;
    } else if (directive == u"main=return") {
        script.mainMethod = TestScript::MainMethod::returnAtOnce;
    } else if (directive == u"main=throw") {
        script.mainMethod = TestScript::MainMethod::throwException;
    } else if (directive.substr(0, waitPrefix.size()) == waitPrefix) {
        script.mainMethod = TestScript::MainMethod::waitForWord;
        script.mainWaitWord = std::u16string(directive.substr(waitPrefix.size()));
    } else if (directive == u"commands=return") {
        script.commandsMethod = TestScript::CommandsMethod::returnAtOnce;
    } else if (directive == u"commands=throw") {
        script.commandsMethod = TestScript::CommandsMethod::throwException;
    } else {
        failLoudly("unknown directive \"" + logText(directive) + "\" in PELMORA_TESTJVM_SCRIPT");
    }
}

}  // namespace

TestScript readTestScript() {
    TestScript script;
    const auto text = environmentVariable(L"PELMORA_TESTJVM_SCRIPT");
    if (!text) return script;
    const std::u16string directives = utf16FromWide(*text);
    std::size_t start = 0;
    while (start <= directives.size()) {
        std::size_t end = directives.find(u';', start);
        if (end == std::u16string::npos) end = directives.size();
        const std::u16string_view directive(directives.data() + start, end - start);
        // Empty pieces (a trailing ';') carry no directive.
        if (!directive.empty()) applyDirective(script, directive);
        start = end + 1;
    }
    return script;
}

}  // namespace testjvm
