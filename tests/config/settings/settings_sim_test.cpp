// The sensor page and the global settings dialog in the main window, connected
// to the simulated sensor and driven through their own controls: what the
// sensor holds afterwards is exactly what the user changed.
// The simulator first: its members named "slots" must not meet Qt's keyword macro.
#include "sim_window_fixture.h"
#include "sim/discovery_network.h"
#include "sim/sensor_globals_record.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QTabBar>
#include <QTest>
#include <QTreeWidget>

#include "commands/sensor_notify.h"
#include "config/config_dialogs.h"
#include "config/config_manager.h"
#include "connection/bookmark.h"
#include "core/sensor_command.h"
#include "core/text_escape.h"
#include "gui_test_support.h"
#include "services/recording_prompt.h"
#include "settings/config_sensor.h"
#include "settings/general_page.h"
#include "settings/global_sensor_settings.h"
#include "settings/global_settings_host.h"
#include "settings/interface_dialogs.h"
#include "settings/network_page.h"
#include "settings/process_page.h"
#include "text/text_codecs.h"
#include "window/lock_library.h"
#include "window/main_window.h"

#undef slots

namespace {

using vt::sim::SensorGlobalsRecord;
using Ids = CGlobalNetworkSettings;

class SettingsAgainstSensor : public vt::test::SimWindowFixture {
protected:
  void SetUp() override {
    vt::sim::setSensorGlobals(sensor.parameters, first);
    MainPanels panels;
    auto manager = std::make_unique<CConfigManager>();
    panels.configDialogs = std::make_unique<CConfigDialogs>(*manager);
    this->manager = manager.get();
    panels.configManager = std::move(manager);
    panels.sensorSettings = std::make_unique<CGlobalSettingsHost>();
    panels.sensorPanel = std::make_unique<CConfigSensor>();
    panels.connectionPanel = std::make_unique<CBookmark>();
    ASSERT_NO_FATAL_FAILURE(StartWindow(std::move(panels)));
    window->show();
    ASSERT_NO_FATAL_FAILURE(ConnectToConfigurationList());
    ASSERT_TRUE(QTest::qWaitFor([&] { return page().isVisible(); }, 5000)) << "the sensor page after connecting";
    prompt.clear();
  }

  CConfigSensor& page() { return static_cast<CConfigSensor&>(*window->panels().sensorPanel); }
  CGlobalSensorSettings& dialog() {
    return *static_cast<CGlobalSettingsHost&>(*window->panels().sensorSettings).dialog();
  }
  template <class W = QWidget>
  W* Control(QWidget& parent, int id) {
    W* w = parent.findChild<W*>(QStringLiteral("id%1").arg(id));
    EXPECT_TRUE(w) << id;
    return w;
  }
  void Click(QWidget* w) {
    ASSERT_TRUE(w);
    ASSERT_TRUE(w->isEnabled()) << w->objectName().toStdString();
    QTest::mouseClick(w, Qt::LeftButton, {}, QPoint(6, w->height() / 2));
  }
  // Clicks into the edit (the focus moving there runs the page's checks) and types over its text.
  void Enter(QLineEdit* edit, const QString& text) {
    Click(edit);
    edit->selectAll();
    QTest::keyClicks(edit, text);
  }
  void Tab(int index) {
    QTabBar* bar = dialog().tabs()->tabBar();
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(index).center());
  }
  // Sensor page, "Global sensor settings...": the read, then the dialog.
  void OpenSettings() {
    Click(Control<QPushButton>(page(), 1030));
    ASSERT_TRUE(QTest::qWaitFor([&] { return dialog().isVisible() && Idle(); }, 20000));
    dialog().activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog(), 5000));
  }
  CGlobalNetworkSettings& network() { return *dialog().networkPage(); }
  SensorGlobalsRecord Held() { return vt::sim::sensorGlobals(sensor.parameters); }
  // Field by field, so that a failure names what differs.
  static std::string Wire(const SensorGlobalsRecord& r) { return vt::sim::sensorGlobalsWire(r).toXml(); }
  int Writes() const {
    int n = 0;
    for (const auto& call : sensor.server.calls()) n += call.method == "xmlSetSensorGlobals";
    return n;
  }
  QStringList Messages() const { return Texts(); }
  QString Text(int id) const { return window->text(id); }

  SensorGlobalsRecord first;  // what the sensor holds when the window connects
  CConfigManager* manager = nullptr;
};

TEST_F(SettingsAgainstSensor, OkWritesExactlyTheChangesAndCloses) {
  EXPECT_EQ(page().nameEdit()->text(), "Varnis sensor");
  EXPECT_EQ(page().locationEdit()->text(), "Test bench");
  OpenSettings();
  // The dialog shows what the sensor holds.
  CGlobalSettings& general = *dialog().generalPage();
  CGlobalProcessSettings& process = *dialog().processPage();
  EXPECT_EQ(general.failResultsEdit()->text(), "20");
  EXPECT_TRUE(Control<QRadioButton>(general, 1041)->isChecked());
  EXPECT_TRUE(Control<QRadioButton>(general, 1044)->isChecked());
  EXPECT_EQ(process.interfaceType()->currentIndex(), 0);
  EXPECT_TRUE(process.connectMessage()->isChecked());
  EXPECT_EQ(network().field(Ids::kIpIds[0])->text(), "127");
  EXPECT_EQ(network().field(Ids::kMaskIds[1])->text(), "0");
  EXPECT_EQ(network().field(Ids::kGatewayIds[3])->text(), "254");
  EXPECT_EQ(network().field(Ids::kXmlPortId)->text(), "8080");
  EXPECT_EQ(network().field(Ids::kVideoPortId)->text(), "50002");
  EXPECT_EQ(network().field(Ids::kMacId)->text(), QString::fromStdString(first.macAddress));
  EXPECT_TRUE(network().dhcpOff()->isChecked());

  // General: fail results, then the laser (leaving the edit checks it).
  Enter(general.failResultsEdit(), "55");
  Click(Control<QRadioButton>(general, 1043));
  EXPECT_TRUE(Messages().isEmpty()) << Messages().join("|").toStdString();

  // Process interface: serial line, and its dialog.
  Tab(1);
  ASSERT_EQ(dialog().tabs()->currentTab(), 1);
  process.interfaceType()->setFocus();
  QTest::keyClick(process.interfaceType(), Qt::Key_Down);
  ASSERT_EQ(process.interfaceType()->currentIndex(), 1);
  bool serialShown = false;
  prompt.setDialogHandler([&](QDialog& d) -> int {
    auto* serial = qobject_cast<CGlobalSerialSettings*>(&d);
    if (!serial) return QDialog::Rejected;
    serialShown = true;
    EXPECT_EQ(serial->baudRates()->currentText(), "9600");
    serial->baudRates()->setCurrentIndex(serial->baudRates()->findText("38400"));
    serial->stopBits()->setCurrentIndex(serial->stopBits()->findText("2"));
    serial->parity()->setCurrentIndex(1);
    QTest::mouseClick(d.findChild<QPushButton*>("id1226"), Qt::LeftButton);
    return d.result();
  });
  Click(Control<QPushButton>(process, 1219));
  EXPECT_TRUE(serialShown);

  // Network: address, mask, gateway and both ports; each field checked as the focus moves on.
  Tab(2);
  ASSERT_EQ(dialog().tabs()->currentTab(), 2);
  Enter(network().field(Ids::kIpIds[3]), "5");
  Enter(network().field(Ids::kMaskIds[1]), "255");
  Enter(network().field(Ids::kGatewayIds[3]), "253");
  Enter(network().field(Ids::kXmlPortId), "8081");
  Enter(network().field(Ids::kVideoPortId), "50003");
  EXPECT_TRUE(Messages().isEmpty()) << Messages().join("|").toStdString();
  SaveScreenshot(dialog(), "global_settings_sim_network");

  prompt.queueAnswer(QMessageBox::Yes);
  Click(Control<QPushButton>(dialog(), 1200));
  ASSERT_TRUE(QTest::qWaitFor([&] { return !dialog().isVisible() && Idle(); }, 20000));
  EXPECT_EQ(Messages(), (QStringList{Text(6019), Text(6029)}));

  SensorGlobalsRecord expected = first;
  expected.failResultsToSave = 55;
  expected.laserMode = 1;
  expected.interfaceType = 1;
  expected.baudRate = 38400;
  expected.stopBits = 2;
  expected.parity = 1;
  expected.ipAddress = "127.0.0.5";
  expected.subnetMask = "255.255.0.0";
  expected.gateway = "127.0.0.253";
  expected.xmlRpcPort = 8081;
  expected.liveImagePort = 50003;
  EXPECT_EQ(Wire(Held()), Wire(expected));
  EXPECT_EQ(Writes(), 1);
}

TEST_F(SettingsAgainstSensor, EscapeWritesNothingAndALaterAssignOnlyTheNames) {
  OpenSettings();
  Click(Control<QRadioButton>(*dialog().generalPage(), 1043));
  Tab(2);
  Enter(network().field(Ids::kIpIds[3]), "9");
  Enter(network().field(Ids::kXmlPortId), "9000");
  Click(Control<QPushButton>(dialog(), CGlobalSensorSettings::kEscapeId));
  EXPECT_FALSE(dialog().isVisible());
  EXPECT_EQ(Writes(), 0);
  EXPECT_TRUE(Messages().isEmpty()) << Messages().join("|").toStdString();

  Enter(page().nameEdit(), "Line 7");
  Enter(page().locationEdit(), "Hall 3");
  Click(Control<QPushButton>(page(), 1034));
  ASSERT_TRUE(Idle());
  EXPECT_EQ(Writes(), 1);
  SensorGlobalsRecord expected = first;
  expected.name = vt::sim::encodeSensorText("Line 7");
  expected.location = vt::sim::encodeSensorText("Hall 3");
  EXPECT_EQ(Wire(Held()), Wire(expected));
  EXPECT_EQ(window->state().m_strTreeRootText, u"Line 7[Hall 3]");
  EXPECT_EQ(manager->tree()->rootItem()->text(0), "Line 7[Hall 3]");
}

// The sensor refuses the new location (a warning: the window stays
// connected): "Save bookmark data" stores the location the sensor kept.
TEST_F(SettingsAgainstSensor, ABookmarkAfterARefusedAssignStoresWhatTheSensorKept) {
  constexpr int kRefused = -4100;
  sensor.server.setMethod("xmlSetSensorGlobals", [](const XmlRpc::XmlRpcValue&) {
    XmlRpc::XmlRpcValue reply;
    reply[0] = kRefused;
    return reply;
  });
  Enter(page().locationEdit(), "Hall 9");
  Click(Control<QPushButton>(page(), 1034));
  ASSERT_TRUE(Idle());
  EXPECT_EQ(Writes(), 1);
  EXPECT_EQ(Messages().size(), 1) << "the refusal";
  ASSERT_TRUE(window->state().m_bConnected);
  EXPECT_EQ(Wire(Held()), Wire(first));

  prompt.clear();
  Click(Control<QPushButton>(page(), 1035));
  EXPECT_TRUE(Messages().isEmpty()) << Messages().join("|").toStdString();
  QSettings saved(lib.settingsFile(), QSettings::IniFormat);
  EXPECT_EQ(saved.value("Connections/Varnis sensor/Location").toString(), "Test bench");
}

TEST_F(SettingsAgainstSensor, DhcpOnWritesAtOnceAndTheDialogComesBack) {
  OpenSettings();
  Tab(2);
  Click(network().dhcpOn());
  // Until the reply the dialog waits, open.
  EXPECT_TRUE(dialog().isVisible());
  ASSERT_TRUE(Idle());
  EXPECT_TRUE(dialog().isVisible());
  EXPECT_FALSE(dialog().stayOpen());
  for (int id : {1200, 1027, 1222}) EXPECT_TRUE(Control<QPushButton>(dialog(), id)->isEnabled()) << id;
  EXPECT_TRUE(dialog().generalPage()->failResultsEdit()->isEnabled());
  EXPECT_TRUE(network().dhcpOff()->isEnabled());
  EXPECT_TRUE(network().field(Ids::kXmlPortId)->isEnabled());
  EXPECT_FALSE(network().field(Ids::kIpIds[0])->isEnabled()) << "the address comes from DHCP";
  EXPECT_TRUE(Messages().isEmpty()) << Messages().join("|").toStdString();
  SensorGlobalsRecord expected = first;
  expected.dhcp = 1;
  EXPECT_EQ(Wire(Held()), Wire(expected));
  Click(Control<QPushButton>(dialog(), CGlobalSensorSettings::kEscapeId));
}

// The sensor's MAC is asked for on each local adapter; only the second one's
// subnet has a responder that knows it.
TEST_F(SettingsAgainstSensor, DhcpBookmarkTakesTheAddressWhereTheMacAnswers) {
  SensorGlobalsRecord dhcp = first;
  dhcp.dhcp = 1;
  vt::sim::setSensorGlobals(sensor.parameters, dhcp);
  // The sensor page shows the settings as the program reads them again.
  OpenSettings();
  Click(Control<QPushButton>(dialog(), CGlobalSensorSettings::kEscapeId));
  ASSERT_EQ(window->state().m_SensorGlobalRecords.network.SensorDHCPactive, 1);

  vt::sim::DiscoveryNetwork responders;
  vt::sim::DiscoveryIdentity other;
  other.mac = "00:0A:3C:00:00:99";
  vt::sim::DiscoveryIdentity ours;
  ours.mac = first.macAddress;
  ours.mask = "255.255.255.240";
  int error = 0;
  ASSERT_TRUE(responders.add(*vt::parseIpv4("127.0.0.20"), other, &error)) << error;
  ASSERT_TRUE(responders.add(*vt::parseIpv4("127.0.0.38"), ours, &error)) << error;
  ::setenv("VT_DISCOVERY_PORT", std::to_string(responders.port()).c_str(), 1);
  ::setenv("VT_DISCOVERY_REPLY_MS", "1000", 1);
  page().setAdapters([] {
    return std::vector<LocalAdapter>{{"127.0.0.17", "255.255.255.240"}, {"127.0.0.33", "255.255.255.240"}};
  });
  Click(Control<QPushButton>(page(), 1035));
  ::unsetenv("VT_DISCOVERY_PORT");
  ::unsetenv("VT_DISCOVERY_REPLY_MS");
  EXPECT_TRUE(Messages().isEmpty()) << Messages().join("|").toStdString();
  QSettings saved(lib.settingsFile(), QSettings::IniFormat);
  EXPECT_EQ(saved.value("Connections/Varnis sensor/DHCP").toString(), "ON");
  EXPECT_EQ(saved.value("Connections/Varnis sensor/IPAddress").toString(), "127.0.0.38");
  EXPECT_EQ(saved.value("Connections/Varnis sensor/NetworkMask").toString(), "255.255.255.240");
  EXPECT_EQ(saved.value("Connections/Varnis sensor/MACAddress").toString(), QString::fromStdString(first.macAddress));
}

}  // namespace
