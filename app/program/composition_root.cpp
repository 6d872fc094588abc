#include "program/composition_root.h"

#include "codedef/config_code_definition.h"
#include "codedef/image/config_img_quality.h"
#include "codedef/output/config_process_interface.h"
#include "config/config_dialogs.h"
#include "config/config_function_test.h"
#include "config/config_manager.h"
#include "config/config_task_buttons.h"
#include "config/config_trigger_setting.h"
#include "codedef/write_configuration.h"
#include "connection/bookmark.h"
#include "settings/config_sensor.h"
#include "settings/global_settings_host.h"
#include "controls/color_list_box_log.h"
#include "view/background_statics.h"
#include "view/image_store.h"
#include "view/image_view_service.h"
#include "view/monitor_mode.h"
#include "view/service_report.h"
#include "view/test_results.h"
#include "view/window_controls.h"

// Each layer adds its objects here as it lands; a layer that is not built
// yet leaves its pointers null and the main window skips them.
MainPanels MakePanels(Prompt& /*prompt*/) {
  MainPanels panels;
  panels.messageList = std::make_unique<ColorListBoxLog>();
  panels.imageView = std::make_unique<ImageView>();
  panels.connectionPanel = std::make_unique<CBookmark>();
  panels.monitor = std::make_unique<CMonitorMode>();
  panels.service = std::make_unique<CServiceReport>();
  panels.results = std::make_unique<CTestResults>();
  panels.imageStore = std::make_unique<ImageStore>();
  panels.balloon = std::make_unique<BalloonTip>();
  panels.colourSettings = std::make_unique<ColourSettings>();
  panels.codeDefinition = std::make_unique<CConfigCodeDefinition>();
  panels.imageQuality = std::make_unique<CConfigImgQuality>();
  panels.processInterface = std::make_unique<CConfigProcessInterface>();
  auto configManager = std::make_unique<CConfigManager>();
  panels.configDialogs = std::make_unique<CConfigDialogs>(*configManager);
  panels.configManager = std::move(configManager);
  panels.sensorSettings = std::make_unique<CGlobalSettingsHost>();
  panels.sensorPanel = std::make_unique<CConfigSensor>();
  // config/ writes the configuration with the code definition's writer.
  panels.trigger = std::make_unique<CConfigTriggerSetting>(&WriteConfiguration);
  panels.functionTest = std::make_unique<CConfigFunctionTest>();
  panels.taskButtons = std::make_unique<CConfigTaskButtons>();
  panels.backgrounds = std::make_unique<WindowBackgrounds>();
  panels.staticTexts = std::make_unique<WindowStaticTexts>();
  return panels;
}
