// The default printer as the profile's "device" entry names it: "printer name,driver,port".
#pragma once

#include <optional>
#include <string_view>

namespace pelmora {

struct PrinterDevice {
    std::string_view device;
    std::optional<std::string_view> driver;
    std::optional<std::string_view> port;
};

// Splits the entry the way the profile functions' users always have: a token ends at a separator and runs
// of separators are skipped. The printer name ends only at a comma (it may contain blanks); driver and port
// end at a comma or a blank. Nothing when there is no printer name. The views point into text.
std::optional<PrinterDevice> parseDeviceText(std::string_view text);

}  // namespace pelmora
