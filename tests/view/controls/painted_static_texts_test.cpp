// The painted product blocks and mode labels: their texts and that they paint.
#include <gtest/gtest.h>

#include "window/colours.h"
#include "gui_test_env.h"
#include "controls/painted_static_texts.h"

namespace {

TEST(PaintedStaticTexts, AboutAndSplashShowVersionAndBuild) {
  const auto language = installedTable("VarnisLang09");
  const auto common = tableLookup({{301, "Product from the common table"}});
  CStaticTextAbout about(language, common);
  EXPECT_EQ(about.lines(),
            (QStringList{"Varnis Tarvel", language(923), "Version 1.4", "(Build 105)  ",
                         language(925) + " " + language(928)}));
  CStaticTextSplasScreen splash(language, common);
  EXPECT_EQ(splash.lines(), (QStringList{"Varnis Tarvel", language(923), language(928),
                                         "Version 1.4", language(929)}));
  for (CPaintedLines* block : {static_cast<CPaintedLines*>(&about),
                               static_cast<CPaintedLines*>(&splash)}) {
    block->resize(block->sizeHint());
    EXPECT_TRUE(hasColour(block->grab().toImage(), block->rect(),
                          block->palette().color(QPalette::WindowText)));
    EXPECT_EQ(block->fonts().front().family(), QStringLiteral("DejaVu Sans"));
  }
}

TEST(PaintedStaticTexts, ProductNameFallsBackToTheCommonTable) {
  const auto common = tableLookup({{301, "Product from the common table"}});
  CStaticTextAbout about(tableLookup({}), common);
  EXPECT_EQ(about.lines().front(), QStringLiteral("Product from the common table"));
}

TEST(PaintedStaticTexts, ModeLabelsInTheirBrown) {
  CStaticTextMode mode(installedTable("VarnisLang09"));
  EXPECT_EQ(mode.lines(), (QStringList{"Configuration", "Monitor", "Service"}));
  mode.resize(mode.sizeHint());
  EXPECT_TRUE(hasColour(mode.grab().toImage(), mode.rect(), FromColorRef(0x194865)));
}

}  // namespace
