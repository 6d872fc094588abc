// The editor's page buttons without widgets: pictures by page state and
// scheme, and which buttons a switch opens for an existing and a new
// configuration.
#include <gtest/gtest.h>

#include "core/page_button_rules.h"

namespace {

using Bitmaps = std::array<int, kPageButtons>;
using Open = std::array<bool, kPageButtons>;

TEST(PageButtonRules, PicturesOfStatesAndSchemes) {
  EXPECT_EQ(BitmapOfPageState(kPageNotShown), 218);
  EXPECT_EQ(BitmapOfPageState(kPageEntering), 219);
  EXPECT_EQ(BitmapOfPageState(kPageShown), 217);
  EXPECT_EQ(BitmapOfPageState(7), 218);
  const std::array<Bitmaps, 8> schemes = {{{0, 0, 0, 0},
                                           {221, 220, 0, 0},
                                           {217, 219, 0, 0},
                                           {220, 221, 221, 221},
                                           {219, 217, 217, 217},
                                           {221, 221, 221, 220},
                                           {217, 217, 217, 219},
                                           {0, 0, 0, 0}}};
  for (int scheme = 0; scheme < 8; ++scheme) EXPECT_EQ(SchemeBitmaps(scheme), schemes[std::size_t(scheme)]) << scheme;
  EXPECT_EQ(SchemeBitmaps(-1), (Bitmaps{0, 0, 0, 0}));
}

TEST(PageButtonRules, SwitchEndOpensButtonsByConfiguration) {
  struct Row {
    const char* what;
    int page;
    bool existing;
    PageStates before;
    Bitmaps bitmaps;
    Open open;
  };
  const Row rows[] = {
      {"existing, first page", 0, true, {1, 0, 0, 0}, {219, 217, 217, 217}, {true, true, true, true}},
      {"existing, function test", 3, true, {2, 2, 0, 1}, {217, 217, 217, 219}, {true, true, true, true}},
      {"new, first page", 0, false, {1, 0, 0, 0}, {219, 218, 220, 220}, {true, true, false, false}},
      {"new, code definition", 1, false, {2, 1, 0, 0}, {217, 219, 218, 220}, {true, true, true, false}},
      {"new, process interface", 2, false, {2, 2, 1, 0}, {217, 217, 219, 218}, {true, true, true, true}},
      {"new, function test", 3, false, {2, 2, 2, 1}, {217, 217, 217, 219}, {true, true, true, true}},
      // Back to the first page: pages shown further on are locked as shown.
      {"new, back to image quality", 0, false, {1, 2, 2, 2}, {219, 217, 221, 221}, {true, true, false, false}},
      {"new, back to code definition", 1, false, {2, 1, 2, 2}, {217, 219, 217, 221}, {true, true, true, false}},
  };
  for (const Row& r : rows) {
    const PageButtonLook look = SwitchEndLook(r.page, r.existing, r.before);
    EXPECT_EQ(look.bitmap, r.bitmaps) << r.what;
    EXPECT_EQ(look.enabled, r.open) << r.what;
  }
}

TEST(PageButtonRules, LivePictureMarksTheImagePages) {
  struct Case {
    bool live, editorMode;
    std::array<int, kPageButtons> states;
    Bitmaps expected;
  };
  for (const Case& c : {Case{true, true, {2, 1, 0, 0}, {221, 221, 0, 0}}, Case{false, true, {2, 1, 0, 0}, {217, 217, 0, 0}},
                        Case{true, false, {2, 2, 0, 0}, {221, 0, 0, 0}}, Case{false, false, {2, 2, 0, 0}, {217, 0, 0, 0}},
                        // The set-up wizard: nothing while the image-quality page was never shown.
                        Case{true, false, {1, 2, 0, 0}, {0, 0, 0, 0}}, Case{false, false, {0, 2, 0, 0}, {0, 0, 0, 0}}})
    EXPECT_EQ(LiveImageBitmaps(c.live, c.editorMode, c.states), c.expected) << c.live << c.editorMode << c.states[0];
}

TEST(PageButtonRules, TriggerTestLocksAndGivesBack) {
  const Open none{false, false, false, false};
  EXPECT_EQ(TriggerTestLook(true, {2, 2, 0, 0}).bitmap, (Bitmaps{220, 221, 221, 221}));
  EXPECT_EQ(TriggerTestLook(true, {2, 2, 0, 0}).enabled, none);
  // A new configuration: the code definition's look only once it was reached.
  EXPECT_EQ(TriggerTestLook(false, {2, 0, 0, 0}).bitmap, (Bitmaps{220, 0, 0, 0}));
  EXPECT_EQ(TriggerTestLook(false, {2, 2, 0, 0}).bitmap, (Bitmaps{220, 221, 0, 0}));
  EXPECT_EQ(TriggerTestLook(false, {2, 2, 0, 0}).enabled, none);

  EXPECT_EQ(TriggerTestEndLook(true, {2, 2, 0, 0}).bitmap, (Bitmaps{219, 217, 217, 217}));
  EXPECT_EQ(TriggerTestEndLook(true, {2, 2, 0, 0}).enabled, (Open{true, true, true, true}));
  EXPECT_EQ(TriggerTestEndLook(false, {2, 0, 0, 0}).bitmap, (Bitmaps{219, 0, 0, 0}));
  EXPECT_EQ(TriggerTestEndLook(false, {2, 2, 0, 0}).bitmap, (Bitmaps{219, 217, 0, 0}));
  EXPECT_EQ(TriggerTestEndLook(false, {2, 2, 0, 0}).enabled, (Open{true, true, false, false}));
}

}  // namespace
