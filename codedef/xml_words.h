#pragma once
// The XML value words of the code settings and the lists that show them: a
// list index maps to its word, a stored word to its index by exact,
// case-sensitive comparison (an unknown word gives index 0).
#include <QString>
#include <array>
#include <string>

// The words of one three-entry list, by the program's own string ids.
using WordIds = std::array<int, 3>;
inline constexpr WordIds kPolarityWords{301, 302, 303};   // dark_on_light, light_on_dark, any
inline constexpr WordIds kMirrorWords{306, 307, 308};     // no, yes, any
inline constexpr WordIds kGapWords{316, 317, 318};        // no, small, big
inline constexpr WordIds kGridWords{319, 320, 321};       // any, fixed, variable
inline constexpr int kYesWord = 311;
inline constexpr int kNoWord = 312;

std::string WordOfIndex(const WordIds& words, int index);
int IndexOfWord(const WordIds& words, const std::string& word);
std::string ProgramWord(int id);

// The three-way gap choice as its XML word: 1 "small", 2 "big", else "no".
std::string ModuleGapWord(int index);
