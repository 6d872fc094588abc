#include "program/composition_root.h"

#include "connection/bookmark.h"
#include "controls/color_list_box_log.h"
#include "view/image_view_service.h"

// Each layer adds its objects here as it lands; a layer that is not built
// yet leaves its pointers null and the main window skips them.
MainPanels MakePanels(Prompt& /*prompt*/) {
  MainPanels panels;
  panels.messageList = std::make_unique<ColorListBoxLog>();
  panels.imageView = std::make_unique<ImageView>();
  panels.connectionPanel = std::make_unique<CBookmark>();
  return panels;
}
