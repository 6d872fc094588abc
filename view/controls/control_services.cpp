#include "control_services.h"

#include <platform/lib_dir.h>

QPixmap lindaroBitmap(int id) {
  static const int anchor = 0;
  const auto file = vt::libDirFor(&anchor) / "Lindaro" / (std::to_string(id) + ".png");
  QPixmap pixmap;
  pixmap.load(QString::fromStdString(file.string()), "PNG");
  return pixmap;
}
