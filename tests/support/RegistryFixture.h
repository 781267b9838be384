// Registry entries a test writes and removes again at its end, whatever happens.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace pelmora::test {

class RegistryFixture {
  public:
    RegistryFixture() = default;
    RegistryFixture(const RegistryFixture&) = delete;
    RegistryFixture& operator=(const RegistryFixture&) = delete;
    // Deletes every key tree this fixture was told to own.
    ~RegistryFixture();

    // Deletes root\key with everything below it now and again at the end.
    void own(HKEY root, const std::wstring& key);
    // Writes a string value (an empty name stands for the key's default value), creating the key.
    void setString(HKEY root, const std::wstring& key, const std::wstring& name, const std::wstring& value);

  private:
    std::vector<std::pair<HKEY, std::wstring>> owned_;
};

// The string value, or nothing when the key or value is missing.
bool readString(HKEY root, const std::wstring& key, const std::wstring& name, std::wstring& value);
bool keyExists(HKEY root, const std::wstring& key);

}  // namespace pelmora::test
