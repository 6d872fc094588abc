// The splash screen and the About box.
#include <QKeyEvent>
#include <QLabel>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

#include "dialogs/about_dlg.h"
#include "dialogs/splash_screen.h"
#include "gui_test_support.h"
#include "resources/resource_libraries.h"
#include "services/recording_prompt.h"

namespace {

struct DialogsTest : ::testing::Test {
  void SetUp() override {
    resources.LoadResourceLibraries(lib.path());
    CLanguage languages;
    languages.ScanLanguageDlls(lib.path(), resources.definition(101));
    languages.SelectLanguage(9, {});
    ASSERT_EQ(resources.LoadLanguageLibrary(9, false, languages, prompt, nullptr), 9);
  }
  RecordingPrompt prompt;
  LibCopy lib;
  ResourceLibraries resources;
};

TEST_F(DialogsTest, SplashIgnoresEnterAndEscapeAndClosesItselfAfter150Ticks) {
  CSplashScreen splash(resources, nullptr, 1);
  QSignalSpy closed(&splash, &QDialog::finished);
  splash.show();
  auto* bar = splash.findChild<QProgressBar*>("id1002");
  ASSERT_NE(bar, nullptr);
  EXPECT_EQ(bar->maximum(), 150);
  EXPECT_LE(bar->value(), 2);
  QTest::keyClick(&splash, Qt::Key_Escape);
  QTest::keyClick(&splash, Qt::Key_Return);
  EXPECT_TRUE(splash.isVisible());
  SaveScreenshot(splash, "splash");
  ASSERT_TRUE(closed.wait(5000));
  EXPECT_EQ(bar->value(), 150);  // the bar stops at its end; the tick after closes
  EXPECT_EQ(splash.result(), QDialog::Rejected);
}

TEST_F(DialogsTest, AboutBoxTextsAndLink) {
  CAboutDlg about(resources);
  about.show();
  // Common definition 302 is a single blank: no link.
  EXPECT_TRUE(about.linkTarget().isEmpty());
  EXPECT_FALSE(about.findChild<QLabel*>("id1206")->isVisible());
  EXPECT_EQ(about.findChild<QPushButton*>("id1")->text(), resources.text(9203));
  EXPECT_EQ(about.findChild<QPushButton*>("id1017")->text(), resources.text(933));
  EXPECT_EQ(about.findChild<QPlainTextEdit*>("id1208")->toPlainText(), resources.text(921));
  EXPECT_EQ(about.windowTitle(), "About Varnis Tarvel");
  EXPECT_FALSE(about.findChild<QLabel*>("id1018")->pixmap().isNull());
  SaveScreenshot(about, "about");
}

}  // namespace
