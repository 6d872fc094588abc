#pragma once
// The main window's pictures in the common resources (Lindaro): toolbar
// images, mode statics in their three looks, status icons, the header.
#include <QIcon>
#include <QPixmap>

class ResourceLibraries;

namespace MainWindowPictures {
// Lindaro ids of our own drawings.
inline constexpr int kToolbarBase = 13700;  // + image index 0..21 of the toolbar
inline constexpr int kHeader = 90;          // background of control 1005
// Mode static id * 10 + look (0 normal, 1 active, 2 hover): 10190.., 10200.., 10210..
inline constexpr int modeStaticId(int control, int look) { return control * 10 + look; }
// Status icons by StatusIcon (1 idle, 2 sensor, 3 locked, 4 unlocked).
int statusIconId(int icon);

QIcon toolbarIcon(const ResourceLibraries& resources, int image);
QPixmap modeStatic(const ResourceLibraries& resources, int control, int look);
QPixmap statusIcon(const ResourceLibraries& resources, int icon);
QPixmap header(const ResourceLibraries& resources);
}  // namespace MainWindowPictures
