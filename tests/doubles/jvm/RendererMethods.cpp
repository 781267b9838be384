#include "RendererMethods.h"

#include "ScriptedWait.h"

#include "EventLog.h"
#include "JavaExceptions.h"
#include "LoudFailure.h"
#include "StaticInvocation.h"
#include "TestPicture.h"
#include "TextConversion.h"
#include "VirtualMachine.h"
#include "WaitLimit.h"

#include <pelmora/Win32Handles.h>

#include <windows.h>

#include <algorithm>
#include <string>

namespace testjvm {
namespace {

// The arguments around the picture source: (first, source, x, y).
std::string restOfCall(const StaticInvocation& invocation) {
    return " x=" + std::to_string(invocation.arguments.at(2).i) +
           " y=" + std::to_string(invocation.arguments.at(3).i) +
           " first=" + std::to_string(invocation.arguments.at(0).i) +
           " thread=" + std::to_string(invocation.environment.threadId);
}

ByteArray* newByteArray(VirtualMachine& vm, const std::vector<std::uint8_t>& bytes) {
    auto* array = vm.heap().allocate<ByteArray>("[B", bytes.size());
    std::transform(bytes.begin(), bytes.end(), array->elements.begin(),
                   [](std::uint8_t byte) { return static_cast<jbyte>(byte); });
    return array;
}

// A missing source fails as the Java code would, before any scripted wait.
void throwForNull(StaticInvocation& invocation) {
    throwJavaException(invocation.environment, "java/lang/NullPointerException", std::nullopt);
    recordEvent("render result=throw");
}

// Waits if the script says so, then returns or throws as the script says.
void produceOutcome(StaticInvocation& invocation) {
    VirtualMachine& vm = invocation.environment.vm;
    const TestScript& script = vm.script();
    if (!script.renderWaitEvent.empty()) waitForNamedEvent("render", script.renderWaitEvent);
    switch (script.render) {
        case TestScript::Render::returnNull:
            recordEvent("render result=null");
            break;
        case TestScript::Render::returnEmpty:
            invocation.result = newByteArray(vm, {});
            recordEvent("render result=empty");
            break;
        case TestScript::Render::returnImage: {
            const std::vector<std::uint8_t> picture = pelmora::test::testPictureBuffer(
                script.renderWidth, script.renderHeight, script.renderBitCount);
            invocation.result = newByteArray(vm, picture);
            recordEvent("render result=image bytes=" + std::to_string(picture.size()));
            break;
        }
        case TestScript::Render::throwException:
            throwJavaException(invocation.environment, "java/lang/IllegalStateException", u"render failed");
            recordEvent("render result=throw");
            break;
    }
}

}  // namespace

void renderFromPath(StaticInvocation& invocation) {
    const auto* path = dynamic_cast<const StringObject*>(invocation.objects.at(1));
    recordEvent("render variant=path text=" + (path == nullptr ? std::string("null") : logText(path->chars)) +
                restOfCall(invocation));
    if (path == nullptr) {
        throwForNull(invocation);
        return;
    }
    produceOutcome(invocation);
}

void renderFromBytes(StaticInvocation& invocation) {
    const auto* bytes = dynamic_cast<const ByteArray*>(invocation.objects.at(1));
    if (bytes == nullptr) {
        recordEvent("render variant=bytes count=null checksum=null" + restOfCall(invocation));
        throwForNull(invocation);
        return;
    }
    const auto* data = reinterpret_cast<const std::uint8_t*>(bytes->elements.data());
    recordEvent("render variant=bytes count=" + std::to_string(bytes->elements.size()) + " checksum=" +
                pelmora::test::testChecksumText(data, bytes->elements.size()) + restOfCall(invocation));
    produceOutcome(invocation);
}

}  // namespace testjvm
