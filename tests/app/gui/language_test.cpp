// Start-up language: the stored choice, the fallback chain and its
// messages, the menu change that fails, the choice kept across a restart.
#include <QAbstractButton>
#include <QAction>
#include <QSettings>
#include <gtest/gtest.h>

#include "gui_test_support.h"
#include "resources/language.h"
#include "services/recording_prompt.h"
#include "window/main_window.h"

namespace {

void StoreLanguage(const LibCopy& lib, const QString& value) {
  QSettings(lib.settingsFile(), QSettings::IniFormat).setValue("Common/UserLanguage", value);
}

QString StoredLanguage(const LibCopy& lib) {
  return QSettings(lib.settingsFile(), QSettings::IniFormat).value("Common/UserLanguage").toString();
}

TEST(LanguageStartTest, FallbackChainByWhatIsInstalled) {
  const struct {
    const char* stored;
    std::vector<const char*> installed;  // language folders besides none
    int loaded;
    const char* message;  // start of the one message, or empty
  } rows[] = {
      {"7", {"VarnisLang09", "VarnisLang0c"}, 9, "The adjusted language is not available"},
      {"abc", {"VarnisLang09", "VarnisLang07"}, 9, "The adjusted language is not available"},
      {"7", {"VarnisLang0c"}, 12, "Neither the adjusted language"},
      {"-", {"VarnisLang09", "VarnisLang07"}, 9, ""},
      {"", {"VarnisLang09", "VarnisLang07"}, 9, ""},
      {"7", {"VarnisLang09", "VarnisLang07"}, 7, ""},
  };
  for (const auto& r : rows) {
    LibCopy lib;
    lib.copyLanguage("VarnisLang09", "VarnisLang0c");
    for (const char* folder : {"VarnisLang09", "VarnisLang07", "VarnisLang0c"}) {
      const bool keep = std::any_of(r.installed.begin(), r.installed.end(),
                                    [&](const char* f) { return QString(f) == folder; });
      if (!keep) lib.remove(folder);
    }
    StoreLanguage(lib, r.stored);
    RecordingPrompt prompt;
    CVarnisDatamatrixDlg window(prompt, MainPanels{});
    ASSERT_EQ(window.OnInitDialog(), CVarnisDatamatrixDlg::StartResult::Run) << r.stored;
    EXPECT_EQ(window.language().GetSelectedLanguage(), r.loaded) << r.stored;
    if (*r.message == 0) {
      EXPECT_TRUE(prompt.messages().isEmpty()) << r.stored;
      continue;
    }
    ASSERT_EQ(prompt.messages().size(), 1) << r.stored;
    EXPECT_TRUE(prompt.messages()[0].text.startsWith(r.message)) << prompt.messages()[0].text.toStdString();
    EXPECT_EQ(prompt.messages()[0].icon, QMessageBox::Warning);
    EXPECT_EQ(prompt.messages()[0].caption, "Varnis ZV");
    if (r.loaded == 12) {
      EXPECT_TRUE(prompt.messages()[0].text.endsWith("!\nc"));
    }
  }
}

TEST(LanguageStartTest, NoLanguageEndsTheProgram) {
  LibCopy lib;
  lib.remove("VarnisLang09");
  lib.remove("VarnisLang07");
  RecordingPrompt prompt;
  CVarnisDatamatrixDlg window(prompt, MainPanels{});
  EXPECT_EQ(window.OnInitDialog(), CVarnisDatamatrixDlg::StartResult::End);
  ASSERT_EQ(prompt.messages().size(), 1);
  EXPECT_TRUE(prompt.messages()[0].text.startsWith("No language DLLs are available"));
  EXPECT_EQ(prompt.messages()[0].icon, QMessageBox::Critical);
}

TEST(LanguageStartTest, AMenuLanguageThatDoesNotLoadKeepsTheOldOne) {
  LibCopy lib;
  RecordingPrompt prompt;
  CVarnisDatamatrixDlg window(prompt, MainPanels{});
  ASSERT_EQ(window.OnInitDialog(), CVarnisDatamatrixDlg::StartResult::Run);
  // Damaged after the scan: the folder is there, its table does not parse.
  QFile bad(lib.file("VarnisLang07/strings.txt"));
  ASSERT_TRUE(bad.open(QIODevice::WriteOnly | QIODevice::Truncate));
  bad.write("not a table\n");
  bad.close();
  window.action(64007)->trigger();
  ASSERT_EQ(prompt.messages().size(), 1);
  EXPECT_EQ(prompt.messages()[0].text, "Error while loading requested language, using existed ");
  EXPECT_EQ(prompt.messages()[0].caption, "Varnis Tarvel");
  EXPECT_EQ(window.language().GetSelectedLanguage(), 9);
  EXPECT_TRUE(window.action(64009)->isChecked());
  EXPECT_FALSE(window.action(64007)->isChecked());
  EXPECT_EQ(window.findChild<QAbstractButton*>("id1028")->text(), "Next >");
}

TEST(LanguageStartTest, TheChosenLanguageIsUsedAtTheNextStart) {
  LibCopy lib;
  {
    RecordingPrompt prompt;
    CVarnisDatamatrixDlg window(prompt, MainPanels{});
    ASSERT_EQ(window.OnInitDialog(), CVarnisDatamatrixDlg::StartResult::Run);
    window.show();
    window.action(64007)->trigger();
    window.action(64009)->trigger();
    window.action(64007)->trigger();  // the last change counts
    window.close();
  }
  EXPECT_EQ(StoredLanguage(lib), "7");
  RecordingPrompt prompt;
  CVarnisDatamatrixDlg window(prompt, MainPanels{});
  ASSERT_EQ(window.OnInitDialog(), CVarnisDatamatrixDlg::StartResult::Run);
  EXPECT_EQ(window.language().GetSelectedLanguage(), 7);
  EXPECT_EQ(window.findChild<QAbstractButton*>("id1026")->text(), "< Zurück");
  EXPECT_TRUE(prompt.messages().isEmpty());
}

// A language without a text of its own shows the English one: an error
// box in German names the code's meaning instead of "no description".
TEST(LanguageStartTest, TextsTheLanguageLacksAreTheEnglishOnes) {
  LibCopy lib;
  RecordingPrompt prompt;
  CVarnisDatamatrixDlg window(prompt, MainPanels{});
  ASSERT_EQ(window.OnInitDialog(), CVarnisDatamatrixDlg::StartResult::Run);
  window.action(64007)->trigger();
  ASSERT_EQ(window.language().GetSelectedLanguage(), 7);
  EXPECT_EQ(window.text(9200), "< Zurück");  // its own
  EXPECT_EQ(window.text(65536 - 35), "Monitor operation cannot start while the live image is running.");
  prompt.clear();
  window.errors().ShowError(-108);
  ASSERT_EQ(prompt.messages().size(), 1);
  EXPECT_EQ(prompt.messages()[0].text,
            "Sensor error [-108] - Another configuration is being edited on the sensor.\n"
            "The sensor will be disconnected.");
  EXPECT_TRUE(window.text(123456).isEmpty());  // in neither table
}

TEST(LanguageTableTest, ScanTakesOnlyNamesOfTheRightShape) {
  QTemporaryDir lib;
  for (const char* name : {"Lang09", "Lang0c", "Langff", "Lang00", "Langxy", "Lang1", "Lang123", "Other07"})
    QDir(lib.path()).mkdir(name);
  CLanguage languages;
  EXPECT_EQ(languages.ScanLanguageDlls(lib.path(), "Lang"), 0);
  for (int id = 0; id <= 256; ++id)
    EXPECT_EQ(languages.IsLanguageAvailable(id), id == 9 || id == 12 || id == 255) << id;
  EXPECT_EQ(languages.ScanLanguageDlls(lib.path(), "None"), -10010);
  EXPECT_EQ(languages.ScanLanguageDlls(lib.filePath("missing"), "Lang"), -10002);
  EXPECT_EQ(languages.SelectLanguage(256, {}), -10012);
  EXPECT_EQ(languages.SelectLanguage(255, [](int id) { return QString::number(id); }), 0);
  EXPECT_EQ(languages.GetSelectedLanguage(), 255);
  EXPECT_TRUE(languages.GetDisplayName(255).isEmpty());
  EXPECT_EQ(languages.GetDisplayName(12), QString::fromUtf8("Français ( 12 )"));
}

}  // namespace
