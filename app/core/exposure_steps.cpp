#include "core/exposure_steps.h"

#include <algorithm>

#include <charconv>

int BuildExposureTable(ExposureTable& table) {
    table.fill(0.0f);
    int i = 0;
    table[static_cast<std::size_t>(i++)] = 1.0f;
    auto run = [&](int from, int to, int step) {
        for (int v = from; v <= to; v += step) table[static_cast<std::size_t>(i++)] = static_cast<float>(v);
    };
    run(10, 200, 10);
    run(230, 500, 30);
    run(550, 2000, 50);
    run(2100, 15000, 100);
    table[static_cast<std::size_t>(i++)] = 15000.0f;
    table[static_cast<std::size_t>(i++)] = 0.0f;
    return i;
}

int FindExposureStep(const ExposureTable& table, int count, int value) {
    if (count <= 0) return 0;
    // The last step (count - 2, the second 15000) takes every larger value;
    // walking on would pass the closing 0 and leave the scroll range.
    const int last = std::max(0, count - 2);
    for (int i = 0; i < last; ++i) {
        const float lo = table[static_cast<std::size_t>(i)];
        const float half = (table[static_cast<std::size_t>(i + 1)] - lo) * 0.5f;
        if (lo + half >= static_cast<float>(value)) return i;
    }
    return last;
}

std::u16string ExposureText(const ExposureTable& table, int position, const std::u16string& microUnit,
                            const std::u16string& milliUnit) {
    if (position > 191) position = 191;
    if (position < 0) position = 0;
    const double value = table[static_cast<std::size_t>(position)];
    char digits[64];
    const bool milli = value >= 1000.0;
    // Locale-free digits: the program's locale may use a decimal comma.
    const auto end = std::to_chars(digits, digits + sizeof digits, milli ? value / 1000.0 : value,
                                   std::chars_format::fixed, 2).ptr;
    std::u16string out(digits, end);
    return out + u" " + (milli ? milliUnit : microUnit);
}
