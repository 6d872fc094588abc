#include "core/page_button_rules.h"

namespace {
constexpr int kImageQuality = 0, kCodeDefinition = 1;
}

int BitmapOfPageState(int state) {
  switch (state) {
    case kPageEntering: return kBitmapCurrent;
    case kPageShown: return kBitmapShown;
    default: return kBitmapNotShown;
  }
}

std::array<int, kPageButtons> SchemeBitmaps(int scheme) {
  constexpr int U = kBitmapUnchanged;
  switch (scheme) {
    case 1: return {kBitmapLockedShown, kBitmapLockedEmpty, U, U};
    case 2: return {kBitmapShown, kBitmapCurrent, U, U};
    case 3: return {kBitmapLockedEmpty, kBitmapLockedShown, kBitmapLockedShown, kBitmapLockedShown};
    case 4: return {kBitmapCurrent, kBitmapShown, kBitmapShown, kBitmapShown};
    case 5: return {kBitmapLockedShown, kBitmapLockedShown, kBitmapLockedShown, kBitmapLockedEmpty};
    case 6: return {kBitmapShown, kBitmapShown, kBitmapShown, kBitmapCurrent};
    default: return {U, U, U, U};
  }
}

std::array<int, kPageButtons> LiveImageBitmaps(bool live, bool editorMode, const PageStates& states) {
  std::array<int, kPageButtons> bitmaps{};
  const int bitmap = live ? kBitmapLockedShown : kBitmapShown;
  if (editorMode) {
    bitmaps[kImageQuality] = bitmap;
    bitmaps[kCodeDefinition] = bitmap;
  } else if (states[kImageQuality] == kPageShown) {
    bitmaps[kImageQuality] = bitmap;
  }
  return bitmaps;
}

PageButtonLook SwitchEndLook(int shown, bool existing, const PageStates& states) {
  PageButtonLook look;
  for (int i = 0; i < kPageButtons; ++i) {
    const auto k = static_cast<std::size_t>(i);
    const int state = i == shown ? kPageEntering : states[k];
    look.bitmap[k] = BitmapOfPageState(state);
    if (existing) {
      look.enabled[k] = true;
      look.bitmap[k] = i == shown ? kBitmapCurrent : kBitmapShown;
      continue;
    }
    // The pages up to the next one are open; a locked one looks locked,
    // shown before or not.
    const int lastOpen = shown + 1;
    look.enabled[k] = i <= lastOpen;
    if (i != shown && state == kPageShown) look.bitmap[k] = look.enabled[k] ? kBitmapShown : kBitmapLockedShown;
    if (!look.enabled[k] && state != kPageShown) look.bitmap[k] = kBitmapLockedEmpty;
  }
  return look;
}

PageButtonLook TriggerTestLook(bool existing, const PageStates& states) {
  PageButtonLook look;
  look.enabled = {};
  if (existing) {
    look.bitmap = SchemeBitmaps(3);
    return look;
  }
  look.bitmap[kImageQuality] = kBitmapLockedEmpty;
  if (states[kCodeDefinition] != kPageNotShown) look.bitmap[kCodeDefinition] = kBitmapLockedShown;
  return look;
}

PageButtonLook TriggerTestEndLook(bool existing, const PageStates& states) {
  PageButtonLook look;
  if (existing) {
    look.enabled = {true, true, true, true};
    look.bitmap = SchemeBitmaps(4);
    return look;
  }
  look.enabled = {true, true, false, false};
  look.bitmap[kImageQuality] = kBitmapCurrent;
  if (states[kCodeDefinition] != kPageNotShown) look.bitmap[kCodeDefinition] = kBitmapShown;
  return look;
}
