// The network scan dialog end to end through its own controls, against
// simulated discovery responders on a loopback subnet of this process.
#include <QFile>
#include <QListWidget>
#include <filesystem>
#include <fstream>
#include <string>

#include "connection_fixture.h"
#include "core/sensor_command.h"
#include "real_click.h"
#include "recording_target.h"
#include "sonvira/sonvira.h"
#include "simulated_subnet.h"

namespace {

using vt::test::SimulatedSubnet;

// The threads of this process of that name (/proc shows each thread's).
int ThreadsNamed(const std::string& name) {
  int count = 0;
  for (const auto& task : std::filesystem::directory_iterator("/proc/self/task")) {
    std::ifstream comm(task.path() / "comm");
    std::string line;
    if (std::getline(comm, line) && line == name) ++count;
  }
  return count;
}

class NetworkScan : public ConnectionTest {
protected:
  void SetUp() override {
    ConnectionTest::SetUp();
    for (int i = 1; i <= 3; ++i) {
      auto identity = SimulatedSubnet::sensor("Sensor" + std::to_string(i), "00:0A:3C:00:00:0" + std::to_string(i));
      identity.secondText = "Line " + std::to_string(i);
      net.add(uint32_t(i * 2), identity);
    }
    net.add(9, SimulatedSubnet::foreign());
    auto otherFamily = SimulatedSubnet::sensor("Old", "00:0A:3C:00:00:09");
    otherFamily.type = "R5T";
    net.add(11, otherFamily);
  }

  CConnectNetscan& dialog() { return *panel().scanDialog(); }
  QPushButton* scanButton(int id) { return dialog().findChild<QPushButton*>(QStringLiteral("id%1").arg(id)); }
  void open() {
    ClickAt(*button(1014));
    ASSERT_TRUE(dialog().isVisible());
  }
  void addZone(const std::string& network, const std::string& mask) {
    const QStringList n = QString::fromStdString(network).split('.');
    const QStringList m = QString::fromStdString(mask).split('.');
    for (int i = 0; i < 4; ++i) {
      type(dialog().octet(i), n[i]);
      type(dialog().octet(4 + i), m[i]);
    }
    ClickAt(*scanButton(1070));
  }
  void scan() {
    ClickAt(*scanButton(1072));
    ASSERT_TRUE(waitFor([&] { return !dialog().sweepRunning(); })) << "the sweep ends";
  }
  QString cell(int row, int col) { return dialog().grid()->GetCellText(row, col); }

  vt::test::QueryEveryHost everyHost;
  SimulatedSubnet net;
};

TEST_F(NetworkScan, ListsTheServedSensorsOnceAndConnectsToOne) {
  open();
  addZone(net.networkText(), net.maskText());
  ASSERT_EQ(dialog().zoneList()->count(), 1);
  scan();
  EXPECT_EQ(state().m_bBusy, 0);
  ASSERT_EQ(dialog().foundCount(), 3) << "the foreign device and the other family are left out";
  for (int i = 1; i <= 3; ++i) {
    EXPECT_EQ(cell(i, 0), QStringLiteral("Sensor%1").arg(i));
    EXPECT_EQ(cell(i, 1), QStringLiteral("Line %1").arg(i));
    EXPECT_EQ(cell(i, 2).toStdString(), net.hostText(uint32_t(i * 2)));
    EXPECT_EQ(cell(i, 3), QStringLiteral("00:0A:3C:00:00:0%1").arg(i));
  }
  EXPECT_EQ(cell(4, 0), "");
  EXPECT_TRUE(messages().isEmpty());
  SaveScreenshot(dialog(), "network_scan");

  // Connect to the second: the connect road with its address.
  QTest::mouseClick(dialog().grid()->viewport(), Qt::LeftButton, Qt::NoModifier,
                    QPoint(40, 23 + 22 + 11));
  ASSERT_EQ(dialog().grid()->GetSelectedRow(), 2);
  ClickAt(*scanButton(1015));
  EXPECT_FALSE(dialog().isVisible());
  ASSERT_EQ(posted, std::vector<int>{CMD_CONNECT});
  EXPECT_EQ(QString::fromStdU16String(state().m_strConnectAddress).toStdString(), net.hostText(4));
  EXPECT_EQ(state().m_bConnectFromScan, 1);
  EXPECT_EQ(state().m_nZoneCount, 1);
  EXPECT_EQ(state().m_arrZoneNetworks.size(), 1u) << "the zones stay for DHCP lookups";
}

// Every button of the dialog is the widget a click at its place reaches:
// the group boxes lie behind the controls they frame.
TEST_F(NetworkScan, EveryButtonTakesAClickAtItsPlace) {
  open();
  const QList<QPushButton*> buttons = dialog().findChildren<QPushButton*>();
  ASSERT_EQ(buttons.size(), 9);
  for (QPushButton* b : buttons) EXPECT_EQ(WidgetAtCentreOf(*b), b) << b->objectName().toStdString();
  addZone(net.networkText(), net.maskText());
  ASSERT_TRUE(scanButton(1072)->isEnabled());
  ClickAt(*scanButton(1072));
  EXPECT_EQ(state().m_bBusy, 1) << "the sweep runs";
  ASSERT_TRUE(waitFor([&] { return !dialog().sweepRunning(); }));
  EXPECT_EQ(dialog().foundCount(), 3);
}

TEST_F(NetworkScan, SaveAllStoresEveryFoundSensorForTheNextStart) {
  open();
  addZone(net.networkText(), net.maskText());
  scan();
  ASSERT_EQ(dialog().foundCount(), 3);
  ClickAt(*scanButton(1017));
  EXPECT_TRUE(messages().isEmpty());
  ClickAt(*scanButton(1));
  EXPECT_FALSE(dialog().isVisible());

  // The file as the next start reads it.
  QFile file(lib.settingsFile());
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  const QString ini = QString::fromUtf8(file.readAll());
  for (int i = 1; i <= 3; ++i) {
    EXPECT_TRUE(ini.contains(QStringLiteral("Sensor%1\\IPAddress=%2").arg(i).arg(
        QString::fromStdString(net.hostText(uint32_t(i * 2))))))
        << ini.toStdString();
    EXPECT_TRUE(ini.contains(QStringLiteral("Sensor%1\\XMLPort=8080").arg(i)));
  }
  CQuorrenReg fresh(lib.configFolder());
  fresh.setBasePath(window->settings().basePath());
  EXPECT_EQ(fresh.CountConnections(), 4);  // and the default one
  EXPECT_EQ(panel().grid()->GetCellText(5, 0), "Sensor1");
}

TEST_F(NetworkScan, EveryExitStopsTheSweepAndANewScanStartsCleanly) {
  // A second zone without sensors keeps the sweep going after the first find.
  SimulatedSubnet silent(28, net.port());
  silent.addSilent(1);
  open();
  addZone(net.networkText(), net.maskText());
  addZone(silent.networkText(), silent.maskText());
  ASSERT_EQ(dialog().zoneList()->count(), 2);
  ClickAt(*scanButton(1072));
  ASSERT_TRUE(waitFor([&] { return dialog().foundCount() >= 1; }));
  ASSERT_TRUE(dialog().sweepRunning());
  EXPECT_FALSE(dialog().scanning()) << "the first find returns the dialog to idle";
  const int found = dialog().foundCount();
  ClickAt(*scanButton(1));
  EXPECT_FALSE(dialog().isVisible());
  EXPECT_FALSE(dialog().sweepRunning());
  EXPECT_EQ(state().m_bBusy, 0);
  QTest::qWait(300);
  EXPECT_EQ(dialog().foundCount(), found) << "nothing arrives after the close";
  EXPECT_TRUE(messages().isEmpty());

  // The reset closes it as well.
  open();
  addZone(net.networkText(), net.maskText());
  ClickAt(*scanButton(1072));
  ASSERT_TRUE(waitFor([&] { return dialog().foundCount() >= 1; }));
  window->ResetUserInterface();
  EXPECT_FALSE(dialog().isVisible());
  EXPECT_FALSE(dialog().sweepRunning());
  // The reset hid the panel: "IP Address..." shows it again.
  window->action(32779)->trigger();

  // A new scan runs to its end.
  open();
  addZone(net.networkText(), net.maskText());
  scan();
  EXPECT_EQ(dialog().foundCount(), 3);
  EXPECT_EQ(state().m_bBusy, 0);
}

// The destruction of the window during a sweep: the sweep's thread has
// ended when it returns, and the library's zones went with the dialog.
TEST_F(NetworkScan, DestroyingTheWindowDuringASweepEndsItAndEmptiesTheZones) {
  SimulatedSubnet silent(28, net.port());
  silent.addSilent(1);
  open();
  addZone(net.networkText(), net.maskText());
  addZone(silent.networkText(), silent.maskText());
  ClickAt(*scanButton(1072));
  ASSERT_TRUE(waitFor([&] { return dialog().foundCount() >= 1; }));
  ASSERT_TRUE(dialog().sweepRunning());
  ASSERT_EQ(ThreadsNamed("sonvira-scan"), 1) << "the sweep goes on after the first find";
  window.reset();
  EXPECT_EQ(ThreadsNamed("sonvira-scan"), 0);
  vt::test::RecordingTarget target;
  EXPECT_EQ(Sonvira_StartScanning(target.window(), 4900, 4901), SONVIRA_NO_SUBNETS);
  Sonvira_StopScanning();
}

TEST_F(NetworkScan, ZonesAreCheckedWhenAddedAndRegisteredAgainAfterADelete) {
  open();
  struct Case {
    const char* network;
    const char* mask;
    QStringList messages;
    int zones;
  };
  const Case cases[] = {
      {"192.168.0.5", "255.255.255.0", {QString()}, 0},  // not the network address: 5996
      {"192.168.0.0", "255.255.255.255", {}, 0},          // the mask check refuses silently
      {"192.168.0.0", "0.0.0.0", {}, 0},
      {"192.168.0.0", "255.0.255.0", {}, 0},
      {"192.168.0.0", "255.255.255.0", {}, 1},
      {"10.0.0.0", "255.0.0.0", {}, 2},
      {"172.16.0.0", "255.255.0.0", {}, 3},
  };
  for (const Case& k : cases) {
    prompt.clear();
    addZone(k.network, k.mask);
    QStringList expected;
    for (const QString& m : k.messages) expected << (m.isEmpty() ? text(5996) : m);
    EXPECT_EQ(messages(), expected) << k.network << " " << k.mask;
    EXPECT_EQ(dialog().zoneList()->count(), k.zones) << k.network << " " << k.mask;
  }
  // Delete the middle zone: lines and masks stay aligned.
  dialog().zoneList()->setCurrentRow(1);
  ClickAt(*scanButton(1071));
  ASSERT_EQ(dialog().zoneList()->count(), 2);
  EXPECT_EQ(dialog().zoneList()->item(1)->text(), "172.16.0.0");
  EXPECT_EQ(state().m_arrZoneMasks[1], u"255.255.0.0");
  // Delete with the key, then the last one by the button: Start search goes off.
  dialog().zoneList()->setCurrentRow(0);
  QTest::keyClick(dialog().zoneList(), Qt::Key_Delete);
  dialog().zoneList()->setCurrentRow(0);
  ClickAt(*scanButton(1071));
  EXPECT_EQ(dialog().zoneList()->count(), 0);
  EXPECT_FALSE(scanButton(1072)->isEnabled());
  EXPECT_TRUE(scanButton(1070)->isEnabled());
  ClickAt(*scanButton(2));
  EXPECT_FALSE(dialog().isVisible());
}

TEST_F(NetworkScan, ASweepThatKeepsNoSensorSaysSo) {
  SimulatedSubnet others(28, net.port());
  others.add(1, SimulatedSubnet::foreign());
  open();
  addZone(others.networkText(), others.maskText());
  scan();
  EXPECT_EQ(dialog().foundCount(), 0);
  EXPECT_EQ(messages(), QStringList{text(8810)});
  EXPECT_EQ(state().m_bBusy, 0);
  EXPECT_FALSE(scanButton(1015)->isEnabled());
}

}  // namespace
