// Copies a converted text into a caller's buffer of fixed capacity.
#pragma once

#include <algorithm>
#include <cstddef>

// Writes text and a NUL into out; returns the text's length, or -1 when it
// does not fit (out then holds the empty text, when it has room for that).
template <class Char, class Text>
int CopyWithNul(Char* out, std::size_t capacity, const Text& text) {
    if (out == nullptr || capacity == 0) return -1;
    if (text.size() >= capacity) {
        out[0] = Char{};
        return -1;
    }
    std::copy(text.begin(), text.end(), out);
    out[text.size()] = Char{};
    return static_cast<int>(text.size());
}
