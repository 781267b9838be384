#include "PrinterDeviceText.h"

namespace pelmora {

namespace {

// Successive tokens of one text; each call may use other separators.
class Tokenizer {
  public:
    explicit Tokenizer(std::string_view text) : rest_(text) {}

    std::optional<std::string_view> next(std::string_view separators) {
        const auto start = rest_.find_first_not_of(separators);
        if (start == std::string_view::npos) {
            rest_ = {};
            return std::nullopt;
        }
        rest_.remove_prefix(start);
        const auto end = rest_.find_first_of(separators);
        const auto token = rest_.substr(0, end);
        // The separator that ended the token is consumed with it.
        rest_.remove_prefix(end == std::string_view::npos ? rest_.size() : end + 1);
        return token;
    }

  private:
    std::string_view rest_;
};

}  // namespace

std::optional<PrinterDevice> parseDeviceText(std::string_view text) {
    Tokenizer tokens(text);
    const auto device = tokens.next(",");
    if (!device) return std::nullopt;
    PrinterDevice result{*device, std::nullopt, std::nullopt};
    result.driver = tokens.next(", ");
    result.port = tokens.next(", ");
    return result;
}

}  // namespace pelmora
