// Records of one reading, filled from the sensor's result lists.
// Fields stand in the order of the list positions; the meaning of each is
// the sensor's and the result views', the converters only copy them. A
// field's name carries the position of its (first) item.
#pragma once

#include <array>
#include <cstdint>

#include "text/fixed_text.h"

// General result of one reading (39 items).
struct ReadResultRecord {
    std::array<int32_t, 4> ints0{};  // ints0[2] is the CodeType of the reading
    Text256 text4;
    std::array<int32_t, 3> ints5{};
    Text256 text8;  // the process-interface test output shows it
    int32_t int9 = 0;
    Text256 text10;
    std::array<int32_t, 18> ints11{};
    std::array<Text256, 10> texts29;
};

// Result of one decoded code, one form per family; all begin with three texts.
struct Ecc200ResultRecord {  // 11 items
    std::array<Text256, 3> texts0;
    std::array<int32_t, 2> ints3{};
    std::array<double, 3> doubles5{};
    std::array<int32_t, 3> ints8{};
};

struct Pdf417ResultRecord {  // 12 items
    std::array<Text256, 3> texts0;
    std::array<int32_t, 2> ints3{};
    std::array<double, 3> doubles5{};
    std::array<int32_t, 4> ints8{};
};

struct QrCodeResultRecord {  // 15 items
    std::array<Text256, 3> texts0;
    std::array<int32_t, 4> ints3{};
    std::array<double, 2> doubles7{};
    std::array<int32_t, 5> ints9{};
    Text256 text14;
};

struct AztecResultRecord {  // 13 items
    std::array<Text256, 3> texts0;
    std::array<int32_t, 3> ints3{};
    std::array<double, 3> doubles6{};
    std::array<int32_t, 4> ints9{};
};
