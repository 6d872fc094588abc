#pragma once
// The resource files the program reads at run time from Lib/: the common
// definitions (Zentrafel), the common resources (Lindaro) and the selected
// language's string table. A text the language lacks is the English one;
// texts missing there too read as empty.
#include <QCursor>
#include <QString>
#include <functional>
#include <optional>

#include "platform/string_table.h"
#include "resources/language.h"

class Prompt;
class QWidget;

class ResourceLibraries {
public:
  // LoadLanguageLibrary's result when no language loads: end the program.
  static constexpr int kNoLanguageLoaded = -2;

  // Loads Zentrafel and Lindaro from the Lib folder and probes the XML
  // configuration library that Zentrafel names (string 501).
  void LoadResourceLibraries(const QString& libDir);

  bool m_bDefinitionsDllMissing = false;
  bool m_bResourcesDllMissing = false;
  bool m_bXmlConfigDllMissing = false;

  const QString& libDir() const { return libDir_; }
  QString definition(int id) const;  // Zentrafel
  QString resource(int id) const;    // Lindaro
  QString text(int id) const;        // the selected language
  // The picture file of a Lindaro bitmap, cursor or icon (<id>.svg or <id>.png); empty when missing.
  QString picturePath(int id) const;
  // Cursor 1 arrow, 2 wait, 3 zoom in, 4 zoom out (Lindaro/cursor<id>.png);
  // the system's arrow or wait cursor when the file is missing.
  QCursor cursor(int id) const;

  // Loads the language of the id; with fallback English with message 120,
  // else the first language that loads with message 121 and its id, else
  // message 122 and kNoLanguageLoaded. Without fallback -1 when the id does
  // not load (the previous language stays). Returns the id loaded.
  int LoadLanguageLibrary(int id, bool fallbackAllowed, const CLanguage& languages, Prompt& prompt,
                          QWidget* owner);
  int languageId() const { return languageId_; }
  QString languageFolder(int id) const;  // Lib/<base><xx>

  // Told the folder of every language that loads (DefineDravikLocale).
  std::function<void(const QString& folder)> defineLocale;

private:
  static std::optional<vt::StringTable> loadTable(const QString& file);
  bool tryLanguage(int id);
  static QString lookup(const std::optional<vt::StringTable>& table, int id);

  QString libDir_;
  std::optional<vt::StringTable> definitions_;
  std::optional<vt::StringTable> resources_;
  std::optional<vt::StringTable> language_;
  std::optional<vt::StringTable> english_;  // the fallback of another language
  int languageId_ = 0;
  static constexpr int kEnglish = 9;
};
