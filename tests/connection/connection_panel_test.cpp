// The connection panel through its own controls: typed addresses and ports
// with their checks, the saved connection's address, DHCP by MAC.
#include "connection_fixture.h"
#include "core/sensor_command.h"
#include "real_click.h"
#include "saved_connection_rows.h"
#include "simulated_subnet.h"

namespace {

class ConnectionPanel : public ConnectionTest {
protected:
  void typeAddress(const QStringList& octets, const QString& port = "8080") {
    for (int i = 0; i < 4; ++i) type(edit(1009 + i), octets[i]);
    type(edit(1013), port);
  }
  QString address() const { return QString::fromStdU16String(window->state().m_strConnectAddress); }
};

TEST_F(ConnectionPanel, ThreeDigitsMoveOnAndABadOctetIsRefusedAtOnce) {
  type(edit(1009), "192");
  EXPECT_EQ(QApplication::focusWidget(), edit(1010));
  QTest::keyClicks(edit(1010), "300");
  EXPECT_EQ(messages(), QStringList{errorText(-14210)});
  EXPECT_EQ(edit(1010)->text(), "");
  EXPECT_FALSE(button(1015)->isEnabled());
  EXPECT_TRUE(posted.empty());
}

// Addresses typed as people type them, digit by digit and dot by dot: three
// digits move on by themselves and the dot typed after them is swallowed.
TEST_F(ConnectionPanel, AnAddressTypedWithItsDotsFillsTheFourOctets) {
  const struct {
    const char* typed;
    QStringList octets;
  } cases[] = {
      {"127.0.0.5", {"127", "0", "0", "5"}},
      {"10.1.20.3", {"10", "1", "20", "3"}},
      {"192.168.100.200", {"192", "168", "100", "200"}},
      {"1.22.333", {"1", "22", "", ""}},  // 333 is no octet: refused, the field emptied
  };
  for (const auto& k : cases) {
    SCOPED_TRACE(k.typed);
    prompt.clear();
    panel().ClearOctets();
    ClickAt(*edit(1009));
    ASSERT_EQ(QApplication::focusWidget(), edit(1009));
    PressKeys(k.typed);
    for (int i = 0; i < 4; ++i) EXPECT_EQ(edit(1009 + i)->text(), k.octets[i]) << i;
    const bool complete = !k.octets[3].isEmpty();
    EXPECT_EQ(messages().isEmpty(), complete);
    EXPECT_EQ(button(1015)->isEnabled(), complete);
    EXPECT_EQ(window->action(5000)->isEnabled(), complete);
  }
  // A dot in an empty octet or in the last one stays out of it.
  panel().ClearOctets();
  ClickAt(*edit(1009));
  PressKeys(".1.2.3.4.");
  EXPECT_EQ(panel().octetTexts(), (std::array<QString, 4>{"1", "2", "3", "4"}));
}

// Tab walks the typed address and then the buttons; Enter in the port
// field connects to what was typed.
TEST_F(ConnectionPanel, TabWalksOctetsPortAndButtonsAndEnterInThePortConnects) {
  ClickAt(*edit(1009));
  PressKeys("127.0.0.5");
  const QWidget* order[] = {edit(1013), button(1015), button(1014), button(1196), button(1016)};
  for (const QWidget* next : order) {
    PressKey(Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), next) << next->objectName().toStdString();
  }
  // Into a field with Tab, typing replaces what it held.
  ClickAt(*edit(1012));
  PressKey(Qt::Key_Tab);
  PressKeys("8081");
  EXPECT_EQ(edit(1013)->text(), "8081");
  EXPECT_EQ(panel().octetTexts(), (std::array<QString, 4>{"127", "0", "0", "5"}));
  EXPECT_TRUE(posted.empty());
  SaveScreenshot(*window, "connection_panel_typed");
  PressKey(Qt::Key_Return);
  ASSERT_EQ(posted, std::vector<int>{CMD_CONNECT});
  EXPECT_EQ(address(), "127.0.0.5");
  EXPECT_EQ(state().m_nConnectPort, 8081);
}

// Every button of the panel is the widget a click at its place reaches.
TEST_F(ConnectionPanel, EveryButtonTakesAClickAtItsPlace) {
  const QList<QPushButton*> buttons = panel().findChildren<QPushButton*>();
  ASSERT_EQ(buttons.size(), 5);
  for (QPushButton* b : buttons) EXPECT_EQ(WidgetAtCentreOf(*b), b) << b->objectName().toStdString();
  ClickAt(*edit(1009));
  PressKeys("127.0.0.9");
  ClickAt(*button(1015));
  EXPECT_EQ(posted, std::vector<int>{CMD_CONNECT});
}

TEST_F(ConnectionPanel, ChecksAtConnectSendNothingAndSayWhy) {
  struct Case {
    QStringList octets;
    QString port;
    int error;
    QString portAfter;
  };
  const Case cases[] = {
      {{"192", "168", "0", "0"}, "8080", -19015, "8080"},  // a block's base address
      {{"0", "0", "0", "0"}, "8080", -19015, "8080"},
      {{"255", "255", "255", "255"}, "8080", -19015, "8080"},  // every host's broadcast is none
      {{"192", "168", "1", "20"}, "70000", -14213, "8080"},  // taken while typing, refused here
      {{"192", "168", "1", "20"}, "99999", -14213, "8080"},
  };
  for (const Case& k : cases) {
    prompt.clear();
    typeAddress(k.octets, k.port);
    EXPECT_TRUE(messages().isEmpty()) << "typing " << k.port.toStdString();
    ClickAt(*button(1015));
    EXPECT_EQ(messages(), QStringList{errorText(k.error)}) << k.octets.join('.').toStdString();
    EXPECT_EQ(edit(1013)->text(), k.portAfter);
    EXPECT_TRUE(posted.empty());
    EXPECT_EQ(state().m_bBusy, 0);
    EXPECT_TRUE(window->statusPane(7)->text().isEmpty()) << "no connect is under way";
  }
  // A letter or a small port is refused while typing.
  for (const char* port : {"80a", "1023"}) {
    prompt.clear();
    type(edit(1013), port);
    EXPECT_EQ(messages(), QStringList{errorText(-14213)}) << port;
    EXPECT_EQ(edit(1013)->text(), "8080");
  }
}

TEST_F(ConnectionPanel, ATypedAddressConnectsInDecimalWithItsPort) {
  typeAddress({"010", "000", "000", "007"}, "8081");
  ASSERT_TRUE(button(1015)->isEnabled());
  EXPECT_TRUE(window->action(5000)->isEnabled());
  // Enter on Connect presses it; Escape and Space do nothing.
  button(1015)->setFocus();
  QTest::keyClick(button(1015), Qt::Key_Escape);
  QTest::keyClick(button(1015), Qt::Key_Space);
  EXPECT_TRUE(posted.empty());
  QTest::keyClick(button(1015), Qt::Key_Return);
  ASSERT_EQ(posted, std::vector<int>{CMD_CONNECT});
  EXPECT_EQ(address(), "10.0.0.7");
  EXPECT_EQ(state().m_nConnectPort, 8081);
  EXPECT_EQ(state().m_bBusy, 1);
  EXPECT_FALSE(button(1015)->isEnabled());
  EXPECT_EQ(window->statusPane(7)->text(), text(1018));
}

// The address class is a check of saved and scanned addresses; a typed one
// passes the octet and plausibility checks only.
TEST_F(ConnectionPanel, ATypedAddressSkipsTheClassCheckThatASavedOneMeets) {
  ::unsetenv("VT_ALLOW_LOOPBACK_SENSOR");  // loopback fails the class check now
  store(conn("Local", "127.0.0.5"));
  panel().RefreshList();
  ASSERT_NO_FATAL_FAILURE(ClickConnection(panel(), "Local"));
  ASSERT_TRUE(button(1015)->isEnabled());
  ClickAt(*button(1015));
  EXPECT_TRUE(posted.empty());
  EXPECT_EQ(state().m_bBusy, 0);
  ClickAt(*edit(1009));
  PressKeys("127.0.0.5");
  ClickAt(*button(1015));
  EXPECT_EQ(posted, std::vector<int>{CMD_CONNECT});
  EXPECT_EQ(address(), "127.0.0.5");
}

// The toolbar's connect with no address typed or used before connects the
// selected saved connection and shows the panel.
TEST_F(ConnectionPanel, ConnectWithoutAnAddressConnectsTheSelectedOneAndShowsThePanel) {
  ASSERT_EQ(panel().SaveConnection(conn("Press", "127.0.0.5")), 0);
  ClickAt(*button(1016));  // Close: the last connection stays selected
  ASSERT_FALSE(panel().isVisible());
  ASSERT_TRUE(window->action(5000)->isEnabled());
  window->action(5000)->trigger();
  EXPECT_EQ(posted, std::vector<int>{CMD_CONNECT});
  EXPECT_EQ(address(), "127.0.0.5");
  EXPECT_TRUE(panel().isVisible());
  EXPECT_EQ(state().m_nWizardStep, 3);
  EXPECT_EQ(window->statusPane(7)->text(), text(1018));
}

TEST_F(ConnectionPanel, ASavedConnectionConnectsWithItsStoredAddressAndPort) {
  store(SavedConnection{"Press", "Hall", "00:0A:3C:00:00:01", "192.168.001.020", "", "OFF", "8090", ""});
  store(SavedConnection{"Public", "Hall", "00:0A:3C:00:00:02", "8.8.8.8", "", "OFF", "8080", ""});
  store(SavedConnection{"Nowhere", "Hall", "00:0A:3C:00:00:03", "-", "", "OFF", "8080", ""});
  panel().RefreshList();
  ASSERT_TRUE(panel().SelectConnection("Press"));
  panel().ConnectSelected();  // the main window's connect without an address
  ASSERT_EQ(posted, std::vector<int>{CMD_CONNECT});
  EXPECT_EQ(address(), "192.168.1.20");
  EXPECT_EQ(state().m_nConnectPort, 8090);

  for (const char* name : {"Public", "Nowhere"}) {
    posted.clear();
    prompt.clear();
    state().m_bBusy = 0;
    ASSERT_TRUE(panel().SelectConnection(name));
    panel().ConnectSelected();
    EXPECT_TRUE(posted.empty()) << name;
    EXPECT_EQ(state().m_bBusy, 0) << name;
  }
  EXPECT_EQ(messages(), QStringList{text(8716)}) << "no address: said, never a name as a host";
}

TEST_F(ConnectionPanel, ADhcpConnectionIsFoundByItsMacAtConnect) {
  vt::test::QueryEveryHost everyHost;
  vt::test::SimulatedSubnet net;
  net.add(3, vt::test::SimulatedSubnet::sensor("Dhcp", "00:0a:3c:00:00:33"));
  net.add(5, vt::test::SimulatedSubnet::sensor("Other", "00:0A:3C:00:00:55"));
  // Stored with an address of its network and the mask; the MAC in other case.
  store(SavedConnection{"Dhcp", "Hall", "00:0A:3C:00:00:33", QString::fromStdString(net.hostText(1)),
                        QString::fromStdString(net.maskText()), "ON", "8080", ""});
  store(SavedConnection{"Bare", "Hall", "00:0A:3C:00:00:44", "", "", "ON", "8080", ""});
  panel().RefreshList();
  ASSERT_TRUE(panel().SelectConnection("Dhcp"));
  panel().ConnectSelected();
  ASSERT_EQ(posted, std::vector<int>{CMD_CONNECT});
  EXPECT_EQ(address().toStdString(), net.hostText(3));

  posted.clear();
  state().m_bBusy = 0;
  ASSERT_TRUE(panel().SelectConnection("Bare"));
  panel().ConnectSelected();
  EXPECT_TRUE(posted.empty());
  EXPECT_EQ(messages(), QStringList{text(8717)});
}

TEST_F(ConnectionPanel, CloseRestoresTheConnectControlsAndReselectsTheLastConnection) {
  ASSERT_EQ(panel().SaveConnection(conn("Press", "192.168.1.20")), 0);
  type(edit(1009), "10");
  ASSERT_FALSE(button(1015)->isEnabled());
  ClickAt(*button(1016));
  EXPECT_FALSE(panel().isVisible());
  EXPECT_EQ(edit(1009)->text(), "");
  EXPECT_TRUE(button(1015)->isEnabled()) << "the last connection can be connected";
  EXPECT_TRUE(window->action(5000)->isEnabled());
  ASSERT_NE(panel().SelectedConnection(), nullptr);
  EXPECT_EQ(panel().SelectedConnection()->name, "Press");
  EXPECT_EQ(state().m_nWizardStep, 0);
}

}  // namespace
