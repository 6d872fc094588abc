// The main window with its sensor notifications against a simulated sensor:
// the set-up, waits and editor opening the window fixtures share.
#pragma once
// The simulator first: its members named "slots" must not meet Qt's keyword macro.
#include "simulated_sensor.h"

#include <gtest/gtest.h>
#include <QStringList>
#include <functional>
#include <memory>
#include <vector>

#include "commands/sensor_notify.h"
#include "core/sensor_command.h"
#include "gui_test_support.h"
#include "services/recording_prompt.h"
#include "window/main_window.h"

namespace vt::test {

// A slot's configuration records as the simulator keeps them.
vt::sim::SlotParameters& SlotRecords(vt::sim::SensorData& d, int index);

struct SimWindowFixture : ::testing::Test {
  using Items = std::function<void(XmlRpc::XmlRpcValue&)>;

  void TearDown() override;

  // Starts the simulator, then the window with `panels`; every command its
  // notifications handle is noted, and its connect address is the simulator's.
  // The window is neither shown nor connected.
  void StartWindow(MainPanels panels);
  // The command posted as the window's buttons post it.
  void Post(int command);
  void Connect();
  // Connected, with the sensor's configuration list read.
  void ConnectToConfigurationList();
  // Connected in monitor operation, reading with the sensor's active
  // configuration (one made first `withConfiguration`).
  void ConnectInMonitor(bool withConfiguration = true);
  // One reading in the monitor, up to its polling resumed again.
  ::testing::AssertionResult MonitorReading();
  // Slot `index` made as "Conf1" with the items `change` sets, then opened in
  // the editor on wizard step `step` as the configuration manager does.
  void OpenInEditor(int index, int step, const Items& change);
  // The edited configuration changed on the sensor by `change`, then read
  // again as after a write elsewhere: the pages show what the sensor holds.
  void ReadAgain(const Items& change = {});

  MainDialogState& state() { return window->state(); }
  int Count(int id) const;
  bool WaitHandled(int id, int times = 1);
  bool Idle();
  // The texts of the messages shown.
  QStringList Texts() const;

  LibCopy lib;
  SimulatedSensor sensor;
  RecordingPrompt prompt;
  std::unique_ptr<CVarnisDatamatrixDlg> window;
  std::unique_ptr<CSensorNotify> notify;
  std::vector<int> handled;
  std::vector<int> statuses;
};

}  // namespace vt::test
