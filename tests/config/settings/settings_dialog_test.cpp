// The global settings dialog and its general, process-interface and network
// pages, driven through their controls.
#include "settings_fixture.h"

#include "settings/interface_dialogs.h"

namespace {

using Ids = CGlobalNetworkSettings;

TEST_F(SettingsFixture, OpensWithTheRecord) {
  Open();
  EXPECT_EQ(network().field(Ids::kIpIds[3])->text(), "9");
  EXPECT_EQ(network().field(Ids::kMaskIds[1])->text(), "255");
  EXPECT_EQ(network().field(Ids::kXmlPortId)->text(), "8080");
  EXPECT_EQ(network().field(Ids::kMacId)->text(), "00:0A:3C:00:00:07");
  EXPECT_TRUE(network().dhcpOff()->isChecked());
  EXPECT_EQ(dialog().generalPage()->failResultsEdit()->text(), "25");
  EXPECT_EQ(dialog().processPage()->interfaceType()->currentIndex(), 0);
  EXPECT_EQ(dialog().processPage()->protocolVersion()->currentIndex(), 1);
  EXPECT_EQ(state().m_nOpenDialog, 4);
  SaveScreenshot(dialog(), "global_settings_general");
  dialog().tabs()->SelectPage(1);
  SaveScreenshot(dialog(), "global_settings_process");
  dialog().tabs()->SelectPage(2);
  SaveScreenshot(dialog(), "global_settings_network");
}

// Each field check: the code, and whether the text stays marked red or the
// last accepted value returns.
TEST_F(SettingsFixture, NetworkFieldChecks) {
  struct Case {
    int id;
    const char* text;
    int code;         // 0: passes
    const char* shown;  // what the field holds afterwards
    bool red;
  } cases[] = {
      {Ids::kIpIds[0], "256", -14210, "256", true},   {Ids::kIpIds[1], "", -14210, "20", false},
      {Ids::kMaskIds[2], "x", -14211, "x", true},     {Ids::kMaskIds[3], "", -14211, "0", false},
      {Ids::kGatewayIds[0], "300", -14212, "300", true},
      {Ids::kXmlPortId, "1023", -14213, "1023", true}, {Ids::kVideoPortId, "65536", -14213, "65536", true},
      {Ids::kVideoPortId, "", -14213, "50002", false}, {Ids::kXmlPortId, "1024", 0, "1024", false},
      {Ids::kVideoPortId, "65535", 0, "65535", false}, {Ids::kIpIds[2], "0", 0, "0", false},
  };
  for (const Case& c : cases) {
    Open();
    QLineEdit* f = network().field(c.id);
    Type(f, c.text);
    const bool passed = network().ValidateFields(-1);
    EXPECT_EQ(passed, c.code == 0) << c.id << " " << c.text;
    if (c.code != 0) {
      ASSERT_EQ(Messages().size(), 1) << c.id;
      EXPECT_TRUE(Messages()[0].contains(ErrorText(c.code))) << c.id;
    }
    EXPECT_EQ(f->text(), c.shown) << c.id;
    EXPECT_EQ(network().badFieldId() == c.id, c.red) << c.id;
    if (c.red) {
      // Typing takes the red mark away.
      QTest::keyClick(f, Qt::Key_Backspace);
      EXPECT_EQ(network().badFieldId(), 0);
    }
    dialog().OnEscape();
  }
}

TEST_F(SettingsFixture, FailedNetworkCheckKeepsTheNetworkTab) {
  Open();
  dialog().tabs()->SelectPage(2);
  Type(network().field(Ids::kIpIds[0]), "300");
  dialog().tabs()->tabBar()->setCurrentIndex(0);
  EXPECT_EQ(dialog().tabs()->currentTab(), 2);
  EXPECT_EQ(dialog().tabs()->tabBar()->currentIndex(), 2);
}

TEST_F(SettingsFixture, TabsStayWhileBusyAndTheGeneralMarkBringsTabZeroBack) {
  Open();
  state().m_bBusy = 1;
  dialog().tabs()->tabBar()->setCurrentIndex(1);
  EXPECT_EQ(dialog().tabs()->currentTab(), 0);
  state().m_bBusy = 0;
  Type(dialog().generalPage()->failResultsEdit(), "101");
  EXPECT_FALSE(dialog().generalPage()->CheckFailResults());
  dialog().tabs()->tabBar()->setCurrentIndex(1);
  EXPECT_EQ(dialog().tabs()->currentTab(), 0);
  EXPECT_FALSE(dialog().generalPage()->errorMark());
}

TEST_F(SettingsFixture, FailResultsBounds) {
  Open();
  CGlobalSettings* general = dialog().generalPage();
  for (const char* text : {"0", "101"}) {
    prompt.clear();
    Type(general->failResultsEdit(), text);
    EXPECT_FALSE(general->CheckFailResults()) << text;
    EXPECT_EQ(Messages(), QStringList{Text(6014)}) << text;
    EXPECT_EQ(general->failResultsEdit()->text(), "25") << text;
  }
  for (const char* text : {"1", "100"}) {
    Type(general->failResultsEdit(), text);
    EXPECT_TRUE(general->CheckFailResults()) << text;
  }
  general->Store();
  EXPECT_EQ(state().m_SensorGlobalRecords.general.FailResultsToSave, 100);
}

TEST_F(SettingsFixture, EthernetIpUnchecksTheConnectMessage) {
  Open();
  CGlobalProcessSettings* p = dialog().processPage();
  p->connectMessage()->setChecked(true);
  p->interfaceType()->setCurrentIndex(2);
  emit p->interfaceType()->activated(2);
  EXPECT_FALSE(p->connectMessage()->isChecked());
  EXPECT_FALSE(p->connectMessage()->isEnabled());
  p->interfaceType()->setCurrentIndex(1);
  emit p->interfaceType()->activated(1);
  EXPECT_TRUE(p->connectMessage()->isEnabled());
}

TEST_F(SettingsFixture, OddStoredValuesShowAsSerialAndVersionOne) {
  for (int type : {-1, 3, 7}) {
    state().m_SensorGlobalRecords.procIf.ProcIfInterfaceType = type;
    state().m_SensorGlobalRecords.procIf.ProtocolVersion = type == 3 ? 5 : type;
    ASSERT_EQ(PackGlobalRecords(state()), 0);
    Open();
    EXPECT_EQ(dialog().processPage()->interfaceType()->currentIndex(), 1) << type;
    EXPECT_EQ(dialog().processPage()->protocolVersion()->currentIndex(), 0) << type;
    dialog().OnEscape();
  }
}

TEST_F(SettingsFixture, EqualPortsSendNothing) {
  struct Case {
    const char* xml;
    const char* video;
    int tcp;
  } cases[] = {{"8080", "8080", 2000}, {"8080", "50002", 50002}};
  for (const Case& c : cases) {
    state().m_SensorGlobalRecords.procIf.ProcIfTcpPort = c.tcp;
    ASSERT_EQ(PackGlobalRecords(state()), 0);
    Open();
    Type(network().field(Ids::kXmlPortId), c.xml);
    Type(network().field(Ids::kVideoPortId), c.video);
    dialog().OnOKClicked();
    EXPECT_EQ(Messages(), QStringList{Text(6028)}) << c.video;
    EXPECT_EQ(Posted(CMD_SET_SENSOR_GLOBALS), 0);
    EXPECT_TRUE(dialog().isVisible());
    EXPECT_EQ(state().m_bBusy, 0);
    dialog().OnEscape();
  }
}

// OK with DHCP off checks the whole address set: the first code of the table
// is shown and nothing is sent; a sound set goes out.
TEST_F(SettingsFixture, OkChecksTheAddressSet) {
  struct Case {
    int group;  // 0 address, 1 mask, 2 gateway
    const char* octets[4];
    int code;  // 0: sent
  } cases[] = {
      {1, {"255", "255", "0", "0"}, 0},       {1, {"255", "0", "255", "0"}, -14211},
      {1, {"0", "0", "0", "0"}, -14211},      {1, {"255", "253", "0", "0"}, -14211},
      {1, {"255", "255", "255", "255"}, -14211}, {0, {"192", "168", "0", "0"}, -14210},
      {2, {"10", "0", "0", "0"}, -14212},
  };
  const int* groups[3] = {Ids::kIpIds, Ids::kMaskIds, Ids::kGatewayIds};
  for (const Case& c : cases) {
    posted.clear();
    Open();
    for (int i = 0; i < 4; ++i) Type(network().field(groups[c.group][i]), c.octets[i]);
    network().ValidateFields(-1);
    prompt.clear();
    dialog().OnOKClicked();
    const QString shown = QStringList{c.octets[0], c.octets[1], c.octets[2], c.octets[3]}.join('.');
    if (c.code == 0) {
      EXPECT_EQ(Posted(CMD_SET_SENSOR_GLOBALS), 1) << shown.toStdString();
      host().OnWriteReply(0);
      continue;
    }
    ASSERT_FALSE(Messages().isEmpty()) << shown.toStdString();
    EXPECT_TRUE(Messages()[0].contains(ErrorText(c.code))) << shown.toStdString();
    EXPECT_EQ(Posted(CMD_SET_SENSOR_GLOBALS), 0) << shown.toStdString();
    EXPECT_EQ(state().m_bBusy, 0);
    EXPECT_TRUE(dialog().isVisible());
    dialog().OnEscape();
  }
}

TEST_F(SettingsFixture, OutOfRangeProcessPortIsReported) {
  state().m_SensorGlobalRecords.procIf.ProcIfTcpPort = 80;
  ASSERT_EQ(PackGlobalRecords(state()), 0);
  Open();
  dialog().OnOKClicked();
  ASSERT_EQ(Messages().size(), 1);
  EXPECT_TRUE(Messages()[0].contains(ErrorText(-14213)));
  EXPECT_EQ(Posted(CMD_SET_SENSOR_GLOBALS), 0);
}

TEST_F(SettingsFixture, OkWritesAndTheReplyCloses) {
  Open();
  Type(network().field(Ids::kIpIds[3]), "10");
  network().ValidateFields(-1);  // the focus moving on accepts the change
  prompt.queueAnswer(QMessageBox::Yes);
  dialog().OnOKClicked();
  EXPECT_EQ(Messages(), QStringList{Text(6019)});
  ASSERT_EQ(Posted(CMD_SET_SENSOR_GLOBALS), 1);
  EXPECT_EQ(state().m_bBusy, 1);
  EXPECT_FALSE(network().field(Ids::kIpIds[0])->isEnabled());
  host().OnWriteReply(0);
  EXPECT_EQ(Messages().last(), Text(6029));
  EXPECT_FALSE(dialog().isVisible());
  EXPECT_EQ(state().m_SensorGlobalRecords.network.SensorIPaddress.view(), "172.20.1.10");
  EXPECT_EQ(state().m_SensorInfo.networkChanged, 0);
}

TEST_F(SettingsFixture, OkWithDhcpSkipsTheAddressCheckAndAsks6027) {
  state().m_SensorGlobalRecords.network.SensorDHCPactive = 1;
  state().m_SensorGlobalRecords.network.SensorIPaddress.Assign("0.0.0.0");
  ASSERT_EQ(PackGlobalRecords(state()), 0);
  Open();
  Type(network().field(Ids::kXmlPortId), "8081");
  network().ValidateFields(-1);
  dialog().OnOKClicked();
  EXPECT_EQ(Messages(), (QStringList{Text(6019), Text(6027)}));
  EXPECT_EQ(Posted(CMD_SET_SENSOR_GLOBALS), 1);
  EXPECT_FALSE(dialog().generalPage()->failResultsEdit()->isEnabled());
  EXPECT_EQ(state().m_nOpenDialog, 0);
}

TEST_F(SettingsFixture, DeclinedConfirmationPutsTheRecordBack) {
  Open();
  Type(network().field(Ids::kXmlPortId), "9090");
  network().ValidateFields(-1);
  prompt.queueAnswer(QMessageBox::No);
  dialog().OnOKClicked();
  EXPECT_EQ(Posted(CMD_SET_SENSOR_GLOBALS), 0);
  EXPECT_EQ(state().m_SensorGlobalRecords.network.XmlRpcPort, 8080);
  EXPECT_EQ(state().m_bBusy, 0);
  // A DHCP click now sends the record as read, not the declined port.
  network().dhcpOn()->click();
  ASSERT_EQ(Posted(CMD_SET_SENSOR_GLOBALS), 1);
  EXPECT_EQ(state().m_SensorGlobals[10].intValue, 8080);
  EXPECT_EQ(state().m_SensorGlobals[5].intValue, 1);
}

TEST_F(SettingsFixture, DhcpClickWritesAndStaysOpen) {
  Open();
  network().dhcpOn()->click();
  ASSERT_EQ(Posted(CMD_SET_SENSOR_GLOBALS), 1);
  EXPECT_TRUE(dialog().stayOpen());
  EXPECT_FALSE(control<QPushButton>(dialog(), 1200)->isEnabled());
  EXPECT_FALSE(network().field(Ids::kIpIds[0])->isEnabled());
  EXPECT_TRUE(network().dhcpOn()->isEnabled());
  host().OnWriteReply(0);
  EXPECT_TRUE(dialog().isVisible());
  EXPECT_FALSE(dialog().stayOpen());
  EXPECT_TRUE(control<QPushButton>(dialog(), 1200)->isEnabled());
  EXPECT_EQ(state().m_bBusy, 0);
  EXPECT_EQ(state().m_SensorGlobalRecords.network.SensorDHCPactive, 1);
}

TEST_F(SettingsFixture, FailedDhcpWriteRestoresControlsFlagAndRecord) {
  Open();
  network().dhcpOn()->click();
  host().OnWriteReply(-11002);
  EXPECT_FALSE(dialog().stayOpen());
  EXPECT_TRUE(control<QPushButton>(dialog(), 1200)->isEnabled());
  EXPECT_TRUE(network().dhcpOff()->isChecked());
  EXPECT_EQ(state().m_SensorGlobalRecords.network.SensorDHCPactive, 0);
  EXPECT_EQ(state().m_SensorGlobals[5].intValue, 0);
  // A later good OK closes the dialog and tells about the network change.
  Type(network().field(Ids::kIpIds[3]), "11");
  network().ValidateFields(-1);
  dialog().OnOKClicked();
  host().OnWriteReply(0);
  EXPECT_FALSE(dialog().isVisible());
  EXPECT_EQ(Messages().last(), Text(6029));
}

TEST_F(SettingsFixture, DhcpClickWithABadFieldPutsTheButtonsBack) {
  Open();
  Type(network().field(Ids::kMaskIds[0]), "999");
  network().dhcpOn()->click();
  EXPECT_EQ(Posted(CMD_SET_SENSOR_GLOBALS), 0);
  EXPECT_TRUE(network().dhcpOff()->isChecked());
  EXPECT_FALSE(network().dhcpOn()->isChecked());
}

TEST_F(SettingsFixture, EscapeAndTheCloseBoxPutTheRecordBackUnchecked) {
  for (bool closeBox : {false, true}) {
    Open();
    Type(network().field(Ids::kIpIds[0]), "999");
    dialog().generalPage()->Store();
    state().m_SensorGlobalRecords.general.LaserMode = 1;
    closeBox ? (void)dialog().close() : dialog().OnEscape();
    EXPECT_TRUE(Messages().isEmpty()) << closeBox;
    EXPECT_FALSE(dialog().isVisible());
    EXPECT_EQ(state().m_SensorGlobalRecords.general.LaserMode, 0) << closeBox;
    EXPECT_EQ(Posted(CMD_SET_SENSOR_GLOBALS), 0);
  }
}

TEST_F(SettingsFixture, HelpChecksFirst) {
  WatchHelp();
  Open();
  Type(network().field(Ids::kGatewayIds[2]), "");
  dialog().OnHelp();
  EXPECT_EQ(helpTopic, -1);
  dialog().OnHelp();
  EXPECT_EQ(helpTopic, window->resources().definition(420).toInt());
}

TEST_F(SettingsFixture, TcpIpPortDialog) {
  Open();
  CGlobalTCPIPSettings* tcp = dialog().processPage()->tcpip();
  prompt.setDialogHandler([](QDialog&) { return QDialog::Rejected; });
  tcp->OnInitDialog();
  tcp->show();
  EXPECT_EQ(tcp->portEdit()->text(), "2000");
  tcp->portEdit()->setText("");
  EXPECT_FALSE(tcp->CheckPort());
  EXPECT_EQ(tcp->portEdit()->text(), "2000");
  tcp->portEdit()->setText("99");
  tcp->accept();
  EXPECT_TRUE(tcp->isVisible());
  EXPECT_EQ(tcp->portEdit()->text(), "2000");
  EXPECT_EQ(prompt.messages().size(), 2);
  tcp->portEdit()->setText("4000");
  tcp->accept();
  EXPECT_FALSE(tcp->isVisible());
  EXPECT_EQ(state().m_SensorGlobalRecords.procIf.ProcIfTcpPort, 4000);
}

TEST_F(SettingsFixture, SerialDialogKeepsValuesItDoesNotList) {
  state().m_SensorGlobalRecords.procIf.SerialBaudrate = 4800;
  state().m_SensorGlobalRecords.procIf.SerialStopBits = 2;
  state().m_SensorGlobalRecords.procIf.SerialParity = 9;
  ASSERT_EQ(PackGlobalRecords(state()), 0);
  Open();
  CGlobalSerialSettings* serial = dialog().processPage()->serial();
  serial->OnInitDialog();
  EXPECT_EQ(serial->baudRates()->currentIndex(), -1);
  EXPECT_EQ(serial->stopBits()->currentText(), "2");
  EXPECT_EQ(serial->parity()->currentIndex(), 0);
  EXPECT_EQ(serial->parity()->currentText(), Text(7820));
  serial->accept();
  EXPECT_EQ(state().m_SensorGlobalRecords.procIf.SerialBaudrate, 4800);
  EXPECT_EQ(state().m_SensorGlobalRecords.procIf.SerialParity, 0);
  SaveScreenshot(*serial, "global_settings_serial");
}

}  // namespace
