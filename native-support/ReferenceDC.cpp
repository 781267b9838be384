// The reference DC of the default printer, named by the profile's "device" entry.
#include "pelmora_platf_windows_NativeGraphics.h"

#include <windows.h>

#include <algorithm>
#include <optional>
#include <string_view>

#include "JniHandles.h"
#include "PrinterDeviceText.h"

namespace {

constexpr DWORD deviceTextSize = 120;

// A token as the NUL-terminated text CreateDCA needs; it is never longer than the entry it came from.
class TokenText {
  public:
    explicit TokenText(const std::optional<std::string_view>& token) : present_(token.has_value()) {
        if (!present_) return;
        const auto length = std::min<std::size_t>(token->size(), deviceTextSize - 1);
        std::copy_n(token->data(), length, text_);
        text_[length] = '\0';
    }
    const char* get() const { return present_ ? text_ : nullptr; }

  private:
    bool present_;
    char text_[deviceTextSize]{};
};

}  // namespace

JNIEXPORT jlong JNICALL Java_pelmora_platf_windows_NativeGraphics_createRefDC(JNIEnv*, jclass) {
    char entry[deviceTextSize]{};
    GetProfileStringA("windows", "device", ",,,", entry, deviceTextSize);
    const auto printer = pelmora::parseDeviceText(entry);
    if (!printer) return 0;
    const TokenText device(printer->device), driver(printer->driver), port(printer->port);
    return pelmora::toJava(CreateDCA(driver.get(), device.get(), port.get(), nullptr));
}

JNIEXPORT jint JNICALL Java_pelmora_platf_windows_NativeGraphics_deleteRefDC(JNIEnv*, jclass, jlong dc) {
    return DeleteDC(pelmora::handleFrom<HDC>(dc));
}
