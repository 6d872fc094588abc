#include "resources/language.h"

#include <QDir>
#include <QLocale>

namespace {

// Windows primary language ids and the languages they stand for.
struct LanguageRow {
  int id;
  QLocale::Language language;
};
constexpr LanguageRow kLanguages[] = {
    {0x01, QLocale::Arabic},     {0x02, QLocale::Bulgarian},  {0x03, QLocale::Catalan},
    {0x04, QLocale::Chinese},    {0x05, QLocale::Czech},      {0x06, QLocale::Danish},
    {0x07, QLocale::German},     {0x08, QLocale::Greek},      {0x09, QLocale::English},
    {0x0a, QLocale::Spanish},    {0x0b, QLocale::Finnish},    {0x0c, QLocale::French},
    {0x0d, QLocale::Hebrew},     {0x0e, QLocale::Hungarian},  {0x0f, QLocale::Icelandic},
    {0x10, QLocale::Italian},    {0x11, QLocale::Japanese},   {0x12, QLocale::Korean},
    {0x13, QLocale::Dutch},      {0x14, QLocale::NorwegianBokmal}, {0x15, QLocale::Polish},
    {0x16, QLocale::Portuguese}, {0x18, QLocale::Romanian},   {0x19, QLocale::Russian},
    {0x1a, QLocale::Croatian},   {0x1b, QLocale::Slovak},     {0x1c, QLocale::Albanian},
    {0x1d, QLocale::Swedish},    {0x1e, QLocale::Thai},       {0x1f, QLocale::Turkish},
    {0x21, QLocale::Indonesian}, {0x22, QLocale::Ukrainian},  {0x23, QLocale::Belarusian},
    {0x24, QLocale::Slovenian},  {0x25, QLocale::Estonian},   {0x26, QLocale::Latvian},
    {0x27, QLocale::Lithuanian}, {0x2a, QLocale::Vietnamese}, {0x36, QLocale::Afrikaans},
};

// The id in a name "<base><xx>"; 0 when the name does not have that shape.
int idOfName(const QString& name, const QString& base) {
  if (!name.startsWith(base) || name.size() != base.size() + 2) return 0;
  bool ok = false;
  const int id = name.mid(base.size(), 2).toInt(&ok, 16);
  return ok && id >= 1 && id <= 255 ? id : 0;
}

bool validId(int id) { return id >= 1 && id <= 255; }

}  // namespace

QString NativeLanguageName(int primaryLanguageId) {
  for (const auto& row : kLanguages) {
    if (row.id != primaryLanguageId) continue;
    const QLocale locale(row.language);
    // Qt names English by its default territory ("American English").
    QString name = row.language == QLocale::English ? QStringLiteral("English") : locale.nativeLanguageName();
    if (!name.isEmpty()) name = locale.toUpper(name.left(1)) + name.mid(1);
    return name;
  }
  return {};
}

int CLanguage::scan(const QString& libDir, const QString& baseName, std::array<Entry, 256>& table, int noMatch) {
  const QDir dir(libDir);
  if (libDir.isEmpty() || !dir.exists() || !dir.isReadable()) return -10002;
  const QStringList names = dir.entryList({baseName + QStringLiteral("*")}, QDir::Dirs | QDir::NoDotAndDotDot);
  for (const QString& name : names) {
    const int id = idOfName(name, baseName);
    if (id != 0) table[id].available = true;
  }
  return names.isEmpty() ? noMatch : 0;
}

int CLanguage::ScanLanguageDlls(const QString& libDir, const QString& baseName) {
  return scan(libDir, baseName, modules_, -10010);
}

int CLanguage::ScanHelpFiles(const QString& libDir, const QString& baseName) {
  return scan(libDir, baseName, help_, -14011);
}

bool CLanguage::IsLanguageAvailable(int id) const { return validId(id) && modules_[id].available; }
bool CLanguage::IsHelpAvailable(int id) const { return validId(id) && help_[id].available; }

void CLanguage::markAvailable(int id) {
  if (validId(id)) modules_[id].available = true;
}

int CLanguage::SelectLanguage(int id, const std::function<QString(int)>& languageText) {
  if (!validId(id)) return -10012;
  for (auto& e : modules_) e.selected = false;
  modules_[id].selected = true;
  // 255 gets no name: it is no language of its own.
  for (int i = 1; i <= 254; ++i) {
    if (!modules_[i].available) continue;
    const QString uiName = languageText ? languageText(i) : QString();
    modules_[i].displayName = QStringLiteral("%1 ( %2 )").arg(NativeLanguageName(i), uiName);
    help_[i].displayName = uiName;
  }
  return 0;
}

int CLanguage::SelectHelpLanguage(int id) {
  if (!validId(id)) return -10012;
  for (auto& e : help_) e.selected = false;
  help_[id].selected = true;
  return 0;
}

int CLanguage::GetSelectedLanguage() const {
  for (int i = 1; i <= 255; ++i)
    if (modules_[i].selected) return i;
  return 0;
}

int CLanguage::GetSelectedHelpLanguage() const {
  for (int i = 1; i <= 255; ++i)
    if (help_[i].selected) return i;
  return 0;
}

QString CLanguage::GetDisplayName(int id) const { return validId(id) ? modules_[id].displayName : QString(); }
