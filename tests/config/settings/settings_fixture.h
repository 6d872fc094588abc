#pragma once
// The main window with the global settings dialog and the sensor page
// plugged in, offscreen, every box answered by a RecordingPrompt and every
// posted command recorded instead of run. The record is a whole list with
// realistic values.
#include "core/main_dialog_state.h"
#include "template_lists.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>
#include <QTest>
#include <gtest/gtest.h>

#include "connection/bookmark.h"
#include "core/sensor_command.h"
#include "gui_test_support.h"
#include "services/recording_prompt.h"
#include "settings/config_sensor.h"
#include "settings/general_page.h"
#include "settings/global_sensor_settings.h"
#include "settings/global_settings_host.h"
#include "settings/globals_io.h"
#include "settings/network_page.h"
#include "settings/process_page.h"
#include "text/config_name_codec.h"
#include "window/main_window.h"

class SettingsFixture : public ::testing::Test {
protected:
  void SetUp() override {
    MainPanels panels;
    panels.sensorSettings = std::make_unique<CGlobalSettingsHost>();
    panels.sensorPanel = std::make_unique<CConfigSensor>();
    panels.connectionPanel = std::make_unique<CBookmark>();
    window = std::make_unique<CVarnisDatamatrixDlg>(prompt, std::move(panels));
    ASSERT_EQ(window->OnInitDialog(), CVarnisDatamatrixDlg::StartResult::Run);
    window->setCommandPoster([this](int id) { posted.push_back(id); });
    state().m_SensorGlobals = vt::test::ListOf(vt::test::SensorGlobalsItems());
    SensorGlobalRecords& r = state().m_SensorGlobalRecords;
    std::string name;
    EncodeConfigName(name, u"Line 4");
    r.identity.SensorName.Assign(name);
    EncodeConfigName(name, u"Hall B");
    r.identity.SensorLocation.Assign(name);
    r.identity.FWRelease = 8020;
    r.network.SensorDHCPactive = 0;
    r.network.SensorIPaddress.Assign("172.20.1.9");
    r.network.SensorSubnetMask.Assign("255.255.0.0");
    r.network.SensorGatewayIP.Assign("172.20.1.1");
    r.network.SensorMACaddress.Assign("00:0A:3C:00:00:07");
    r.network.XmlRpcPort = 8080;
    r.network.LiveImagePort = 50002;
    r.procIf.ProcIfInterfaceType = 0;
    r.procIf.SerialBaudrate = 9600;
    r.procIf.SerialStopBits = 1;
    r.procIf.ProcIfTcpPort = 2000;
    r.procIf.ProtocolVersion = 2;
    r.procIf.ConsumingAssemblyLength = 32;
    r.procIf.EnableSegmentation = 1;
    r.procIf.NumberOfAssemblySegments = 2;
    r.procIf.AssemblySegments.Assign("10#20#30#40");
    r.general = {1, 0, 3, 25};
    ASSERT_EQ(PackGlobalRecords(state()), 0);
    window->show();
    prompt.clear();
  }
  void TearDown() override { window.reset(); }

  MainDialogState& state() { return window->state(); }
  CGlobalSettingsHost& host() { return static_cast<CGlobalSettingsHost&>(*window->panels().sensorSettings); }
  CGlobalSensorSettings& dialog() { return *host().dialog(); }
  CConfigSensor& page() { return static_cast<CConfigSensor&>(*window->panels().sensorPanel); }
  CGlobalNetworkSettings& network() { return *dialog().networkPage(); }
  template <class W = QWidget>
  W* control(QWidget& parent, int id) {
    return parent.findChild<W*>(QStringLiteral("id%1").arg(id));
  }
  // The reply to the read: the dialog opens on the recorded list.
  void Open() {
    host().OnGlobalsRead();
    ASSERT_TRUE(QTest::qWaitFor([this] { return dialog().isVisible(); }, 5000));
    prompt.clear();
    // The first focus change after opening checks nothing: spend it.
    network().ValidateFields(-1);
  }
  void Type(QLineEdit* edit, const QString& text) {
    edit->setText(text);
  }
  QStringList Messages() const {
    QStringList out;
    for (const auto& r : prompt.messages()) out << r.text;
    return out;
  }
  QString Text(int id) const { return window->text(id); }
  // The help topics opened from now on land in helpTopic.
  void WatchHelp() {
    window->setUrlOpener([this](const QUrl& url) {
      helpTopic = url.fragment().mid(5).toInt();
      return true;
    });
  }
  QString ErrorText(int code) const { return window->text(code & 0xFFFF); }
  int Posted(int id) const { return static_cast<int>(std::count(posted.begin(), posted.end(), id)); }

  LibCopy lib;
  RecordingPrompt prompt;
  std::unique_ptr<CVarnisDatamatrixDlg> window;
  std::vector<int> posted;
  int helpTopic = -1;
};
