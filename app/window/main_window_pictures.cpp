#include "window/main_window_pictures.h"

#include "resources/resource_libraries.h"

namespace MainWindowPictures {

int statusIconId(int icon) {
  switch (icon) {
    case 1: return 1001;
    case 2: return 1002;
    case 3: return 1004;
    case 4: return 1005;
    default: return 0;
  }
}

namespace {
QPixmap Load(const ResourceLibraries& resources, int id) {
  const QString path = resources.picturePath(id);
  return path.isEmpty() ? QPixmap() : QPixmap(path);
}
}  // namespace

QIcon toolbarIcon(const ResourceLibraries& resources, int image) {
  const QPixmap p = Load(resources, kToolbarBase + image);
  return p.isNull() ? QIcon() : QIcon(p);
}

QPixmap modeStatic(const ResourceLibraries& resources, int control, int look) {
  return Load(resources, modeStaticId(control, look));
}

QPixmap statusIcon(const ResourceLibraries& resources, int icon) {
  const int id = statusIconId(icon);
  return id ? Load(resources, id) : QPixmap();
}

QPixmap header(const ResourceLibraries& resources) { return Load(resources, kHeader); }

}  // namespace MainWindowPictures
