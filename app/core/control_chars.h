#pragma once
// Checks and the escaped form of texts that a user types for the sensor
// (output strings, names): control characters become "\x" and two
// hexadecimal digits, so that they can be shown and edited.
#include <string>
#include <string_view>

// A character below 32 and "~" (126) as "\x0" and one digit below 16, "\x"
// and two digits otherwise; every other character as it is.
std::u16string EscapeControlChars(std::u16string_view text);
// True when a character is outside 31..126 (31 passes, 127 and above do not).
bool HasNonAsciiChars(std::u16string_view text);
// True when a character is a control character (0..31, 127..159).
bool HasControlChars(std::u16string_view text);
