#include "resources/program_strings.h"

namespace {

// The XML value words of the code settings (301..323) and the grade letters
// of the quality values (331..335). Each word is exactly what the sensor
// sends and takes.
QString ValueWord(int id) {
  static constexpr const char* kWords[] = {
      "dark_on_light", "light_on_dark", "any", "fixed", "variable",  // 301..305
      "no", "yes", "any", "fixed", "variable",                        // 306..310
      "yes", "no", "any", "fixed", "variable",                        // 311..315
      "no", "small", "big", "any", "fixed",                           // 316..320
      "variable", "yes", "no",                                        // 321..323
  };
  static constexpr const char* kGrades[] = {"A", "B", "C", "D", "F"};  // 331..335
  if (id >= 301 && id <= 323) return QString::fromLatin1(kWords[id - 301]);
  if (id >= 331 && id <= 335) return QString::fromLatin1(kGrades[id - 331]);
  return {};
}

}  // namespace

QString ProgramStrings::text(int id) {
  switch (id) {
    case kDefinitionsName: return QStringLiteral("Zentrafel");
    case kResourcesName: return QStringLiteral("Lindaro");
    case kStartupCaption: return QStringLiteral("Varnis ZV");
    case kDefinitionsMissing:
      return QStringLiteral("Common definition DLL is not available or corrupted. The application could not be started !");
    case kResourcesMissing:
      return QStringLiteral("Common resource DLL is not available or corrupted. The application could not be started !");
    case kXmlConfigMissing:
      return QStringLiteral("XML configuration DLL is not avaliable or corrupted. The application could not be started !");
    case kLanguageFallbackEnglish:
      return QStringLiteral("The adjusted language is not available or its resource file may be corrupted. "
                            "Using the default language ENGLISH !");
    case kLanguageFallbackOther:
      return QStringLiteral("Neither the adjusted language nor the default languages are available or its resource "
                            "library files may be corrupted, using the available language !\n");
    case kNoLanguage:
      return QStringLiteral("No language DLLs are available or all existing library files are corrupted. "
                            "The application could not be started !");
    default: return ValueWord(id);
  }
}
