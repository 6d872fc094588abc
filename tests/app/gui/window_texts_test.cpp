// The texts the window and its small dialogs paint themselves (the About
// box, the splash, the mode buttons' names) and texts that must show whole
// in every language, through the window against the simulated sensor.
#include "window_roads_fixture.h"

#include <QCoreApplication>
#include <QDialog>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <cstdlib>

#include "controls/hyperlink.h"
#include "controls/painted_static_texts.h"
#include "window/colours.h"
#include "window/menu_table.h"

namespace {

using namespace DialogIds;

constexpr int kGerman = MenuIds::kLanguageBase + 7;
constexpr int kEnglish = MenuIds::kLanguageBase + 9;

// Pixels of about this colour in the image's rectangle.
int PixelsNear(const QImage& image, QRect rect, QColor colour) {
  int n = 0;
  for (int y = rect.top(); y <= rect.bottom(); ++y)
    for (int x = rect.left(); x <= rect.right(); ++x) {
      const QColor c = image.pixelColor(x, y);
      n += std::abs(c.red() - colour.red()) + std::abs(c.green() - colour.green()) +
               std::abs(c.blue() - colour.blue()) < 60;
    }
  return n;
}

// Whether a text shows whole in the width given, in the widget's font.
::testing::AssertionResult Fits(const QWidget& widget, const QString& text, int width) {
  const int needed = widget.fontMetrics().horizontalAdvance(text);
  if (needed <= width) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << "\"" << text.toStdString() << "\" needs " << needed << " of " << width;
}

using PaintedTextsTest = vt::test::WindowRoadsFixture;

// The About box: the product block painted with version 1.4 and build 105,
// the product site a link; in English and German.
TEST_F(PaintedTextsTest, TheAboutBoxPaintsVersionAndBuildAndLinksTheSite) {
  QFile definitions(lib.file("Zentrafel/strings.txt"));
  ASSERT_TRUE(definitions.open(QIODevice::ReadOnly));
  QString table = QString::fromUtf8(definitions.readAll());
  definitions.close();
  table.replace(QStringLiteral("\n302= \n"), QStringLiteral("\n302=https://varnis.example/k7m\n"));
  ASSERT_TRUE(definitions.open(QIODevice::WriteOnly | QIODevice::Truncate));
  definitions.write(table.toUtf8());
  definitions.close();
  window->resources().LoadResourceLibraries(lib.path());

  for (int language : {kEnglish, kGerman}) {
    window->action(language)->trigger();
    bool shown = false;
    prompt.setDialogHandler([&](QDialog& about) {
      shown = true;
      auto* product = about.findChild<CPaintedLines*>(QStringLiteral("id1209"));
      EXPECT_TRUE(product && product->inherits("CStaticTextAbout"));
      if (!product) return QDialog::Rejected;
      const QStringList lines = product->lines();
      EXPECT_TRUE(lines.contains(window->text(924) + QStringLiteral(" 1.4"))) << lines.join('|').toStdString();
      EXPECT_TRUE(lines.contains(QStringLiteral("(%1 105)  ").arg(window->text(918))));
      EXPECT_EQ(lines.value(0), window->text(922));
      about.adjustSize();
      const QImage painted = product->grab().toImage();
      EXPECT_GT(PixelsNear(painted, painted.rect(), product->palette().color(QPalette::WindowText)), 200);
      auto* link = about.findChild<CHyperlink*>(QStringLiteral("id1206"));
      EXPECT_TRUE(link && link->isVisible() && link->text() == QStringLiteral("https://varnis.example/k7m"));
      EXPECT_TRUE(link && link->font().underline());
      SaveScreenshot(about, language == kEnglish ? "about_english" : "about_german");
      return QDialog::Accepted;
    });
    window->action(MenuIds::kAbout)->trigger();
    EXPECT_TRUE(shown);
  }
}

// The splash shows the product block with the version as it starts.
TEST_F(PaintedTextsTest, TheSplashPaintsTheProductAndTheVersion) {
  RecordingPrompt splashPrompt;
  QStringList lines;
  splashPrompt.setDialogHandler([&](QDialog& splash) {
    if (auto* text = splash.findChild<CPaintedLines*>(QStringLiteral("id1031"))) {
      lines = text->lines();
      SaveScreenshot(splash, "splash_painted");
    }
    return QDialog::Rejected;
  });
  qunsetenv("VT_NO_SPLASH");
  CVarnisDatamatrixDlg starting(splashPrompt, MakePanels(splashPrompt));
  const auto started = starting.OnInitDialog();
  qputenv("VT_NO_SPLASH", "1");
  ASSERT_EQ(started, CVarnisDatamatrixDlg::StartResult::Run);
  const QStringList expected = {starting.text(922), starting.text(923), starting.text(928),
                                starting.text(924) + QStringLiteral(" 1.4"), starting.text(929)};
  EXPECT_EQ(lines, expected);
}

// The mode buttons carry their names, painted on each button's face; in
// English and German.
TEST_F(PaintedTextsTest, TheModeButtonsShowTheirNames) {
  EXPECT_FALSE(window->modeText()->isVisible());
  ASSERT_NO_FATAL_FAILURE(ConnectInMonitor());
  auto* names = dynamic_cast<CStaticTextMode*>(window->modeText());
  ASSERT_TRUE(names);
  EXPECT_TRUE(names->isVisible());
  for (int language : {kEnglish, kGerman}) {
    window->action(language)->trigger();
    EXPECT_EQ(names->lines(), (QStringList{window->text(934), window->text(935), window->text(936)}));
    const QImage shot = window->grab().toImage();
    for (int k = 0; k < 3; ++k) {
      const QRect onWindow(names->mapTo(window.get(), names->nameRect(k).topLeft()), names->nameRect(k).size());
      EXPECT_GT(PixelsNear(shot, onWindow, FromColorRef(0x194865)), 30) << k;
      EXPECT_TRUE(Fits(*names, names->lines()[k], names->nameRect(k).width()));
    }
    SaveScreenshot(*window, language == kEnglish ? "mode_names_english" : "mode_names_german");
  }
  // The names lie over the buttons, which still take the clicks.
  const int offs = Count(CMD_MONITOR_OFF);
  ClickMode(kModeConfiguration);
  ASSERT_TRUE(WaitHandled(CMD_MONITOR_OFF, offs + 1));
}

// The connection state in the status bar shows whole in every language.
TEST_F(PaintedTextsTest, TheStatusBarShowsTheConnectionStateWhole) {
  for (int language : {kEnglish, kGerman}) {
    window->action(language)->trigger();
    QLabel* pane = window->statusPane(1);
    EXPECT_EQ(pane->text(), window->text(1005));
    QCoreApplication::processEvents();  // the status bar lays its parts out anew
    EXPECT_TRUE(Fits(*pane, pane->text(), pane->contentsRect().width()));
  }
}

}  // namespace
