// A text field of fixed width in a record: at most N - 1 bytes of UTF-8 and
// always a terminating NUL. The width is the limit the sensor accepts; a
// longer text is cut at a UTF-8 boundary, never written past the field.
#pragma once

#include <algorithm>
#include <array>
#include <cstddef>
#include <string_view>

#include "text/text_codecs.h"

template <std::size_t N>
class FixedText {
    static_assert(N > 0, "a field holds at least its NUL");

public:
    static constexpr std::size_t kCapacity = N - 1;  // bytes before the NUL

    FixedText() = default;
    FixedText(std::string_view text) { Assign(text); }  // NOLINT: as convenient as a char array

    // Copies text, cut to the field; returns false when it had to be cut.
    bool Assign(std::string_view text) {
        const std::size_t n = Utf8PrefixLength(text, kCapacity);
        std::copy_n(text.data(), n, bytes_.data());
        bytes_[n] = '\0';
        return n == text.size();
    }

    const char* c_str() const { return bytes_.data(); }
    std::string_view view() const { return std::string_view(bytes_.data()); }
    bool empty() const { return bytes_[0] == '\0'; }

    friend bool operator==(const FixedText& a, const FixedText& b) { return a.view() == b.view(); }
    friend bool operator==(const FixedText& a, std::string_view b) { return a.view() == b; }

private:
    std::array<char, N> bytes_{};
};

// The width of most text fields of the records.
using Text256 = FixedText<256>;
