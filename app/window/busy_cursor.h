#pragma once
// The program's one cursor rule: while m_bBusy is set the wait cursor shows
// over the main window and every dialog of the program, and the widgets' own
// cursors (the arrow, the picture's zoom and handle cursors) come back the
// moment it clears, whichever way the busy time ended: a reply, a failure, a
// lost connection or the reset. It holds one application override cursor
// for the busy time.
class BusyFlag;

class BusyCursor {
public:
  explicit BusyCursor(BusyFlag& busy);
  ~BusyCursor();
  BusyCursor(const BusyCursor&) = delete;
  BusyCursor& operator=(const BusyCursor&) = delete;

  bool shown() const { return shown_; }

private:
  void Show(bool busy);

  BusyFlag& busy_;
  bool shown_ = false;
};
