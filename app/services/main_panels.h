#pragma once
// The pages, panels and services the main window holds. Each pointer is
// null until the composition root plugs an object in; the main window owns
// what it is given and skips what is missing.
#include <initializer_list>
#include <memory>
#include <vector>

#include "services/codedef_services.h"
#include "services/connection_services.h"
#include "services/config_services.h"
#include "services/view_services.h"

struct MainPanels {
  // connection/
  std::unique_ptr<ConnectionPanelService> connectionPanel;
  // view/ (the message list has a plain default when none is plugged in)
  std::unique_ptr<MessageListService> messageList;
  std::unique_ptr<ImageViewService> imageView;
  std::unique_ptr<MonitorPanelService> monitor;
  std::unique_ptr<ServicePanelService> service;
  std::unique_ptr<ResultViewService> results;
  std::unique_ptr<ImageStoreService> imageStore;
  std::unique_ptr<BalloonTipService> balloon;
  std::unique_ptr<ColourSettingsService> colourSettings;
  std::unique_ptr<BackgroundStaticsService> backgrounds;
  std::unique_ptr<StaticTextsService> staticTexts;
  // config/
  std::unique_ptr<ConfigManagerService> configManager;
  std::unique_ptr<TaskButtonsService> taskButtons;
  std::unique_ptr<SensorSettingsService> sensorSettings;
  std::unique_ptr<FunctionTestService> functionTest;
  std::unique_ptr<TriggerSettingsService> trigger;
  std::unique_ptr<SensorPanelService> sensorPanel;
  std::unique_ptr<ConfigDialogsService> configDialogs;
  // codedef/
  std::unique_ptr<CodeDefinitionService> codeDefinition;
  std::unique_ptr<ImageQualityService> imageQuality;
  std::unique_ptr<ProcessInterfaceService> processInterface;

  // The pages placed in the panel area, those that exist.
  std::vector<Panel*> pages() const {
    std::vector<Panel*> out;
    for (Panel* p : std::initializer_list<Panel*>{connectionPanel.get(), monitor.get(), service.get(), taskButtons.get(), functionTest.get(),
                                                  sensorPanel.get(), codeDefinition.get(), imageQuality.get(),
                                                  processInterface.get()})
      if (p) out.push_back(p);
    return out;
  }
};
