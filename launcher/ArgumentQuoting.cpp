#include "ArgumentQuoting.h"

namespace pelmora {

std::wstring quoteArgument(const std::wstring& s) {
    std::wstring text;
    std::size_t backslashesInRow = 0;
    for (wchar_t c : s) {
        if (c == L'"') {
            text.append(backslashesInRow, L'\\');
            text.push_back(L'\\');
        }
        text.push_back(c);
        backslashesInRow = (c == L'\\') ? backslashesInRow + 1 : 0;
    }
    text.append(backslashesInRow, L'\\');
    return L"\"" + text + L"\"";
}

}  // namespace pelmora
