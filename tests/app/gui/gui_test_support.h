#pragma once
// Shared pieces of the program's widget tests: a QApplication for the whole
// test program, a Lib/ copy the test may change, and the English table.
#include <QApplication>
#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "platform/string_table.h"

// A copy of the build's Lib/ in a temporary folder, and an empty settings
// folder: VT_LIB_DIR and XDG_CONFIG_HOME point at them while the object lives.
class LibCopy {
public:
  LibCopy();
  ~LibCopy();
  QString path() const { return dir_.path(); }
  QString file(const QString& relative) const { return QDir(dir_.path()).filePath(relative); }
  void remove(const QString& relative) const;
  // A language folder made from another one (same texts).
  void copyLanguage(const QString& from, const QString& to) const;
  QString configFolder() const { return config_.path(); }
  // The program's settings file in the settings folder.
  QString settingsFile() const { return config_.filePath("Varnis/Tarvel 1.ini"); }

private:
  QTemporaryDir dir_;
  QTemporaryDir config_;
  QByteArray oldLibDir_;
  QByteArray oldConfig_;
};

// The English table as the program reads it.
vt::StringTable EnglishTable();
// The table of a language folder of the build's Lib/.
vt::StringTable LanguageTable(const char* folder);

// Saves a picture of the widget to $VT_SCREENSHOT_DIR/<name>.png when that is set.
void SaveScreenshot(QWidget& widget, const char* name);
