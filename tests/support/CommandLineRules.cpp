#include "CommandLineRules.h"

namespace pelmora::test {
namespace {

bool isBlank(wchar_t c) {
    return c == L' ' || c == L'\t';
}

// The program name from the start of rest; rest keeps what follows it.
std::wstring takeProgramName(std::wstring_view& rest) {
    std::size_t end = 0;
    if (rest.front() == L'"') {
        end = rest.find(L'"', 1);
        if (end == std::wstring_view::npos) end = rest.size();
        const std::wstring name(rest.substr(1, end - 1));
        rest.remove_prefix(end < rest.size() ? end + 1 : end);
        return name;
    }
    while (end < rest.size() && !isBlank(rest[end])) ++end;
    const std::wstring name(rest.substr(0, end));
    rest.remove_prefix(end);
    return name;
}

// The arguments after the program name, split by the quote and backslash rules.
class ArgumentSplitter {
  public:
    std::vector<std::wstring> split(std::wstring_view text) {
        for (const wchar_t c : text) {
            // Only a quote right after the closing one is a literal quote.
            if (c != L'"' && quoteState_ == justClosed) quoteState_ = outside;
            if (c == L'\\') {
                ++backslashes_;
                continue;
            }
            flushBackslashes(c == L'"');
            if (c == L'"') {
                takeQuote();
            } else if (isBlank(c) && quoteState_ == outside) {
                endToken();
            } else {
                current_.push_back(c);
                inToken_ = true;
            }
        }
        flushBackslashes(false);
        endToken();
        return std::move(tokens_);
    }

  private:
    enum QuoteState { outside, inside, justClosed };

    // Backslashes before a quote are halved, the odd one escaping the quote; elsewhere they stay.
    void flushBackslashes(bool beforeQuote) {
        if (backslashes_ == 0) return;
        inToken_ = true;
        current_.append(beforeQuote ? backslashes_ / 2 : backslashes_, L'\\');
        escapedQuote_ = beforeQuote && backslashes_ % 2 == 1;
        backslashes_ = 0;
    }

    void takeQuote() {
        inToken_ = true;
        if (escapedQuote_) {
            escapedQuote_ = false;
            current_.push_back(L'"');
        } else if (quoteState_ == justClosed) {
            current_.push_back(L'"');
            quoteState_ = outside;
        } else {
            quoteState_ = quoteState_ == outside ? inside : justClosed;
        }
    }

    void endToken() {
        if (inToken_) tokens_.push_back(std::move(current_));
        current_.clear();
        inToken_ = false;
    }

    std::vector<std::wstring> tokens_;
    std::wstring current_;
    std::size_t backslashes_ = 0;
    bool escapedQuote_ = false;
    bool inToken_ = false;
    QuoteState quoteState_ = outside;
};

}  // namespace

std::vector<std::wstring> splitByCommandLineRules(std::wstring_view line) {
    if (line.empty()) return {};
    std::wstring_view rest = line;
    std::vector<std::wstring> tokens{takeProgramName(rest)};
    for (auto& argument : ArgumentSplitter().split(rest)) tokens.push_back(std::move(argument));
    return tokens;
}

}  // namespace pelmora::test
