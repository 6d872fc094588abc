#pragma once
// Shared by the small controls' tests: their text drawn unsmoothed, pixel
// helpers over grab(), and the tables the controls read their texts from.
#include <QColor>
#include <QImage>
#include <QRect>
#include <QString>
#include <functional>
#include <map>
#include <set>

// Colours of the pixels inside the rectangle.
std::set<QRgb> coloursIn(const QImage& image, const QRect& area);
bool hasColour(const QImage& image, const QRect& area, const QColor& colour);

// A lookup over a small table; an id it lacks gives an empty text.
std::function<QString(unsigned)> tableLookup(std::map<unsigned, QString> texts);
// The program's English table and the common definitions, as installed in Lib/.
std::function<QString(unsigned)> installedTable(const char* folder);

// Numbers of the C runtime and Qt's default locale switched to a locale with a
// decimal comma for this object's life: de_DE.UTF-8 (made in the build tree
// when the system lacks it), or another comma locale of the system.
class CommaLocale {
public:
  CommaLocale();
  ~CommaLocale();
  bool active() const { return !name_.empty(); }
  const std::string& name() const { return name_; }

private:
  std::string name_;
};
