#include "ApplicationMethods.h"

#include "JavaExceptions.h"
#include "LoudFailure.h"
#include "StaticInvocation.h"
#include "TextConversion.h"
#include "VirtualMachine.h"
#include "WaitLimit.h"

namespace testjvm {

void pelmoraMain(StaticInvocation& invocation) {
    VirtualMachine& vm = invocation.environment.vm;
    const TestScript& script = vm.script();
    switch (script.mainMethod) {
        case TestScript::MainMethod::returnAtOnce:
            break;
        case TestScript::MainMethod::throwException:
            throwJavaException(invocation.environment, "java/lang/IllegalStateException", u"main failed");
            break;
        case TestScript::MainMethod::waitForWord:
            if (!vm.commandDelivery().waitFor(script.mainWaitWord, scriptedWaitLimit)) {
                failLoudly("main=wait:" + logText(script.mainWaitWord) +
                           ": no call of commands delivered the word within " +
                           std::to_string(scriptedWaitLimit.count()) + " s");
            }
            break;
    }
}

void pelmoraCommands(StaticInvocation& invocation) {
    VirtualMachine& vm = invocation.environment.vm;
    vm.commandDelivery().deliver(stringElements(invocation, 0));
    if (vm.script().commandsMethod == TestScript::CommandsMethod::throwException) {
        throwJavaException(invocation.environment, "java/lang/IllegalStateException", u"commands failed");
    }
}

}  // namespace testjvm
