// Reading list items into the library's fixed records: texts are cut to
// their field, and a list too short for a record is refused instead of read
// past its end.
#pragma once

#include <array>
#include <cstring>
#include <string>

#include "dravik/parameter_list.h"

namespace dravik {

template <std::size_t N>
using TextField = std::array<char, N>;

// Copies the text with its terminating zero, cut to N - 1 bytes.
template <std::size_t N>
void copyText(TextField<N>& field, const std::string& text) {
    const std::size_t n = std::min(text.size(), N - 1);
    std::memcpy(field.data(), text.data(), n);
    field[n] = '\0';
}

template <std::size_t N>
std::string textOf(const TextField<N>& field) {
    return std::string(field.data(), strnlen(field.data(), N));
}

inline bool hasItems(const ParameterList& list, std::size_t lastIndex) {
    return lastIndex < list.size();
}

}  // namespace dravik
