// The connect roads of the whole program against simulated sensors, through
// the window's own controls: an address typed key by key, a saved connection,
// a sensor found by the scan and then another chosen; the disconnect; every
// way a connect fails; the live image on the port the sensor names.
#include "window_roads_fixture.h"

#include <QListWidget>
#include <QSettings>
#include <QTreeWidgetItem>
#include <QToolBar>
#include <QUdpSocket>

#include "config/config_manager.h"
#include "config/config_tree_view.h"
#include "connection/bookmark.h"
#include "connection/connect_netscan.h"
#include "controls/grid_ctrl.h"
#include "dravik/comm_status.h"
#include "dravik/sensor_commands.h"
#include "real_click.h"
#include "saved_connection_rows.h"
#include "sim/sensor_globals_record.h"
#include "simulated_subnet.h"
#include "window/menu_table.h"

namespace {

using namespace DialogIds;

struct ConnectRoadsTest : vt::test::WindowRoadsFixture {
  CBookmark& panel() { return static_cast<CBookmark&>(*window->panels().connectionPanel); }
  QPushButton* PanelButton(int id) { return panel().findChild<QPushButton*>(QStringLiteral("id%1").arg(id)); }
  QLineEdit* PanelField(int id) { return panel().findChild<QLineEdit*>(QStringLiteral("id%1").arg(id)); }
  QStringList Texts() const {
    QStringList out;
    for (const auto& r : prompt.messages()) out << r.text;
    return out;
  }
  QWidget* ToolButton(int id) { return window->findChild<QToolBar*>()->widgetForAction(window->action(id)); }
  QString Address() const { return QString::fromStdString(sensor.server.address()); }
  QString Port() const { return QString::number(sensor.server.port()); }
  QString Connected() { return QString::fromStdU16String(state().m_strConnectAddress); }
  QString StatusPart(int part) { return window->statusPane(part)->text(); }

  // "IP Address...", then the address and the port typed as the operator types them.
  void TypeAddress(const QString& address, const QString& port) {
    window->action(MenuIds::kIpAddress)->trigger();
    ASSERT_TRUE(panel().isVisible());
    ClickAt(*PanelField(1009));
    PressKeys(address);
    PressKey(Qt::Key_Tab);
    ASSERT_EQ(QApplication::focusWidget(), PanelField(1013));
    PressKeys(port);
  }
  void ConnectedToOverview(int connects) {
    ASSERT_TRUE(WaitHandled(CMD_GET_CONFIG_LIST, connects));
    ASSERT_TRUE(Idle());
    ASSERT_TRUE(state().m_bConnected);
  }
  void DisconnectByToolbar() {
    const int disconnects = Count(CMD_DISCONNECT);
    ClickAt(*ToolButton(kDisconnect));
    ASSERT_TRUE(WaitHandled(CMD_DISCONNECT, disconnects + 1));
    ASSERT_TRUE(Idle());
    ASSERT_FALSE(state().m_bConnected);
  }
  QString StoredLastConnection() {
    QSettings s(lib.settingsFile(), QSettings::IniFormat);
    return s.value("Common/LastConnection").toString();
  }
  // The connect commands as a failed or ended connect leaves them: free, and
  // no "Connecting ..." in the status bar.
  void ExpectConnectFree() {
    EXPECT_TRUE(window->action(kConnect)->isEnabled());
    EXPECT_TRUE(window->action(MenuIds::kConnect)->isEnabled());
    EXPECT_NE(StatusPart(7), window->text(1018));
    EXPECT_EQ(state().m_bConnectFromScan, 0);
    EXPECT_EQ(state().m_bBusy, 0);
  }
};

TEST_F(ConnectRoadsTest, ATypedAddressConnectsAndTheDisconnectEmptiesTheOctets) {
  window->action(MenuIds::kIpAddress)->trigger();
  ClickAt(*PanelField(1009));
  PressKeys("127.");
  EXPECT_FALSE(window->action(kConnect)->isEnabled()) << "half an address";
  EXPECT_TRUE(StatusPart(7).isEmpty()) << "typing is no connect";
  PressKeys("0");
  ClickAt(*PanelButton(1015));  // still grey: nothing happens
  EXPECT_TRUE(StatusPart(7).isEmpty());
  panel().ClearOctets();

  TypeAddress(Address(), Port());
  EXPECT_TRUE(PanelButton(1015)->isEnabled());
  EXPECT_TRUE(StatusPart(7).isEmpty());
  PressKey(Qt::Key_Return);  // in the port field: connects
  EXPECT_EQ(StatusPart(7), window->text(1018)) << "a connect under way";
  ASSERT_NO_FATAL_FAILURE(ConnectedToOverview(1));
  EXPECT_EQ(Connected(), Address());
  EXPECT_EQ(state().m_nConnectPort, sensor.server.port());
  EXPECT_EQ(StatusPart(2), " " + Address()) << "the typed address is the connection's label";
  EXPECT_EQ(StoredLastConnection(), "") << "a typed address is no saved connection";
  ExpectTableState();

  // A blank typed into a field of a page reaches it (the window's key filter
  // swallows Space only elsewhere).
  auto* name = window->panels().sensorPanel->widget()->findChild<QLineEdit*>("id1027");
  ASSERT_TRUE(name && name->isVisible());
  ClickAt(*name);
  name->selectAll();
  PressKeys("Line 3");
  EXPECT_EQ(name->text(), "Line 3");

  ASSERT_NO_FATAL_FAILURE(DisconnectByToolbar());
  ExpectConnectFree();
  window->action(MenuIds::kIpAddress)->trigger();
  EXPECT_EQ(panel().octetTexts(), (std::array<QString, 4>{}));
  ExpectTableState();
}

// The overview a connect opens names the sensor at the tree's root as the
// sensor page shows it, and its command bar has the window's face, not the
// picture the connection panel left beneath it.
TEST_F(ConnectRoadsTest, TheOverviewNamesTheSensorOverAPlainCommandBar) {
  TypeAddress(Address(), Port());
  ClickAt(*PanelButton(1015));
  ASSERT_NO_FATAL_FAILURE(ConnectedToOverview(1));
  auto& manager = dynamic_cast<CConfigManager&>(*window->panels().configManager);
  const QString name = Field(1027)->text(), location = Field(1028)->text();
  ASSERT_FALSE(name.isEmpty());
  EXPECT_EQ(manager.tree()->rootItem()->text(0), name + " [" + location + "]");

  QApplication::processEvents();
  const QImage shown = window->grab().toImage();
  QWidget* bar = manager.buttons();
  const QColor face = bar->palette().color(QPalette::Window);
  // The bar's margin left of its buttons, from top to bottom.
  for (int y : {2, bar->height() / 2, bar->height() - 3})
    EXPECT_EQ(shown.pixelColor(bar->mapTo(window.get(), QPoint(1, y)) * shown.devicePixelRatio()), face) << y;
}

// A connect from the panel to a sensor reading in the monitor leaves the
// panel's status texts behind: the status bar shows the sensor and the mode.
TEST_F(ConnectRoadsTest, AConnectFromThePanelIntoTheMonitorShowsTheSensorInTheStatusBar) {
  ActivateAConfiguration();
  sensor.model.setState(2);
  TypeAddress(Address(), Port());
  ClickAt(*PanelButton(1015));
  ASSERT_TRUE(WaitHandled(CMD_RESUME_POLLING));
  ASSERT_TRUE(Idle());
  ASSERT_TRUE(state().m_bMonitorView);
  EXPECT_NE(StatusPart(1), window->text(1005)) << "not 'Not connected'";
  EXPECT_EQ(StatusPart(2), " " + Address());
  EXPECT_FALSE(StatusPart(3).isEmpty()) << "the sensor's type and software";
  EXPECT_EQ(StatusPart(6), window->text(1015));
  ExpectTableState();
}

// The saved connection a connect used is the one the next start preselects.
TEST_F(ConnectRoadsTest, TheSavedConnectionUsedLastIsPreselectedAtTheNextStart) {
  SavedConnection bench{"Bench", "Hall", "00:0A:3C:12:34:56", Address(), "", "OFF", Port(), ""};
  SavedConnection other{"Other", "Hall", "00:0A:3C:12:34:57", "127.0.0.77", "", "OFF", "8080", ""};
  ASSERT_EQ(panel().SaveConnection(bench), 0);
  ASSERT_EQ(panel().SaveConnection(other), 0);
  ASSERT_EQ(StoredLastConnection(), "Other");

  window->action(MenuIds::kIpAddress)->trigger();
  ASSERT_NO_FATAL_FAILURE(ClickConnection(panel(), "Bench"));
  ClickAt(*PanelButton(1015));
  ASSERT_NO_FATAL_FAILURE(ConnectedToOverview(1));
  EXPECT_EQ(Connected(), Address());
  EXPECT_EQ(StoredLastConnection(), "Bench");
  EXPECT_EQ(window->lastConnection(), "Bench");
  EXPECT_EQ(StatusPart(2), " " + window->dialogControl().FormatConnectionLabel("Bench"));
  ASSERT_NO_FATAL_FAILURE(DisconnectByToolbar());

  StartWindow();
  ASSERT_NE(panel().SelectedConnection(), nullptr);
  EXPECT_EQ(panel().SelectedConnection()->name, "Bench");
  // The toolbar's connect with nothing typed connects it.
  ClickAt(*ToolButton(kConnect));
  ASSERT_NO_FATAL_FAILURE(ConnectedToOverview(2));
  EXPECT_EQ(Connected(), Address());
}

// A sensor found by the scan is connected; after the disconnect the saved
// connection the operator selects is, whichever connect button is used.
TEST_F(ConnectRoadsTest, AfterAConnectFromTheScanTheNextConnectGoesWhereTheOperatorChose) {
  vt::test::QueryEveryHost everyHost;
  vt::test::SimulatedSubnet net;
  net.add(3, vt::test::SimulatedSubnet::sensor("Scanned", "00:0A:3C:00:00:33"));
  // A scanned sensor is connected on 8080.
  vt::test::SimulatedSensor scanned(net.hostText(3), 8080);
  ASSERT_TRUE(scanned.Start()) << scanned.error();
  SavedConnection bench{"Bench", "Hall", "00:0A:3C:12:34:56", Address(), "", "OFF", Port(), ""};
  ASSERT_EQ(panel().SaveConnection(bench), 0);

  window->action(MenuIds::kIpAddress)->trigger();
  ClickAt(*PanelButton(1014));
  CConnectNetscan& scan = *panel().scanDialog();
  ASSERT_TRUE(scan.isVisible());
  const QStringList network = QString::fromStdString(net.networkText()).split('.');
  const QStringList mask = QString::fromStdString(net.maskText()).split('.');
  for (int i = 0; i < 4; ++i) {
    scan.octet(i)->setText(network[i]);
    scan.octet(4 + i)->setText(mask[i]);
  }
  auto scanButton = [&](int id) { return scan.findChild<QPushButton*>(QStringLiteral("id%1").arg(id)); };
  ClickAt(*scanButton(1070));
  ASSERT_EQ(scan.zoneList()->count(), 1);
  ClickAt(*scanButton(1072));
  ASSERT_TRUE(QTest::qWaitFor([&] { return !scan.sweepRunning() && !state().m_bBusy; }, 30000));
  ASSERT_EQ(scan.foundCount(), 1);
  ClickAt(*scanButton(1016));  // Save: "Scanned" on 8080
  ClickAt(*scanButton(1015));  // Connect
  EXPECT_FALSE(scan.isVisible());
  ASSERT_NO_FATAL_FAILURE(ConnectedToOverview(1));
  EXPECT_EQ(Connected().toStdString(), net.hostText(3));
  EXPECT_EQ(scanned.server.countCalls("xmlConnect"), 1u);
  EXPECT_EQ(state().m_bConnectFromScan, 0) << "the connect's reply used the scan's choice up";
  ASSERT_NO_FATAL_FAILURE(DisconnectByToolbar());

  // The panel's Connect with "Bench" selected.
  window->action(MenuIds::kIpAddress)->trigger();
  ASSERT_NO_FATAL_FAILURE(ClickConnection(panel(), "Bench"));
  ClickAt(*PanelButton(1015));
  ASSERT_NO_FATAL_FAILURE(ConnectedToOverview(2));
  EXPECT_EQ(Connected(), Address());
  EXPECT_EQ(sensor.server.countCalls("xmlConnect"), 1u);
  ASSERT_NO_FATAL_FAILURE(DisconnectByToolbar());

  // The toolbar's connect while the panel shows "Scanned" selected.
  window->action(MenuIds::kIpAddress)->trigger();
  ASSERT_NO_FATAL_FAILURE(ClickConnection(panel(), "Scanned"));
  ClickAt(*ToolButton(kConnect));
  ASSERT_NO_FATAL_FAILURE(ConnectedToOverview(3));
  EXPECT_EQ(Connected().toStdString(), net.hostText(3));
  EXPECT_EQ(scanned.server.countCalls("xmlConnect"), 2u);
  EXPECT_EQ(StoredLastConnection(), "Scanned");
  ASSERT_NO_FATAL_FAILURE(DisconnectByToolbar());
}

// Every way a connect fails ends the library's session (the sensor is told
// "xmlDisconnect" where it answered "xmlConnect", the heartbeat ends) and
// leaves the connect commands free.
TEST_F(ConnectRoadsTest, EveryFailedConnectEndsTheSessionAndFreesTheConnect) {
  QUdpSocket probe;  // a port where nothing listens
  ASSERT_TRUE(probe.bind(QHostAddress(Address()), 0));
  const QString closedPort = QString::number(probe.localPort());
  probe.close();
  const vt::sim::SensorState::Identity normal = sensor.identity.identity();
  struct Case {
    const char* name;
    std::function<void()> arrange;
    bool answered;    // "xmlConnect" was answered: "xmlDisconnect" follows
    bool resets;      // the message is an error: the window is reset (octets emptied)
    QString says = {};  // what the message says, when the case is about its text
  };
  auto identity = [&](auto change) {
    return [&, change] {
      auto id = normal;
      change(id);
      sensor.identity.setIdentity(id);
    };
  };
  const Case cases[] = {
      {"nothing listens", [] {}, false, false},
      {"in use", identity([](auto& id) { id.connectStatus = -107; }), true, false},
      {"a warning of the sensor's", identity([](auto& id) { id.connectStatus = 3; }), true, false,
       window->text(51314).arg(3)},
      {"state unreadable", [&] { sensor.model.script().push("xmlGetState", vt::sim::ScriptedReply::wrongType()); },
       true, true},
      {"software too old", identity([](auto& id) { id.softwareVersion = "2000"; }), true, true},
      {"another family", identity([](auto& id) { id.sensorType = "R5T-1D"; }), true, true},
      {"type not served", identity([](auto& id) {
         id.sensorType = "K7M-9X";
         id.compatibleSensorTypes = {"K7M-9X"};
       }),
       true, true},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(k.name);
    sensor.identity.setIdentity(normal);
    k.arrange();
    sensor.server.clearCalls();
    prompt.clear();
    const int connects = Count(CMD_CONNECT);
    window->action(MenuIds::kIpAddress)->trigger();
    panel().ClearOctets();
    TypeAddress(Address(), k.answered || k.resets ? Port() : closedPort);
    PressKey(Qt::Key_Return);
    ASSERT_TRUE(WaitHandled(CMD_CONNECT, connects + 1));
    ASSERT_TRUE(Idle());
    EXPECT_FALSE(state().m_bConnected);
    EXPECT_EQ(prompt.messages().size(), 1) << Texts().join('|').toStdString();
    if (!k.says.isEmpty()) {
      EXPECT_EQ(Texts().value(0), k.says);
    }
    int unused = 0;
    EXPECT_EQ(GetState(&unused), COMM_NOT_CONNECTED) << "the library's session ended";
    EXPECT_EQ(sensor.server.countCalls("xmlDisconnect"), k.answered ? 1u : 0u);
    ExpectConnectFree();
    if (!k.resets) {
      // The message did not reset the window: the panel still shows the address.
      EXPECT_TRUE(panel().isVisible());
      EXPECT_EQ(panel().octetTexts()[0], Address().section('.', 0, 0));
      EXPECT_TRUE(PanelButton(1015)->isEnabled());
    } else {
      EXPECT_EQ(panel().octetTexts(), (std::array<QString, 4>{})) << "the reset empties them";
    }
    ExpectTableState();
  }
  // And a connect that works follows.
  sensor.identity.setIdentity(normal);
  window->action(MenuIds::kIpAddress)->trigger();
  panel().ClearOctets();
  TypeAddress(Address(), Port());
  PressKey(Qt::Key_Return);
  ASSERT_NO_FATAL_FAILURE(ConnectedToOverview(1));
}

// The live image streams on the port the sensor's global settings name.
TEST_F(ConnectRoadsTest, TheLiveImageComesOnThePortTheSensorNames) {
  constexpr uint16_t kVideoPort = 50102;
  sensor.liveImage.stop();
  auto globals = vt::sim::sensorGlobals(sensor.parameters);
  globals.liveImagePort = kVideoPort;
  vt::sim::setSensorGlobals(sensor.parameters, globals);
  ASSERT_EQ(sensor.liveImage.start(*vt::parseIpv4(sensor.server.address().c_str()), kVideoPort), 0);

  TypeAddress(Address(), Port());
  PressKey(Qt::Key_Return);
  ASSERT_NO_FATAL_FAILURE(ConnectedToOverview(1));
  EXPECT_EQ(state().m_nLiveImagePort, kVideoPort);
  state().m_bBusy = 1;
  window->PostSensorCommand(CMD_START_LIVE_IMAGE);
  ASSERT_TRUE(WaitHandled(CMD_START_LIVE_IMAGE));
  ASSERT_TRUE(WaitHandled(SN_LIVE_IMAGE_FRAME)) << "frames arrive";
  EXPECT_GE(sensor.liveImage.handshakesReceived(), 1);
  EXPECT_TRUE(prompt.messages().isEmpty()) << Texts().join('|').toStdString();
}

}  // namespace
