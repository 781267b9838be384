// The thumbnail server's order of Java version names (registry subkey names, so any text) and its choice of
// the newest. Input: names as UTF-16 code units separated by zero units.
//
// For any names the comparison is irreflexive and antisymmetric, the choice is one of the names, no name
// after it is newer, and it depends on nothing but the names and their order. The comparison is not
// transitive on every name: a component of digits above 2,147,483,647, or one of digits beside one of other
// characters ("5x" < "9" < "10" < "5x"), is compared as text. On names whose components are all numbers
// below that limit it is a strict weak order, checked on the names made of the input's digits and
// separators, and there the choice is the same newest whatever the order of the names.
#include "FuzzInput.h"
#include "JavaHomeSearch.h"
#include "JavaVersionOrder.h"

#include <algorithm>
#include <string>
#include <vector>

namespace pelmora::thumbsrv {
namespace {

using fuzz::check;

int sign(int value) {
    return (value > 0) - (value < 0);
}

void checkPairs(const std::vector<std::wstring>& names) {
    for (const auto& a : names) {
        check(compareJavaVersions(a, a) == 0, "a name equals itself");
        for (const auto& b : names) {
            check(sign(compareJavaVersions(a, b)) == -sign(compareJavaVersions(b, a)), "antisymmetric");
        }
    }
}

// Strict weak order: less is transitive, and so is equivalence.
void checkTriples(const std::vector<std::wstring>& names) {
    const std::size_t n = names.size();
    std::vector<int> order(n * n);
    for (std::size_t a = 0; a < n; ++a) {
        for (std::size_t b = 0; b < n; ++b) order[a * n + b] = compareJavaVersions(names[a], names[b]);
    }
    for (std::size_t a = 0; a < n; ++a) {
        for (std::size_t b = 0; b < n; ++b) {
            const int ab = order[a * n + b];
            for (std::size_t c = 0; c < n; ++c) {
                const int bc = order[b * n + c];
                const int ac = order[a * n + c];
                if (ab < 0 && bc < 0) check(ac < 0, "less is transitive");
                if (ab == 0 && bc == 0) check(ac == 0, "equivalence is transitive");
                if (ab == 0 && bc < 0) check(ac < 0, "equal names sort alike");
            }
        }
    }
}

// The checks of any choice: one of the names, no later name newer, the same on a fresh copy.
std::wstring checkChoice(const std::vector<std::wstring>& names) {
    const auto newest = pickNewestJavaVersion(names);
    check(newest.has_value() == !names.empty(), "a choice exactly when there are names");
    if (!newest) return {};
    // The last name of that text: the chosen one may have copies before it, which an order that is not
    // transitive may have let a newer name replace.
    const auto last = std::find(names.rbegin(), names.rend(), *newest);
    check(last != names.rend(), "the choice is one of the names");
    for (auto later = last.base(); later != names.end(); ++later) {
        check(compareJavaVersions(*later, *newest) <= 0, "no later name is newer");
    }
    const std::vector<std::wstring> copy(names.begin(), names.end());
    check(pickNewestJavaVersion(copy) == newest, "the choice depends on the names only");
    return *newest;
}

// The names with every character but digits and separators removed and each run of digits cut to nine:
// names of numbers below 2^31 only.
std::vector<std::wstring> numericNames(const std::vector<std::wstring>& names) {
    std::vector<std::wstring> numeric;
    for (const auto& name : names) {
        std::wstring kept;
        std::size_t digitsInRow = 0;
        for (const wchar_t c : name) {
            const bool digit = c >= L'0' && c <= L'9';
            if (!digit && c != L'.' && c != L'-' && c != L'_') continue;
            digitsInRow = digit ? digitsInRow + 1 : 0;
            if (digitsInRow <= 9) kept.push_back(c);
        }
        numeric.push_back(kept);
    }
    return numeric;
}

// The server's search takes the newest subkey of a key, never an older one.
void checkSearch(const std::vector<std::wstring>& names, const std::wstring& newest) {
    struct OneKey : JavaInstallView {
        const std::vector<std::wstring>* names;
        bool fileExists(const std::wstring&) const override { return false; }
        std::optional<std::vector<std::wstring>> subkeyNames(RegistryRoot root,
                                                             const std::wstring& key) const override {
            if (root != RegistryRoot::currentUser || key != L"Software\\JavaSoft\\JRE") return std::nullopt;
            return *names;
        }
        std::optional<JavaRegistration> readJavaValues(RegistryRoot, const std::wstring&,
                                                       const std::wstring& subkey) const override {
            return JavaRegistration{L"home " + subkey, L"lib " + subkey};
        }
    } view;
    view.names = &names;
    const auto found = findJavaHome(L"C:\\Server", view);
    check(found.has_value() == !names.empty(), "a registered runtime is found");
    if (found) check(found->javaHome == L"home " + newest, "the newest subkey's runtime");
}

}  // namespace
}  // namespace pelmora::thumbsrv

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace pelmora::thumbsrv;
    pelmora::fuzz::FuzzInput input(data, size);
    std::vector<std::wstring> names = input.wideTexts();
    // Cubic checks: a dozen names are plenty to find any pair or triple.
    if (names.size() > 12) names.resize(12);

    checkPairs(names);
    checkSearch(names, checkChoice(names));

    const std::vector<std::wstring> numeric = numericNames(names);
    checkTriples(numeric);
    const std::wstring newest = checkChoice(numeric);
    std::vector<std::wstring> reversed(numeric.rbegin(), numeric.rend());
    if (!reversed.empty()) {
        check(compareJavaVersions(*pickNewestJavaVersion(reversed), newest) == 0,
              "numeric names: the same newest in any order");
    }
    return 0;
}
