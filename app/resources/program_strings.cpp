#include "resources/program_strings.h"

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
    default: return {};
  }
}
