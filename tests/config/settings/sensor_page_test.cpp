// The sensor page: name and location, Assign and its write, the checks, the bookmark.
#include "settings_fixture.h"

#include "core/text_escape.h"

#include <QSettings>

namespace {

class SensorPageFixture : public SettingsFixture {
protected:
  void Fill() {
    page().FillFromSensorGlobals();
    page().show();
  }
  QString StoredName() {
    return QString::fromStdU16String(DecodeSensorText(state().m_SensorGlobalRecords.identity.SensorName.view()));
  }
};

TEST_F(SensorPageFixture, ShowsTheDecodedRecord) {
  Fill();
  EXPECT_EQ(page().nameEdit()->text(), "Line 4");
  EXPECT_EQ(page().locationEdit()->text(), "Hall B");
  EXPECT_EQ(page().versionEdit()->text(), "8020");
  EXPECT_EQ(state().m_strTreeRootText, u"Line 4 [Hall B]");
  QTest::keyClicks(page().versionEdit(), "99");
  EXPECT_EQ(page().versionEdit()->text(), "8020");
  SaveScreenshot(page(), "sensor_page");
}

TEST_F(SensorPageFixture, ForbiddenCharactersAndNameChecks) {
  Fill();
  struct Case {
    const char* name;
    const char* location;
    int message;  // a string id, or an error code
  } cases[] = {{"a@b", "x", 6039},          {"ab", "x\\y", 6039},   {"", "x", -19011},
               {" lead", "x", -19013},      {"trail ", "x", -19012}, {"COM1", "x", -19014},
               {"fine", "", 0}};
  for (const Case& c : cases) {
    prompt.clear();
    posted.clear();
    state().m_bBusy = 0;
    page().nameEdit()->setText(c.name);
    page().locationEdit()->setText(c.location);
    page().OnAssign();
    if (c.message == 0) {
      EXPECT_TRUE(Messages().isEmpty()) << c.name;
      EXPECT_EQ(Posted(CMD_SET_SENSOR_GLOBALS), 1) << c.name;
      page().OnWriteReply(0);
    } else {
      ASSERT_EQ(Messages().size(), 1) << c.name;
      EXPECT_TRUE(Messages()[0].contains(c.message > 0 ? Text(c.message) : ErrorText(c.message))) << c.name;
      EXPECT_EQ(Posted(CMD_SET_SENSOR_GLOBALS), 0) << c.name;
      // An emptied name gets the stored one back.
      if (*c.name == '\0') {
        EXPECT_EQ(page().nameEdit()->text(), StoredName());
      }
    }
  }
  // The empty name got the stored one back.
  EXPECT_EQ(StoredName(), "fine");
}

TEST_F(SensorPageFixture, AssignStoresOnlyAfterTheWrite) {
  Fill();
  page().nameEdit()->setText("Line 5");
  page().locationEdit()->setText("Hall C");
  page().OnAssign();
  ASSERT_EQ(Posted(CMD_SET_SENSOR_GLOBALS), 1);
  EXPECT_EQ(StoredName(), "Line 4");
  EXPECT_EQ(QString::fromStdU16String(DecodeSensorText(state().m_SensorGlobals[0].stringValue)), "Line 5");
  // Busy: a second Assign sends nothing.
  page().OnAssign();
  EXPECT_EQ(Posted(CMD_SET_SENSOR_GLOBALS), 1);
  page().OnWriteReply(-11002);
  EXPECT_EQ(StoredName(), "Line 4");
  EXPECT_EQ(QString::fromStdU16String(DecodeSensorText(state().m_SensorGlobals[0].stringValue)), "Line 4");
  // The refused name is not assigned: no bookmark of it.
  state().m_bBusy = 0;
  prompt.clear();
  page().OnSaveBookmark();
  EXPECT_EQ(Messages(), QStringList{Text(6073)});
  page().OnAssign();
  page().OnWriteReply(0);
  state().m_bBusy = 0;
  EXPECT_EQ(StoredName(), "Line 5");
  EXPECT_EQ(state().m_strTreeRootText, u"Line 5[Hall C]");
}

TEST_F(SensorPageFixture, GlobalSettingsReadsFirst) {
  Fill();
  state().m_bBusy = 1;
  control<QPushButton>(page(), 1030)->click();
  EXPECT_EQ(Posted(CMD_GET_SENSOR_GLOBALS), 0);
  state().m_bBusy = 0;
  control<QPushButton>(page(), 1030)->click();
  EXPECT_EQ(Posted(CMD_GET_SENSOR_GLOBALS), 1);
  EXPECT_EQ(state().m_bBusy, 1);
}

TEST_F(SensorPageFixture, HelpOpensTheSensorPagesTopic) {
  WatchHelp();
  Fill();
  control<QPushButton>(page(), 1036)->click();
  EXPECT_EQ(helpTopic, window->resources().definition(407).toInt());
}

TEST_F(SensorPageFixture, DhcpBookmarkTakesTheAdapterThatFindsTheMac) {
  state().m_SensorGlobalRecords.network.SensorDHCPactive = 1;
  ASSERT_EQ(PackGlobalRecords(state()), 0);
  Fill();
  std::vector<QString> asked;
  page().setAdapters([] {
    return std::vector<LocalAdapter>{{"127.0.0.1", "255.0.0.0"}, {"127.0.7.1", "255.255.255.0"}};
  });
  page().setMacLookup([&asked](const QString& mac, const LocalAdapter& a, QString& ip, QString& mask) {
    asked.push_back(a.address);
    if (mac != "00:0A:3C:00:00:07" || a.address != "127.0.7.1") return 100;
    ip = "127.0.7.9";
    mask = "255.255.255.0";
    return 99;
  });
  page().OnSaveBookmark();
  EXPECT_EQ(asked.size(), 2u);
  QSettings s(lib.settingsFile(), QSettings::IniFormat);
  EXPECT_EQ(s.value("Connections/Line 4/IPAddress").toString(), "127.0.7.9");
  EXPECT_EQ(s.value("Connections/Line 4/DHCP").toString(), "ON");
  EXPECT_EQ(s.value("Connections/Line 4/MACAddress").toString(), "00:0A:3C:00:00:07");
  EXPECT_EQ(s.value("Connections/Line 4/XMLPort").toString(), "8080");
  // Found nowhere: the stored address and mask.
  page().setMacLookup([](const QString&, const LocalAdapter&, QString&, QString&) { return 100; });
  prompt.queueAnswer(QMessageBox::Yes);
  page().OnSaveBookmark();
  QSettings again(lib.settingsFile(), QSettings::IniFormat);
  EXPECT_EQ(again.value("Connections/Line 4/IPAddress").toString(), "172.20.1.9");
}

}  // namespace
