#pragma once
// The exposure-time steps of the image-quality page: the table, the step of
// a value and its text. The configuration information reuses them.
#include <array>
#include <string>

inline constexpr int kExposureSteps = 193;
using ExposureTable = std::array<float, 512>;

// Entries 0..192 built (1; 10..200 by 10; 230..500 by 30; 550..2000 by 50;
// 2100..15000 by 100; 15000; 0), the rest 0. Returns the count, 193.
int BuildExposureTable(ExposureTable& table);
// The first step whose upper half-way point reaches the value (a midpoint
// goes to the lower step); values above 15000 give 191, the last step.
int FindExposureStep(const ExposureTable& table, int count, int value);
// "%4.2f <unit>" of the step (positions above 191 as 191): below 1000 with
// the microsecond unit, from 1000 on the value / 1000 with the millisecond unit.
std::u16string ExposureText(const ExposureTable& table, int position, const std::u16string& microUnit,
                            const std::u16string& milliUnit);
