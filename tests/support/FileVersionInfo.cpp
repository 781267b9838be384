#include "FileVersionInfo.h"

namespace pelmora::test {

FileVersionInfo::FileVersionInfo(const std::wstring& path) {
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeW(path.c_str(), &ignored);
    if (size == 0) return;
    block_.resize(size);
    if (!GetFileVersionInfoW(path.c_str(), 0, size, block_.data())) block_.clear();
}

const VS_FIXEDFILEINFO* FileVersionInfo::fixed() const {
    void* value = nullptr;
    UINT length = 0;
    if (!loaded() || !VerQueryValueW(block_.data(), L"\\", &value, &length) ||
        length < sizeof(VS_FIXEDFILEINFO)) {
        return nullptr;
    }
    return static_cast<const VS_FIXEDFILEINFO*>(value);
}

std::wstring FileVersionInfo::text(const std::wstring& name) const {
    void* value = nullptr;
    UINT length = 0;
    const std::wstring query = L"\\StringFileInfo\\040904e4\\" + name;
    if (!loaded() || !VerQueryValueW(block_.data(), query.c_str(), &value, &length) || length == 0) {
        return L"<missing>";
    }
    return static_cast<const wchar_t*>(value);
}

}  // namespace pelmora::test
