#pragma once
// What every page and panel plugged into the main window offers: its widget
// (the main window places, shows and hides it) and a reload of its texts
// after a language change.
class QWidget;

class Panel {
public:
  virtual ~Panel() = default;
  virtual QWidget* widget() = 0;
  virtual void ReloadTexts() = 0;
};
