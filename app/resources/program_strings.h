#pragma once
// The program's own strings: what it must say before the resource files
// are there (library names, the start-up caption, start-up failures).
#include <QString>

namespace ProgramStrings {
inline constexpr int kDefinitionsName = 102;   // folder of the common definitions
inline constexpr int kResourcesName = 103;     // folder of the common resources
inline constexpr int kStartupCaption = 104;    // "Varnis ZV"
inline constexpr int kDefinitionsMissing = 111;
inline constexpr int kResourcesMissing = 112;
inline constexpr int kXmlConfigMissing = 113;
inline constexpr int kLanguageFallbackEnglish = 120;
inline constexpr int kLanguageFallbackOther = 121;
inline constexpr int kNoLanguage = 122;

// The text of the id; empty for an id the program does not hold.
QString text(int id);
}  // namespace ProgramStrings
