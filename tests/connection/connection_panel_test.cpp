// The connection panel through its own controls: typed addresses and ports
// with their checks, the saved connection's address, DHCP by MAC.
#include "connection_fixture.h"
#include "core/sensor_command.h"
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
      {{"192", "168", "1", "20"}, "70000", -14213, "8080"},  // taken while typing, refused here
      {{"192", "168", "1", "20"}, "99999", -14213, "8080"},
  };
  for (const Case& k : cases) {
    prompt.clear();
    typeAddress(k.octets, k.port);
    EXPECT_TRUE(messages().isEmpty()) << "typing " << k.port.toStdString();
    QTest::mouseClick(button(1015), Qt::LeftButton);
    EXPECT_EQ(messages(), QStringList{errorText(k.error)}) << k.octets.join('.').toStdString();
    EXPECT_EQ(edit(1013)->text(), k.portAfter);
    EXPECT_TRUE(posted.empty());
    EXPECT_EQ(state().m_bBusy, 0);
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
  QTest::mouseClick(button(1016), Qt::LeftButton);
  EXPECT_FALSE(panel().isVisible());
  EXPECT_EQ(edit(1009)->text(), "");
  EXPECT_TRUE(button(1015)->isEnabled()) << "the last connection can be connected";
  EXPECT_TRUE(window->action(5000)->isEnabled());
  ASSERT_NE(panel().SelectedConnection(), nullptr);
  EXPECT_EQ(panel().SelectedConnection()->name, "Press");
  EXPECT_EQ(state().m_nWizardStep, 0);
}

}  // namespace
