// The default printer as the profile's "device" entry names it, any bytes: "printer name,driver,port".
// The parts lie inside the text in order; the name is not empty and holds no comma; driver and port are not
// empty and hold neither comma nor blank; there is a name whenever the text holds anything but commas.
#include "FuzzInput.h"
#include "PrinterDeviceText.h"

#include <string_view>

namespace {

using pelmora::fuzz::check;

// The end of the part, which must start at or after from and lie inside the text.
std::size_t checkPart(std::string_view text, std::string_view part, std::size_t from,
                      std::string_view excluded) {
    check(part.data() >= text.data() + from && part.data() + part.size() <= text.data() + text.size(),
          "the part lies in the text, after the one before it");
    check(!part.empty() && part.find_first_of(excluded) == std::string_view::npos,
          "a part holds no separator");
    return static_cast<std::size_t>(part.data() - text.data()) + part.size();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const auto device = pelmora::parseDeviceText(text);
    check(device.has_value() == (text.find_first_not_of(',') != std::string_view::npos),
          "a printer name whenever the text holds more than commas");
    if (!device) return 0;
    std::size_t end = checkPart(text, device->device, 0, ",");
    if (device->driver) end = checkPart(text, *device->driver, end, ", ");
    if (device->port) {
        check(device->driver.has_value(), "no port without a driver");
        checkPart(text, *device->port, end, ", ");
    }
    return 0;
}
