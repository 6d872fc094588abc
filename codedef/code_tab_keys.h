#pragma once
// The keyboard and mouse filter of the family tabs and of tab 0: Enter, Escape and Space
// do nothing (neither the tab nor the editor closes, no button is pressed
// from the keyboard), the right button does nothing, and the edits know no
// clipboard (keys, context menu, middle-click paste).
class QEvent;
class QObject;
class QWidget;

// True when the event is swallowed.
bool SwallowCodeTabInput(QObject* watched, QEvent* event);
// Installs `filter` (whose eventFilter calls SwallowCodeTabInput) on w and
// its children; the edits lose their context menu.
void GuardCodeTabInput(QWidget* w, QObject* filter);
