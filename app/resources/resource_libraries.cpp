#include "resources/resource_libraries.h"

#include <QDir>
#include <QFileInfo>
#include <QPixmap>

#include "resources/program_strings.h"
#include "services/prompt.h"

std::optional<vt::StringTable> ResourceLibraries::loadTable(const QString& file) {
  vt::StringTable table;
  if (!table.load(file.toStdString()).ok) return std::nullopt;
  return table;
}

QString ResourceLibraries::lookup(const std::optional<vt::StringTable>& table, int id) {
  if (!table || id < 0) return {};
  const auto text = table->get(static_cast<uint32_t>(id));
  return text ? QString::fromUtf8(text->data(), static_cast<qsizetype>(text->size())) : QString();
}

void ResourceLibraries::LoadResourceLibraries(const QString& libDir) {
  libDir_ = libDir;
  const QDir dir(libDir);
  definitions_ = loadTable(dir.filePath(ProgramStrings::text(ProgramStrings::kDefinitionsName) + "/strings.txt"));
  m_bDefinitionsDllMissing = !definitions_;
  resources_ = loadTable(dir.filePath(ProgramStrings::text(ProgramStrings::kResourcesName) + "/strings.txt"));
  m_bResourcesDllMissing = !resources_;
  // The XML configuration library is only probed: its folder must be there.
  const QString xmlName = definition(501);
  m_bXmlConfigDllMissing = !definitions_ || xmlName.isEmpty() || !QFileInfo(dir.filePath(xmlName)).isDir();
}

QString ResourceLibraries::definition(int id) const { return lookup(definitions_, id); }
QString ResourceLibraries::resource(int id) const { return lookup(resources_, id); }
QString ResourceLibraries::text(int id) const {
  // A text the selected language lacks is the English one.
  if (english_ && language_ && id >= 0 && !language_->get(static_cast<uint32_t>(id))) return lookup(english_, id);
  return lookup(language_, id);
}

QString ResourceLibraries::picturePath(int id) const {
  const QDir dir(QDir(libDir_).filePath(ProgramStrings::text(ProgramStrings::kResourcesName)));
  for (const char* ext : {".svg", ".png"}) {
    const QString path = dir.filePath(QString::number(id) + ext);
    if (QFileInfo::exists(path)) return path;
  }
  return {};
}

QCursor ResourceLibraries::cursor(int id) const {
  const QString path = QDir(QDir(libDir_).filePath(ProgramStrings::text(ProgramStrings::kResourcesName)))
                           .filePath(QStringLiteral("cursor%1.png").arg(id));
  const QPixmap picture(path);
  if (picture.isNull()) return QCursor(id == 2 ? Qt::WaitCursor : Qt::ArrowCursor);
  // The arrow points from its top-left corner; the others act at their centre.
  return id == 1 ? QCursor(picture, 1, 1) : QCursor(picture, 12, 12);
}

QString ResourceLibraries::languageFolder(int id) const {
  return QDir(libDir_).filePath(definition(101) + QStringLiteral("%1").arg(id, 2, 16, QLatin1Char('0')));
}

bool ResourceLibraries::tryLanguage(int id) {
  auto table = loadTable(QDir(languageFolder(id)).filePath("strings.txt"));
  if (!table) return false;
  language_ = std::move(table);
  languageId_ = id;
  english_ = id == kEnglish ? std::nullopt : loadTable(QDir(languageFolder(kEnglish)).filePath("strings.txt"));
  if (defineLocale) defineLocale(languageFolder(id));
  return true;
}

int ResourceLibraries::LoadLanguageLibrary(int id, bool fallbackAllowed, const CLanguage& languages, Prompt& prompt,
                                           QWidget* owner) {
  const QString caption = ProgramStrings::text(ProgramStrings::kStartupCaption);
  if (languages.IsLanguageAvailable(id) && tryLanguage(id)) return id;
  if (!fallbackAllowed) return -1;
  if (languages.IsLanguageAvailable(9) && tryLanguage(9)) {
    prompt.message(owner, ProgramStrings::text(ProgramStrings::kLanguageFallbackEnglish), caption,
                   QMessageBox::Warning);
    return 9;
  }
  for (int other = 1; other <= 255; ++other) {
    if (!languages.IsLanguageAvailable(other) || !tryLanguage(other)) continue;
    prompt.message(owner, ProgramStrings::text(ProgramStrings::kLanguageFallbackOther) + QString::number(other, 16),
                   caption, QMessageBox::Warning);
    return other;
  }
  prompt.message(owner, ProgramStrings::text(ProgramStrings::kNoLanguage), caption, QMessageBox::Critical);
  return kNoLanguageLoaded;
}
