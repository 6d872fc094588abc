#include "expression_size.h"

#include <algorithm>
#include <vector>

namespace vt::sim {

namespace {

// Index just past a bracket expression that opens at i ("[]a]", "[^]a]" and
// "[[:digit:]]" included); the end of the text when it never closes.
std::size_t bracketEnd(std::string_view e, std::size_t i) {
    std::size_t p = i + 1;
    if (p < e.size() && e[p] == '^') ++p;
    if (p < e.size() && e[p] == ']') ++p;
    while (p < e.size() && e[p] != ']') {
        if (e[p] == '[' && p + 1 < e.size() && (e[p + 1] == ':' || e[p + 1] == '.' || e[p + 1] == '=')) {
            const char closing[2] = {e[p + 1], ']'};
            const std::size_t close = e.find(std::string_view(closing, 2), p + 2);
            p = close == std::string_view::npos ? e.size() : close + 2;
        } else {
            ++p;
        }
    }
    return std::min(p + 1, e.size());
}

// The larger count of "{m}", "{m,}" or "{m,n}" at i, and the index past it;
// false when it is no count.
bool repetition(std::string_view e, std::size_t i, std::size_t& count, std::size_t& end) {
    std::size_t p = i + 1;
    std::size_t numbers[2] = {0, 0};
    int n = 0;
    bool digits = false;
    for (; p < e.size() && e[p] != '}'; ++p) {
        if (e[p] >= '0' && e[p] <= '9') {
            numbers[n] =
                std::min<std::size_t>(numbers[n] * 10 + static_cast<std::size_t>(e[p] - '0'), 1u << 20);
            digits = true;
        } else if (e[p] == ',' && n == 0) {
            n = 1;
        } else {
            return false;
        }
    }
    if (p == e.size() || !digits) return false;
    // "{m,}" is compiled as m copies and one more, repeated.
    count = std::max(numbers[0] + (n == 1 && numbers[1] == 0 ? 1 : 0), numbers[1]);
    end = p + 1;
    return true;
}

std::size_t times(std::size_t a, std::size_t b, std::size_t cap) {
    if (a != 0 && b > cap / a) return cap;
    return std::min(a * b, cap);
}

}  // namespace

std::size_t expandedAtoms(std::string_view e, std::size_t limit) {
    const std::size_t cap = limit + 1;
    std::vector<std::size_t> groups{0};  // atoms so far in each open group
    std::size_t last = 0;                // atoms of the piece a repetition would repeat
    for (std::size_t i = 0; i < e.size();) {
        const char c = e[i];
        std::size_t count = 0;
        std::size_t end = 0;
        if (c == '(') {
            groups.push_back(0);
            last = 0;
            ++i;
            continue;
        }
        if (c == ')' && groups.size() > 1) {
            last = std::min(groups.back() + 1, cap);
            groups.pop_back();
            groups.back() = std::min(groups.back() + last, cap);
            ++i;
            continue;
        }
        if (c == '{' && repetition(e, i, count, end)) {
            // The piece is there once already; add the other copies.
            groups.back() = std::min(groups.back() + times(last, count > 0 ? count - 1 : 0, cap), cap);
            last = times(last, std::max<std::size_t>(count, 1), cap);
            i = end;
        } else if (c == '*' || c == '+' || c == '?') {
            groups.back() = std::min(groups.back() + last, cap);
            last = times(last, 2, cap);
            ++i;
        } else {
            i = c == '[' ? bracketEnd(e, i) : c == '\\' ? std::min(i + 2, e.size()) : i + 1;
            last = 1;
            groups.back() = std::min(groups.back() + 1, cap);
        }
        if (groups.back() >= cap) return cap;
    }
    std::size_t total = 0;
    for (std::size_t g : groups) total = std::min(total + g, cap);
    return total;
}

}  // namespace vt::sim
