#pragma once
// CLanguage: which languages and help files are installed (ids 1..255,
// Windows primary language ids), which one is selected, and the names the
// language menu shows.
//
// A language is a folder Lib/<base><xx>/ (base: common definition 101, xx:
// the id as two hex digits), its help a folder Lib/<base><xx>/ with
// index.html (base: common definition 125). A name of another length, or
// whose two digits are not hexadecimal or give 0, is ignored.
#include <QString>
#include <array>
#include <functional>

class CLanguage {
public:
  struct Entry {
    QString displayName;
    bool available = false;
    bool selected = false;
  };

  CLanguage() = default;
  virtual ~CLanguage() = default;

  // 0; -10002 when the Lib folder cannot be read; -10010 when nothing
  // starts with the base name.
  int ScanLanguageDlls(const QString& libDir, const QString& baseName);
  // 0; -10002; -14011 when no help file starts with the base name.
  int ScanHelpFiles(const QString& libDir, const QString& baseName);

  bool IsLanguageAvailable(int id) const;
  bool IsHelpAvailable(int id) const;
  // -10012 for an id outside 1..255; else selects it and rebuilds the display
  // names: "<native name> ( <name in the user-interface language> )", the
  // latter the language text whose id is the language id.
  int SelectLanguage(int id, const std::function<QString(int)>& languageText);
  int SelectHelpLanguage(int id);
  int GetSelectedLanguage() const;
  int GetSelectedHelpLanguage() const;
  QString GetDisplayName(int id) const;
  // Help follows the interface language; -14011 is never returned.
  static int ResolveHelpLanguage(int id, int /*flag*/) { return id; }

  // Marks one id available without a scan (tests of the menu).
  void markAvailable(int id);

private:
  static int scan(const QString& libDir, const QString& baseName, std::array<Entry, 256>& table, int noMatch);
  std::array<Entry, 256> modules_{};
  std::array<Entry, 256> help_{};
};

// The native name of a Windows primary language id with its first letter
// in upper case; empty for an id the table does not know.
QString NativeLanguageName(int primaryLanguageId);
