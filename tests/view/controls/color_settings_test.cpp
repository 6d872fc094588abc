// The colour settings dialog: what it shows and publishes on opening, what
// OK stores, and that Default and Cancel change nothing.
#include <QPushButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

#include "controls/color_settings.h"
#include "window/colours.h"
#include "controls/colour_static.h"
#include "gui_test_env.h"
#include "services/recording_prompt.h"
#include "settings/quorren_reg.h"

namespace {

using Store = std::map<QString, QString>;

// Also keeps the colour each chooser started from.
struct ChooserPrompt : RecordingPrompt {
  std::vector<QColor> offered;
  QColor colour(QWidget* owner, const QColor& initial, const QString& title) override {
    offered.push_back(initial);
    return RecordingPrompt::colour(owner, initial, title);
  }
};

const auto kDefaults = tableLookup({{200, "16592896"}, {205, "51200"}, {206, "2163711"},
                                    {207, "39423"}});

// The dialog over the program's settings store in a folder of its own.
struct Harness {
  QTemporaryDir folder;
  CQuorrenReg settings{folder.path()};
  int refreshes = 0;
  int openDialog = -1;
  GraphicsColours colours;
  ChooserPrompt prompt;

  Harness() {
    settings.BuildBasePath(tableLookup({{351, "1"}, {352, "Varnis Tarvel"}}));
  }
  QString file() const { return folder.filePath(QStringLiteral("Varnis Tarvel 1.ini")); }
  Store stored() const {
    QSettings ini(file(), QSettings::IniFormat);
    Store values;
    for (const QString& key : ini.allKeys()) values[key] = ini.value(key).toString();
    return values;
  }
  void store(const Store& values) const {
    QSettings ini(file(), QSettings::IniFormat);
    for (const auto& [key, value] : values) ini.setValue(key, value);
  }
  std::unique_ptr<CColorSettings> open() {
    ColourSettingsHooks hooks = graphicsSettingsHooks(settings);
    hooks.refreshOverlays = [this] { ++refreshes; };
    hooks.setOpenDialog = [this](int open) { openDialog = open; };
    return std::make_unique<CColorSettings>(colours, hooks, prompt,
                                            installedTable("VarnisLang09"), kDefaults);
  }
};

std::array<std::uint32_t, 4> published(const GraphicsColours& c) {
  return {c.regionColour, c.passColour, c.failColour, c.otherColour};
}

std::array<std::uint32_t, 4> shown(CColorSettings& dialog) {
  std::array<std::uint32_t, 4> colours{};
  const int ids[] = {1177, 1178, 1179, 1180};
  for (int row = 0; row < 4; ++row) {
    colours[row] = dialog.findChild<CColourStatic*>(QStringLiteral("id%1").arg(ids[row]))->colour();
  }
  return colours;
}

void click(CColorSettings& dialog, int id) {
  auto* button = dialog.findChild<QPushButton*>(QStringLiteral("id%1").arg(id));
  ASSERT_NE(button, nullptr) << id;
  button->click();
}

const std::array<std::uint32_t, 4> kFactory{16592896, 51200, 2163711, 39423};

TEST(ColorSettings, OpeningShowsAndPublishesStoredOrDefaultColours) {
  struct Case {
    const char* what;
    Store store;
    std::array<std::uint32_t, 4> expected;
  };
  const Case cases[] = {
      {"values missing: the store reads as failed", {{"Graphics/ColRegion", "1"}}, kFactory},
      {"nothing stored", {}, kFactory},
      {"all stored",
       {{"Graphics/ColRegion", "1"}, {"Graphics/ColPassMsg", "2"},
        {"Graphics/ColFailMsg", "3"}, {"Graphics/ColOtherMsg", "4"}},
       {1, 2, 3, 4}},
      {"one empty, one not a number",
       {{"Graphics/ColRegion", "255"}, {"Graphics/ColPassMsg", ""},
        {"Graphics/ColFailMsg", " 65280"}, {"Graphics/ColOtherMsg", "abc"}},
       {255, 51200, 65280, 0}},
  };
  for (const Case& c : cases) {
    Harness h;
    h.store(c.store);
    const Store before = h.stored();
    auto dialog = h.open();
    EXPECT_EQ(shown(*dialog), c.expected) << c.what;
    EXPECT_EQ(published(h.colours), c.expected) << c.what;
    EXPECT_EQ(h.openDialog, 1);
    EXPECT_EQ(h.stored(), before) << "opening writes nothing";
  }
}

TEST(ColorSettings, OkStoresDecimalTextPublishesAndRestyles) {
  Harness h;
  h.prompt.setColourAnswer(QColor(0x12, 0x34, 0x56));
  auto dialog = h.open();
  click(*dialog, 1060);  // fail colour
  EXPECT_EQ(h.prompt.offered.at(0), FromColorRef(2163711));
  EXPECT_EQ(dialog->currentColour(CColorSettings::kFail), 0x563412u);
  EXPECT_EQ(h.colours.failColour, 2163711u) << "nothing changes before OK";
  click(*dialog, 1);
  const Store expected{
      {"Graphics/ColRegion", "16592896"}, {"Graphics/ColPassMsg", "51200"},
      {"Graphics/ColFailMsg", "5649426"}, {"Graphics/ColOtherMsg", "39423"}};
  EXPECT_EQ(h.stored(), expected);
  EXPECT_EQ(h.colours.failColour, 0x563412u);
  EXPECT_EQ(h.refreshes, 1);
  EXPECT_EQ(h.openDialog, 0);
  EXPECT_EQ(dialog->result(), QDialog::Accepted);
}

TEST(ColorSettings, DefaultThenCancelChangesNothing) {
  Harness h;
  h.store({{"Graphics/ColRegion", "1"}, {"Graphics/ColPassMsg", "2"},
           {"Graphics/ColFailMsg", "3"}, {"Graphics/ColOtherMsg", "4"}});
  const Store before = h.stored();
  auto dialog = h.open();
  click(*dialog, 1057);
  EXPECT_EQ(shown(*dialog), kFactory);
  click(*dialog, 2);
  EXPECT_EQ(h.stored(), before);
  EXPECT_EQ(published(h.colours), (std::array<std::uint32_t, 4>{1, 2, 3, 4}));
  EXPECT_EQ(h.refreshes, 0);
  EXPECT_EQ(h.openDialog, 0);
}

TEST(ColorSettings, CancelledChooserLeavesTheRow) {
  Harness h;
  h.prompt.setColourAnswer(QColor());  // cancelled
  auto dialog = h.open();
  click(*dialog, 1058);
  EXPECT_EQ(dialog->currentColour(CColorSettings::kRegion), 16592896u);
}

TEST(ColorSettings, SwatchPaintsItsColourInABlackBorder) {
  CColourStatic swatch;
  swatch.resize(40, 20);
  swatch.SetColour(0x2103FF);
  const QImage image = swatch.grab().toImage();
  EXPECT_EQ(QColor(image.pixel(20, 10)), FromColorRef(0x2103FF));
  EXPECT_EQ(QColor(image.pixel(0, 0)), QColor(Qt::black));
  EXPECT_EQ(QColor(image.pixel(39, 19)), QColor(Qt::black));
}

TEST(ColorSettings, CommonDefinitionsHoldTheStartUpDefaults) {
  const auto common = installedTable("Zentrafel");
  EXPECT_EQ(decimalColour(common(200)), GraphicsColours::kDefaultRegion);
  EXPECT_EQ(decimalColour(common(205)), GraphicsColours::kDefaultPass);
  EXPECT_EQ(decimalColour(common(206)), GraphicsColours::kDefaultFail);
  EXPECT_EQ(decimalColour(common(207)), GraphicsColours::kDefaultOther);
}

}  // namespace
