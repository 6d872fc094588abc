#pragma once
// The editor's four page buttons without widgets: which picture each shows
// and which are open, by the page states, the display schemes and the end of
// a page switch. Buttons and pages in one order: image quality (1079), code
// definition (1082), process interface (1083), function test (1080).
#include <array>

inline constexpr int kPageButtons = 4;
inline constexpr std::array<int, kPageButtons> kPageButtonIds = {1079, 1082, 1083, 1080};

// Pictures of the resource library.
enum PageButtonBitmap {
  kBitmapUnchanged = 0,
  kBitmapShown = 217,        // the page was shown
  kBitmapNotShown = 218,     // not yet shown
  kBitmapCurrent = 219,      // the page shown now
  kBitmapLockedEmpty = 220,  // locked, not shown
  kBitmapLockedShown = 221,  // locked, shown before
};

// Page states: 0 not yet shown, 1 being entered, 2 shown.
enum PageState { kPageNotShown = 0, kPageEntering = 1, kPageShown = 2 };
using PageStates = std::array<int, kPageButtons>;

struct PageButtonLook {
  std::array<int, kPageButtons> bitmap{};  // kBitmapUnchanged keeps the picture
  std::array<bool, kPageButtons> enabled{};
};

// The picture of a page state (entering 219, shown 217, else 218).
int BitmapOfPageState(int state);
// The pictures of scheme 1..6; an empty (all unchanged) set for other values.
std::array<int, kPageButtons> SchemeBitmaps(int scheme);
// The end of a switch to page `shown`: the pictures by the states (the page
// shown is entering), then the open buttons. An existing configuration opens
// all four, the current one marked; a new one opens the pages up to the next
// one and shows the others locked (221 shown before, 220 not).
PageButtonLook SwitchEndLook(int shown, bool existing, const PageStates& states);
// The code definition's live picture started (221) or frozen (217): the
// image-quality and code-definition buttons in the editor, in the set-up
// wizard the image-quality one only, once its page was shown.
std::array<int, kPageButtons> LiveImageBitmaps(bool live, bool editorMode, const PageStates& states);
// A test runs on the image-quality page: all locked (existing: scheme 3; new:
// image quality 220 and code definition 221 once it was reached); and its end.
PageButtonLook TriggerTestLook(bool existing, const PageStates& states);
PageButtonLook TriggerTestEndLook(bool existing, const PageStates& states);
