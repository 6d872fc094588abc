#include "gui_test_support.h"

#include <QDirIterator>
#include <QFile>
#include <QColor>
#include <QImage>
#include <QPixmap>
#include <QWidget>

namespace {
void copyTree(const QString& from, const QString& to) {
  QDir().mkpath(to);
  QDirIterator it(from, QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
  while (it.hasNext()) {
    const QString src = it.next();
    const QString dst = to + src.mid(from.size());
    if (it.fileInfo().isDir())
      QDir().mkpath(dst);
    else
      QFile::copy(src, dst);
  }
}
}  // namespace

namespace {
void restore(const char* name, const QByteArray& old) {
  if (old.isEmpty())
    qunsetenv(name);
  else
    qputenv(name, old);
}
}  // namespace

LibCopy::LibCopy() : oldLibDir_(qgetenv("VT_LIB_DIR")), oldConfig_(qgetenv("XDG_CONFIG_HOME")) {
  copyTree(QStringLiteral(VT_BIN_DIR "/Lib"), dir_.path());
  qputenv("VT_LIB_DIR", dir_.path().toLocal8Bit());
  qputenv("XDG_CONFIG_HOME", config_.path().toLocal8Bit());
}

LibCopy::~LibCopy() {
  restore("VT_LIB_DIR", oldLibDir_);
  restore("XDG_CONFIG_HOME", oldConfig_);
}

void LibCopy::copyLanguage(const QString& from, const QString& to) const { copyTree(file(from), file(to)); }

void LibCopy::remove(const QString& relative) const {
  const QString p = file(relative);
  if (QFileInfo(p).isDir())
    QDir(p).removeRecursively();
  else
    QFile::remove(p);
}

vt::StringTable LanguageTable(const char* folder) {
  vt::StringTable t;
  EXPECT_TRUE(t.load(std::string(VT_BIN_DIR "/Lib/") + folder + "/strings.txt").ok);
  return t;
}

vt::StringTable EnglishTable() { return LanguageTable("VarnisLang09"); }

QString WriteFile(const QTemporaryDir& dir, const QString& name, const QByteArray& bytes) {
  const QString path = dir.filePath(name);
  QFile out(path);
  if (!out.open(QIODevice::WriteOnly) || out.write(bytes) != bytes.size()) return {};
  return path;
}

void SaveScreenshot(QWidget& widget, const char* name) {
  const QByteArray dir = qgetenv("VT_SCREENSHOT_DIR");
  if (dir.isEmpty()) return;
  widget.grab().save(QDir(QString::fromLocal8Bit(dir)).filePath(QString(name) + ".png"));
}

std::pair<int, int> RedAndBlackPixels(QWidget& widget) {
  const QImage shot = widget.grab().toImage();
  int red = 0, black = 0;
  for (int y = 0; y < shot.height(); ++y)
    for (int x = 0; x < shot.width(); ++x) {
      const QColor c(shot.pixel(x, y));
      red += c.red() > 180 && c.green() < 90 && c.blue() < 90;
      black += c.red() < 60 && c.green() < 60 && c.blue() < 60;
    }
  return {red, black};
}
