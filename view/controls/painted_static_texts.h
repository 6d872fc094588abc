#pragma once
// Statics that paint their own texts, top to bottom, each line in the next
// font of the control (the last font serves the lines left over): the
// product block of the About box and of the splash screen, and the main
// window's mode labels.
#include <QFont>
#include <QStringList>
#include <QWidget>
#include <vector>

#include "control_services.h"

// The program's version and build as shown to the user.
QString programVersionText();  // "1.4"
QString programBuildText();    // "105"

class CPaintedLines : public QWidget {
  Q_OBJECT
public:
  // The texts as painted now.
  virtual QStringList lines() const = 0;
  const std::vector<QFont>& fonts() const { return fonts_; }
  QSize sizeHint() const override;
  // Never squeezed: every line shows whole.
  QSize minimumSizeHint() const override { return sizeHint(); }

protected:
  explicit CPaintedLines(QWidget* parent) : QWidget(parent) {}
  void paintEvent(QPaintEvent* event) override;
  virtual QColor lineColour() const;

  std::vector<QFont> fonts_;
};

// About box (control 1209): product name, subtitle, version, build, and the
// maker's lines.
class CStaticTextAbout : public CPaintedLines {
  Q_OBJECT
public:
  // common gives the product name (string 301) when the language has none.
  CStaticTextAbout(TextLookup language, TextLookup common, QWidget* parent = nullptr);
  QStringList lines() const override;

private:
  TextLookup language_;
  TextLookup common_;
};

// Main window's mode labels. Set on the mode buttons, each name is centred
// on its button's face right of the icon; otherwise the lines go top to bottom.
class CStaticTextMode : public CPaintedLines {
  Q_OBJECT
public:
  explicit CStaticTextMode(TextLookup language, QWidget* parent = nullptr);
  QStringList lines() const override;
  // The buttons stand pitch apart, height high; the names start at textLeft.
  void setButtons(int pitch, int height, int textLeft);
  // Where name k is drawn (empty when not set on buttons).
  QRect nameRect(int k) const;

protected:
  QColor lineColour() const override;
  void paintEvent(QPaintEvent* event) override;

private:
  TextLookup language_;
  int pitch_ = 0;
  int buttonHeight_ = 0;
  int textLeft_ = 0;
};

// Splash screen (control 1031).
class CStaticTextSplasScreen : public CPaintedLines {
  Q_OBJECT
public:
  CStaticTextSplasScreen(TextLookup language, TextLookup common, QWidget* parent = nullptr);
  QStringList lines() const override;

private:
  TextLookup language_;
  TextLookup common_;
};
