// What a fuzz target makes of libFuzzer's bytes, read from the front: single bytes, and texts of UTF-16
// code units as Windows hands them over, each unit one wchar_t of the same value (so the native build sees
// what a Windows build would). Input that is used up reads as zeros and empty texts.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

namespace pelmora::fuzz {

class FuzzInput {
  public:
    FuzzInput(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}

    bool empty() const { return size_ == 0; }

    std::uint8_t byte() {
        if (size_ == 0) return 0;
        --size_;
        return *data_++;
    }

    // Units up to a zero unit, which is consumed, or to the end; an odd last byte is dropped.
    std::wstring wideText() {
        std::wstring text;
        while (size_ >= 2) {
            const wchar_t unit = nextUnit();
            if (unit == 0) return text;
            text.push_back(unit);
        }
        size_ = 0;
        return text;
    }

    // The rest as texts separated by zero units: "a", zero, "b" gives two texts, "a", zero also two (the
    // second empty), no units none.
    std::vector<std::wstring> wideTexts() {
        std::vector<std::wstring> texts;
        if (size_ < 2) return texts;
        texts.emplace_back();
        while (size_ >= 2) {
            const wchar_t unit = nextUnit();
            if (unit == 0) {
                texts.emplace_back();
            } else {
                texts.back().push_back(unit);
            }
        }
        size_ = 0;
        return texts;
    }

    std::string_view rest() const { return {reinterpret_cast<const char*>(data_), size_}; }

  private:
    wchar_t nextUnit() {
        const auto unit = static_cast<wchar_t>(data_[0] | data_[1] << 8);
        data_ += 2;
        size_ -= 2;
        return unit;
    }

    const std::uint8_t* data_;
    std::size_t size_;
};

// A property of the code under test that does not hold: says which and aborts, which libFuzzer records as a
// crash and saves the input that led to it.
inline void check(bool holds, const char* property) {
    if (holds) return;
    std::fprintf(stderr, "fuzz check failed: %s\n", property);
    std::abort();
}

}  // namespace pelmora::fuzz
