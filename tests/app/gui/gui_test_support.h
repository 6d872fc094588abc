#pragma once
// Shared pieces of the program's widget tests: a QApplication for the whole
// test program, a Lib/ copy the test may change, and the English table.
#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QTemporaryDir>
#include <functional>
#include <utility>
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

// Writes bytes to the file `name` in dir: its path, empty when it could not be written.
QString WriteFile(const QTemporaryDir& dir, const QString& name, const QByteArray& bytes);

// Saves a picture of the widget to $VT_SCREENSHOT_DIR/<name>.png when that is set.
void SaveScreenshot(QWidget& widget, const char* name);

// The widget's pixels as grabbed that are plainly red, and those near black
// (a text drawn red or black).
std::pair<int, int> RedAndBlackPixels(QWidget& widget);

// A prompt's dialog handler for dialogs of class D. Any other dialog fails
// the test by its class name and is closed unanswered, so a handler left
// over from an earlier step cannot misuse the next dialog as a D.
template <class D>
std::function<int(QDialog&)> DialogHandler(std::function<int(D&)> handle) {
  return [handle = std::move(handle)](QDialog& d) -> int {
    auto* typed = dynamic_cast<D*>(&d);
    if (typed == nullptr) {
      ADD_FAILURE() << "unexpected dialog " << d.metaObject()->className();
      d.done(QDialog::Rejected);
      return QDialog::Rejected;
    }
    return handle(*typed);
  };
}
