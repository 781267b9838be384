// The hand-off of a later start's arguments to the running instance: any argument vector and start folder,
// rewritten, quoted into the forwarding line and split again by CommandLineToArgvW's rules, as the running
// instance splits it, comes back exactly. Input: the start folder, then the arguments, as UTF-16 texts
// separated by zero units (arguments never hold a zero unit: they come from a split command line).
// Each argument quoted on its own after a program name comes back alone, too.
#include "ArgumentQuoting.h"
#include "CommandLineRules.h"
#include "FuzzInput.h"
#include "LaunchSettings.h"

#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace pelmora;
    using fuzz::check;
    fuzz::FuzzInput input(data, size);
    const std::wstring callerDir = input.wideText();
    std::vector<std::wstring> args = input.wideTexts();
    args.insert(args.begin(), L"C:\\Program Files\\Pelmora\\Pelmora64.exe");

    const std::vector<std::wstring> rewritten = rewriteArguments(args, callerDir);
    check(rewritten.size() == args.size() + 4, "four markers added");
    const std::wstring line = composeForwardingLine(rewritten);
    const std::vector<std::wstring> received = test::splitByCommandLineRules(line);
    check(received == std::vector<std::wstring>(rewritten.begin() + 1, rewritten.end()),
          "the running instance receives every element after the program");

    for (std::size_t i = 1; i < args.size(); ++i) {
        const std::vector<std::wstring> alone = test::splitByCommandLineRules(L"p " + quoteArgument(args[i]));
        check(alone.size() == 2 && alone[1] == args[i], "one quoted argument comes back alone");
    }
    return 0;
}
