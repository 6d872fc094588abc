// The trigger tab against the simulated sensor: what it shows, its writes,
// its field checks and the trigger test.
#include "editor_fixture.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>

#include "controls/button_draw.h"
#include "controls/num_spin_ctrl.h"
#include "log/log.h"

namespace vt::test {
namespace {

struct TriggerPage : EditorFixture {
  void SetUp() override {
    EditorFixture::SetUp();
    triggerPage->resize(460, 260);
    triggerPage->show();
  }
  CConfigTriggerSetting& page() { return *triggerPage; }
  void LeaveEdit(QLineEdit* edit, const QString& text) {
    edit->setFocus();
    edit->setText(text);
    page().sourceCombo()->setFocus();
    QApplication::processEvents();
  }
};

TEST_F(TriggerPage, ShowsTheConfigurationAndWritesSourceAndWindowAtOnce) {
  OpenConfiguration({{kItemTriggerSource, 0}, {kItemTriggerWindow, 1}, {kItemGoodReadingsTry, 7}, {kItemWithinTime, 2500}});
  SaveScreenshot(page(), "trigger_page");
  EXPECT_EQ(page().sourceCombo()->currentIndex(), 0);
  EXPECT_TRUE(page().windowBox()->isChecked());
  EXPECT_TRUE(page().windowBox()->isEnabled());
  EXPECT_EQ(page().nEdit()->text(), "7");
  EXPECT_EQ(page().tEdit()->text(), "2500");
  EXPECT_TRUE(page().tEdit()->isEnabled());
  // The free-running source clears the window, and both reach the sensor at once.
  page().sourceCombo()->setCurrentIndex(3);
  EXPECT_FALSE(page().windowBox()->isChecked());
  EXPECT_FALSE(page().windowBox()->isEnabled());
  EXPECT_FALSE(page().nEdit()->isEnabled());
  EXPECT_EQ(Item(kItemTriggerSource), 3);
  EXPECT_EQ(Item(kItemTriggerWindow), 0);
  // Back to the input: the box may be used again; ticking it is written.
  page().sourceCombo()->setCurrentIndex(1);
  ASSERT_TRUE(page().windowBox()->isEnabled());
  QTest::mouseClick(page().windowBox(), Qt::LeftButton, {}, QPoint(8, page().windowBox()->height() / 2));
  EXPECT_TRUE(page().nEdit()->isEnabled());
  EXPECT_EQ(Item(kItemTriggerSource), 1);
  EXPECT_EQ(Item(kItemTriggerWindow), 1);
  EXPECT_TRUE(Texts().isEmpty()) << Texts().join("|").toStdString();
}

// A change made while a command is still out is written after it, not dropped.
TEST_F(TriggerPage, AChangeWhileBusyIsWrittenOnceTheSensorIsFree) {
  OpenConfiguration({{kItemTriggerSource, 0}, {kItemTriggerWindow, 0}});
  state().m_bBusy = 1;
  window->PostSensorCommand(CMD_GET_STATISTICS);
  page().sourceCombo()->setCurrentIndex(2);
  EXPECT_EQ(Count(CMD_GET_STATISTICS), 1) << "written after the command that was out";
  EXPECT_EQ(Item(kItemTriggerSource), 2);
  EXPECT_EQ(state().m_nOutstandingCommands, 0);
}

// The configuration is read back while a change waits for the command that
// is out (a lighting change's write, then its read): the sensor's older
// settings replace neither the change nor what the page shows, and the
// change is what the sensor gets.
TEST_F(TriggerPage, AWaitingChangeSurvivesAReadBackInItsWait) {
  OpenConfiguration();
  struct Case {
    const char* what;
    std::function<void()> change;
    int source, window, n, t;
  };
  auto tickBox = [&] { QTest::mouseClick(page().windowBox(), Qt::LeftButton, {}, QPoint(8, page().windowBox()->height() / 2)); };
  const Case cases[] = {
      {"source", [&] { page().sourceCombo()->setCurrentIndex(2); }, 2, 1, 5, 500},
      {"free running", [&] { page().sourceCombo()->setCurrentIndex(3); }, 3, 0, 5, 500},
      {"box off with N and T typed",
       [&] {
         page().nEdit()->setText("9");
         page().tEdit()->setText("700");
         tickBox();
       },
       0, 0, 9, 700},
  };
  for (const Case& c : cases) {
    ASSERT_NO_FATAL_FAILURE(ReadAgain([](XmlRpc::XmlRpcValue& config) {
      config[kItemTriggerSource] = 0;
      config[kItemTriggerWindow] = 1;
      config[kItemGoodReadingsTry] = 5;
      config[kItemWithinTime] = 500;
    }));
    ASSERT_TRUE(page().windowBox()->isChecked()) << c.what;
    const int reads = Count(CMD_GET_CONFIG_DATA);
    window->PostSensorCommand(CMD_GET_CONFIG_DATA);  // the sensor still has the old settings
    c.change();
    ASSERT_EQ(Count(CMD_GET_CONFIG_DATA), reads + 1) << c.what << ": read back before the write";
    auto shows = [&](const char* when) {
      EXPECT_EQ(page().sourceCombo()->currentIndex(), c.source) << c.what << when;
      EXPECT_EQ(page().windowBox()->isChecked(), c.window == 1) << c.what << when;
      EXPECT_EQ(page().nEdit()->text(), QString::number(c.n)) << c.what << when;
      EXPECT_EQ(page().tEdit()->text(), QString::number(c.t)) << c.what << when;
      EXPECT_EQ(page().nEdit()->isEnabled(), c.window == 1) << c.what << when;
    };
    shows(" after the write");
    EXPECT_EQ(Item(kItemTriggerSource), c.source) << c.what;
    EXPECT_EQ(Item(kItemTriggerWindow), c.window) << c.what;
    EXPECT_EQ(Item(kItemGoodReadingsTry), c.n) << c.what;
    EXPECT_EQ(Item(kItemWithinTime), c.t) << c.what;
    // Read once more: the sensor holds the change, the page still shows it.
    ASSERT_NO_FATAL_FAILURE(ReadAgain());
    shows(" read again");
  }
  SaveScreenshot(page(), "trigger_page_kept_change");
  EXPECT_TRUE(Texts().isEmpty()) << Texts().join("|").toStdString();
}

TEST_F(TriggerPage, FieldsOutOfRangeAreResetWithTheirMessage) {
  OpenConfiguration({{kItemTriggerSource, 0}, {kItemTriggerWindow, 1}, {kItemGoodReadingsTry, 5}, {kItemWithinTime, 500}});
  struct Case {
    QLineEdit* edit;
    QString typed;
    QString after;
    int message;
  };
  const Case cases[] = {{page().tEdit(), "99", "100", 9853}, {page().nEdit(), "101", "1", 9852},
                        {page().nEdit(), "", "1", 9852},      {page().tEdit(), "10001", "100", 9853}};
  for (const Case& c : cases) {
    prompt.clear();
    LeaveEdit(c.edit, c.typed);
    EXPECT_EQ(c.edit->text(), c.after) << c.typed.toStdString();
    ASSERT_EQ(prompt.messages().size(), 1u) << c.typed.toStdString();
    EXPECT_EQ(prompt.messages()[0].text, window->text(c.message));
    EXPECT_TRUE(page().rangeError());
  }
  prompt.clear();
  LeaveEdit(page().tEdit(), "10000");
  EXPECT_TRUE(prompt.messages().empty());
  EXPECT_FALSE(page().rangeError());
}

TEST_F(TriggerPage, SoftwareTriggerFromVersion8020AndTheBoxExplainsWhyItIsOff) {
  struct Case {
    const char16_t* version;
    int sources;
  };
  for (const Case& c : {Case{u"8019", 4}, Case{u"8020", 5}, Case{u"3100", 4}}) {
    state().m_strSoftwareVersion = c.version;
    page().FillTriggerSourceCombo();
    EXPECT_EQ(page().sourceCombo()->count(), c.sources);
    if (c.sources == 5) {
      EXPECT_EQ(page().sourceCombo()->itemText(4), window->text(8613));
    }
  }
  OpenConfiguration({{kItemTriggerSource, 0}, {kItemTriggerWindow, 1}});
  auto* manager = dynamic_cast<CConfigManager*>(window->panels().configManager.get());
  ASSERT_TRUE(manager && manager->tree());
  manager->tree()->m_bTriggerWindowAllowed = false;
  page().FillFromConfig();
  EXPECT_FALSE(page().windowBox()->isEnabled());
  EXPECT_FALSE(page().windowBox()->isChecked());
  EXPECT_EQ(page().windowBox()->toolTip(), window->text(5998));
  manager->tree()->m_bTriggerWindowAllowed = true;
  page().FillFromConfig();
  EXPECT_TRUE(page().windowBox()->isEnabled());
  EXPECT_TRUE(page().windowBox()->toolTip().isEmpty());
}

TEST_F(TriggerPage, TestTriggerRunsTheSensorsTriggerTestAndEndsIt) {
  OpenConfiguration({{kItemTriggerSource, 0}, {kItemTriggerWindow, 0}});
  QTest::mouseClick(page().testButton(), Qt::LeftButton);
  EXPECT_TRUE(page().testButton()->isChecked());
  EXPECT_FALSE(page().sourceCombo()->isEnabled());
  EXPECT_EQ(state().m_nSensorState, 6);
  ASSERT_TRUE(WaitHandled(CMD_TEST_TRIGGER_ON));
  EXPECT_EQ(sensor.model.state(), 6);
  EXPECT_TRUE(LogText().contains(window->text(8609)));
  ASSERT_TRUE(QTest::qWaitFor([&] { return sensor.readings.takeReading(); }, 5000));
  ASSERT_TRUE(WaitHandled(CMD_GET_TEST_TRIGGER_RESULTS));
  EXPECT_TRUE(LogText().contains(window->text(8610))) << LogText().toStdString();
  QTest::mouseClick(page().testButton(), Qt::LeftButton);
  EXPECT_FALSE(page().testButton()->isChecked());
  EXPECT_TRUE(page().sourceCombo()->isEnabled());
  ASSERT_TRUE(WaitHandled(CMD_TEST_TRIGGER_OFF));
  ASSERT_TRUE(Idle());
  EXPECT_EQ(sensor.model.state(), 4);  // the test left: configuration again
}

// Test trigger clicked while the configuration is still being read: the test
// starts after the read, which leaves the fields locked while it runs.
TEST_F(TriggerPage, ATestClickedDuringAReadStartsAfterItWithTheFieldsLocked) {
  OpenConfiguration({{kItemTriggerSource, 0}, {kItemTriggerWindow, 1}, {kItemGoodReadingsTry, 5}, {kItemWithinTime, 500}});
  const int reads = Count(CMD_GET_CONFIG_DATA);
  window->PostSensorCommand(CMD_GET_CONFIG_DATA);
  QTest::mouseClick(page().testButton(), Qt::LeftButton);
  ASSERT_TRUE(WaitHandled(CMD_TEST_TRIGGER_ON));
  ASSERT_EQ(Count(CMD_GET_CONFIG_DATA), reads + 1);
  EXPECT_TRUE(page().testButton()->isChecked());
  EXPECT_EQ(sensor.model.state(), 6);
  for (QWidget* w : std::initializer_list<QWidget*>{page().sourceCombo(), page().windowBox(), page().nEdit(),
                                                    page().tEdit(), page().tSpin()})
    EXPECT_FALSE(w->isEnabled()) << w->objectName().toStdString();
  SaveScreenshot(page(), "trigger_page_test_running");
  QTest::mouseClick(page().testButton(), Qt::LeftButton);
  ASSERT_TRUE(WaitHandled(CMD_TEST_TRIGGER_OFF));
  ASSERT_TRUE(Idle());
  EXPECT_EQ(sensor.model.state(), 4);  // the test left: configuration again
  for (QWidget* w : std::initializer_list<QWidget*>{page().sourceCombo(), page().windowBox(), page().nEdit(),
                                                    page().tEdit(), page().tSpin()})
    EXPECT_TRUE(w->isEnabled()) << w->objectName().toStdString();
  EXPECT_TRUE(Texts().isEmpty()) << Texts().join("|").toStdString();
}

// A refused check leaves the button up and sends nothing, so the next click starts again.
TEST_F(TriggerPage, AFailedCheckLeavesTheButtonUpAndSendsNothing) {
  OpenConfiguration({{kItemTriggerSource, 0}, {kItemTriggerWindow, 1}, {kItemGoodReadingsTry, 5}, {kItemWithinTime, 500}});
  page().nEdit()->setText("0");
  QTest::mouseClick(page().testButton(), Qt::LeftButton);
  EXPECT_FALSE(page().testButton()->isChecked());
  EXPECT_EQ(QApplication::focusWidget(), page().nEdit());
  QApplication::processEvents();
  EXPECT_EQ(Count(CMD_TEST_TRIGGER_ON), 0);
  EXPECT_EQ(Count(CMD_TEST_TRIGGER_OFF), 0);
  EXPECT_NE(state().m_nSensorState, 6);
  EXPECT_TRUE(page().sourceCombo()->isEnabled());
  // Corrected, the next click starts the test (not a stop of one never begun).
  page().nEdit()->setText("5");
  QTest::mouseClick(page().testButton(), Qt::LeftButton);
  EXPECT_TRUE(page().testButton()->isChecked());
  ASSERT_TRUE(WaitHandled(CMD_TEST_TRIGGER_ON));
  EXPECT_EQ(Count(CMD_TEST_TRIGGER_OFF), 0);
  EXPECT_EQ(sensor.model.state(), 6);
  QTest::mouseClick(page().testButton(), Qt::LeftButton);
  ASSERT_TRUE(WaitHandled(CMD_TEST_TRIGGER_OFF));
  ASSERT_TRUE(Idle());
  EXPECT_EQ(sensor.model.state(), 4);  // the test left: configuration again
}

// The sensor refuses the test: the page is put back as before the click,
// shows the error once, and the next click tries again.
TEST_F(TriggerPage, ATestTheSensorRefusesPutsThePageBack) {
  OpenConfiguration({{kItemTriggerSource, 0}, {kItemTriggerWindow, 1}, {kItemGoodReadingsTry, 5}, {kItemWithinTime, 500}});
  const int before = state().m_nSensorState;
  // A warning-range status: an error-range one would also end the connection.
  sensor.model.script().push("xmlSetState", vt::sim::ScriptedReply::status(-4010));
  QTest::mouseClick(page().testButton(), Qt::LeftButton);
  EXPECT_EQ(state().m_nSensorState, 6);
  ASSERT_TRUE(WaitHandled(CMD_TEST_TRIGGER_ON));
  ASSERT_TRUE(Idle());
  EXPECT_FALSE(page().testButton()->isChecked());
  EXPECT_EQ(state().m_nSensorState, before);
  EXPECT_FALSE(state().m_bTestRunning);
  for (QWidget* w : std::initializer_list<QWidget*>{page().sourceCombo(), page().windowBox(), page().nEdit(),
                                                    page().tEdit(), page().tSpin()})
    EXPECT_TRUE(w->isEnabled()) << w->objectName().toStdString();
  EXPECT_EQ(prompt.messages().size(), 1u);
  EXPECT_NE(sensor.model.state(), 6);
  QTest::mouseClick(page().testButton(), Qt::LeftButton);
  ASSERT_TRUE(WaitHandled(CMD_TEST_TRIGGER_ON, 2));
  ASSERT_TRUE(Idle());
  EXPECT_EQ(prompt.messages().size(), 1u) << Texts().join("|").toStdString();
  EXPECT_TRUE(page().testButton()->isChecked());
  EXPECT_EQ(sensor.model.state(), 6);
}

}  // namespace
}  // namespace vt::test
