#include "TestScript.h"

#include "EnvironmentVariable.h"
#include "LoudFailure.h"
#include "TestPicture.h"
#include "TextConversion.h"

#include <optional>
#include <string_view>

namespace testjvm {
namespace {

bool startsWith(std::u16string_view text, std::u16string_view prefix) {
    return text.substr(0, prefix.size()) == prefix;
}

// A decimal number from 1 to limit that takes the whole text, or nullopt.
std::optional<int> positiveNumber(std::u16string_view text, int limit) {
    if (text.empty() || text.size() > 9) return std::nullopt;
    int value = 0;
    for (const char16_t digit : text) {
        if (digit < u'0' || digit > u'9') return std::nullopt;
        value = value * 10 + (digit - u'0');
    }
    if (value < 1 || value > limit) return std::nullopt;
    return value;
}

// "WxHxB" after "render=image:"; false when it is not a picture the test picture can be.
bool readImageSize(TestScript& script, std::u16string_view size) {
    const std::size_t firstX = size.find(u'x');
    const std::size_t secondX = firstX == std::u16string_view::npos ? firstX : size.find(u'x', firstX + 1);
    if (secondX == std::u16string_view::npos) return false;
    const auto width = positiveNumber(size.substr(0, firstX), pelmora::test::testPictureMaxSide);
    const auto height =
        positiveNumber(size.substr(firstX + 1, secondX - firstX - 1), pelmora::test::testPictureMaxSide);
    const auto bitCount = positiveNumber(size.substr(secondX + 1), 32);
    if (!width || !height || !bitCount || (*bitCount != 16 && *bitCount != 24 && *bitCount != 32))
        return false;
    script.render = TestScript::Render::returnImage;
    script.renderWidth = *width;
    script.renderHeight = *height;
    script.renderBitCount = *bitCount;
    return true;
}

// The render directives; false for a directive that is not one of them, or a malformed one.
bool applyRenderDirective(TestScript& script, std::u16string_view directive) {
    const std::u16string_view imagePrefix = u"render=image:";
    const std::u16string_view waitPrefix = u"render-wait=";
    if (directive == u"render=null") {
        script.render = TestScript::Render::returnNull;
    } else if (directive == u"render=empty") {
        script.render = TestScript::Render::returnEmpty;
    } else if (directive == u"render=throw") {
        script.render = TestScript::Render::throwException;
    } else if (startsWith(directive, imagePrefix)) {
        return readImageSize(script, directive.substr(imagePrefix.size()));
    } else if (startsWith(directive, waitPrefix) && directive.size() > waitPrefix.size()) {
        script.renderWaitEvent = wideFromUtf16(directive.substr(waitPrefix.size()));
    } else {
        return false;
    }
    return true;
}

void applyDirective(TestScript& script, std::u16string_view directive) {
    const std::u16string_view waitPrefix = u"main=wait:";
    const std::u16string_view createWaitPrefix = u"create-wait=";
    const std::u16string_view destroyWaitPrefix = u"destroy-wait=";
    if (startsWith(directive, createWaitPrefix) && directive.size() > createWaitPrefix.size()) {
        script.createWaitEvent = wideFromUtf16(directive.substr(createWaitPrefix.size()));
    } else if (startsWith(directive, destroyWaitPrefix) && directive.size() > destroyWaitPrefix.size()) {
        script.destroyWaitEvent = wideFromUtf16(directive.substr(destroyWaitPrefix.size()));
    } else if (directive == u"create=fail") {
        script.creation = TestScript::Creation::fail;
    } else if (directive == u"create=pending") {
        script.creation = TestScript::Creation::pending;
    } else if (directive == u"attach=fail") {
        script.attachFails = true;
    } else if (directive == u"attach-daemon=fail") {
        script.daemonAttachFails = true;
    } else if (directive == u"main=return") {
        script.mainMethod = TestScript::MainMethod::returnAtOnce;
    } else if (directive == u"main=throw") {
        script.mainMethod = TestScript::MainMethod::throwException;
    } else if (startsWith(directive, waitPrefix)) {
        script.mainMethod = TestScript::MainMethod::waitForWord;
        script.mainWaitWord = std::u16string(directive.substr(waitPrefix.size()));
    } else if (directive == u"commands=return") {
        script.commandsMethod = TestScript::CommandsMethod::returnAtOnce;
    } else if (directive == u"commands=throw") {
        script.commandsMethod = TestScript::CommandsMethod::throwException;
    } else if (!applyRenderDirective(script, directive)) {
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
