// The lock, login and software update through the main window against the
// simulated sensor: the dialogs driven as a user would, the libraries real.
// The simulator first: its members named "slots" must not meet Qt's keyword macro.
#include "simulated_sensor.h"

#include <gtest/gtest.h>
#include <QCheckBox>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include "commands/sensor_notify.h"
#include "core/sensor_command.h"
#include "gui_test_support.h"
#include "typing.h"
#include "lock/password_lock.h"
#include "program/lock_update_features.h"
#include "services/recording_prompt.h"
#include "text/text_codecs.h"
#include "update/sensor_update_msg.h"
#include "update/software_update.h"
#include "window/lock_library.h"
#include "window/main_window.h"

namespace {

struct LockUpdateFlow : ::testing::Test {
  void SetUp() override {
    ASSERT_TRUE(sensor.Start()) << sensor.error();
    english = EnglishTable();
    window = std::make_unique<CVarnisDatamatrixDlg>(prompt, MainPanels{});
    window->setSplashEnabled(false);
    window->setLockLibrary(MakeKeltrovLibrary());
    ASSERT_EQ(window->OnInitDialog(), CVarnisDatamatrixDlg::StartResult::Run);
    notify = std::make_unique<CSensorNotify>(*window);
    features = std::make_unique<LockAndUpdateFeatures>(*window, *notify);
    features->update->setOwnTimer(false);
    QObject::connect(notify.get(), &CSensorNotify::notified, [this](int id, int) { handled.push_back(id); });
    Utf8ToUtf16String(state().m_strConnectAddress, sensor.server.address());
    state().m_nConnectPort = sensor.server.port();
    prompt.clear();
  }
  void TearDown() override {
    features.reset();
    notify.reset();
    window.reset();
  }
  MainDialogState& state() { return window->state(); }
  QString T(int id) { return QString::fromUtf8(english.get(id).value_or("").data(), qsizetype(english.get(id).value_or("").size())); }
  bool WaitHandled(int id) {
    return QTest::qWaitFor([&] { return std::count(handled.begin(), handled.end(), id) > 0; }, 20000);
  }
  void Post(int id) {
    handled.clear();
    state().m_bBusy = 1;
    window->PostSensorCommand(id);
  }
  bool Idle() {
    return QTest::qWaitFor([&] { return state().m_nOutstandingCommands == 0 && !state().m_bBusy; }, 20000);
  }
  QStringList MessageTexts() {
    QStringList out;
    for (const auto& m : prompt.messages()) out << m.text;
    return out;
  }
  static void Click(QDialog& dialog, int id) {
    QTest::mouseClick(dialog.findChild<QAbstractButton*>(QStringLiteral("id%1").arg(id)), Qt::LeftButton);
  }

  LibCopy lib;
  vt::StringTable english;
  vt::test::SimulatedSensor sensor;
  RecordingPrompt prompt;
  std::unique_ptr<CVarnisDatamatrixDlg> window;
  std::unique_ptr<CSensorNotify> notify;
  std::unique_ptr<LockAndUpdateFeatures> features;
  std::vector<int> handled;
};

TEST_F(LockUpdateFlow, LockReconnectLoginAndUnlockAgainstTheSensor) {
  const QString password = "Kü€hlraum7";
  Post(CMD_CONNECT);
  ASSERT_TRUE(WaitHandled(CMD_GET_CONFIG_LIST));
  ASSERT_TRUE(Idle());

  // Lock with the administration and the statistics reset protected.
  prompt.setDialogHandler([&](QDialog& dialog) {
    TypeInto(dialog, 1247, password);
    TypeInto(dialog, 1248, password);
    Tick(dialog, 1228);
    Tick(dialog, 1230);
    Click(dialog, 1200);
    return dialog.result();
  });
  features->lock->OnLockSensor();
  EXPECT_TRUE(state().m_bSensorLocked);
  EXPECT_EQ(sensor.lock.lockedItems(), 6);
  EXPECT_EQ(sensor.lock.password(), password.toStdString());
  EXPECT_TRUE(prompt.messages().isEmpty()) << MessageTexts().join('\n').toStdString();

  Post(CMD_DISCONNECT);
  ASSERT_TRUE(WaitHandled(CMD_DISCONNECT));
  ASSERT_TRUE(Idle());
  EXPECT_FALSE(state().m_bConnected);

  // Connect again: the login comes before the configuration road; a wrong
  // password is refused and the dialog stays, the right one goes on.
  int logins = 0;
  prompt.clear();
  prompt.setDialogHandler([&](QDialog& dialog) {
    ++logins;
    EXPECT_EQ(dialog.objectName(), "CLogin");
    TypeInto(dialog, 1254, "Kü€hlraum8");
    Click(dialog, 1200);
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(sensor.lock.lockedItems(), 6);
    TypeInto(dialog, 1254, password);
    Click(dialog, 1200);
    return dialog.result();
  });
  Post(CMD_CONNECT);
  ASSERT_TRUE(WaitHandled(CMD_GET_CONFIG_LIST));
  ASSERT_TRUE(Idle());
  EXPECT_EQ(logins, 1);
  EXPECT_EQ(MessageTexts(), QStringList{T(9961)});
  EXPECT_TRUE(state().m_bConnected);
  EXPECT_TRUE(state().m_bLoggedIn);
  EXPECT_EQ(state().m_nLockedItems, 6);

  // Unlock: logged in, so the notice and the lock goes.
  prompt.clear();
  features->lock->OnLockSensor();
  EXPECT_EQ(MessageTexts(), QStringList{T(9967)});
  EXPECT_EQ(sensor.lock.lockedItems(), 0);
  EXPECT_FALSE(state().m_bSensorLocked);
}

TEST_F(LockUpdateFlow, CancelledLoginAtConnectLeavesTheWindowDisconnected) {
  sensor.lock.setLock("abcde", 2);
  prompt.setDialogHandler([](QDialog& dialog) {
    if (dialog.objectName() != "CLogin") return int(RecordingPrompt::keptOpenResult);
    dialog.reject();
    return int(QDialog::Rejected);
  });
  Post(CMD_CONNECT);
  ASSERT_TRUE(WaitHandled(CMD_CONNECT));
  ASSERT_TRUE(Idle());
  EXPECT_FALSE(state().m_bConnected);
  EXPECT_EQ(std::count(handled.begin(), handled.end(), CMD_GET_CONFIG_LIST), 0);
  EXPECT_EQ(sensor.lock.lockedItems(), 2);
}

TEST_F(LockUpdateFlow, UpdateSendsTheChosenFileWhole) {
  QTemporaryDir dir;
  QByteArray image(300000, '\0');
  for (int i = 0; i < image.size(); ++i) image[i] = static_cast<char>((i * 131 + 7) & 0xFF);
  const QString file = WriteFile(dir, "sensor.swu", image);
  ASSERT_FALSE(file.isEmpty());
  Post(CMD_CONNECT);
  ASSERT_TRUE(WaitHandled(CMD_GET_CONFIG_LIST));
  ASSERT_TRUE(Idle());

  // A name that does not exist: 6052, then the file dialog again.
  prompt.clear();
  prompt.setFileAnswer(dir.filePath("missing.swu"));
  prompt.setMessageHook([&](const RecordingPrompt::Request& r) {
    if (r.text == T(6052)) prompt.setFileAnswer(file);
  });
  handled.clear();
  features->update->OnUpdateSoftware();
  EXPECT_TRUE(state().m_bUpdatePending);
  ASSERT_TRUE(WaitHandled(CMD_UPDATE_SOFTWARE));
  ASSERT_TRUE(Idle());
  EXPECT_EQ(MessageTexts(), (QStringList{T(6052), T(6044), T(6048)}));
  const auto images = sensor.update.images();
  ASSERT_EQ(images.size(), 1u);
  const auto& received = images[0];
  const QByteArray got(reinterpret_cast<const char*>(received.data()), static_cast<qsizetype>(received.size()));
  EXPECT_EQ(got.size(), image.size());
  EXPECT_TRUE(got == image);
  EXPECT_FALSE(state().m_bConnected);
  EXPECT_FALSE(state().m_bUpdatePending);
  ASSERT_NE(features->update->progress(), nullptr);
  EXPECT_FALSE(features->update->progress()->isVisible());
}

// Code 5 is both the library's "the transfer failed" and a result of the
// sensor's own: a connection lost on the way is said as such, the sensor's
// 5 keeps its text.
TEST_F(LockUpdateFlow, ConnectionLostDuringTheTransferIsSaidAndTheSensorsOwnFiveKeepsItsText) {
  QTemporaryDir dir;
  const QString file = WriteFile(dir, "sensor.swu", QByteArray(200000, 'x'));
  ASSERT_FALSE(file.isEmpty());
  struct Case {
    bool dropped;
    QString reason;
  } const cases[] = {
      {true, T(6050)},
      {false, "Not enough memory available to save images in RAM"},
  };
  ASSERT_FALSE(T(6050).isEmpty());
  for (const Case& c : cases) {
    SCOPED_TRACE(c.dropped ? "dropped" : "the sensor's 5");
    sensor.update.setDropMidCall(c.dropped);
    sensor.update.setResult(5);
    Post(CMD_CONNECT);
    ASSERT_TRUE(WaitHandled(CMD_GET_CONFIG_LIST));
    ASSERT_TRUE(Idle());
    prompt.clear();
    prompt.setFileAnswer(file);
    handled.clear();
    features->update->OnUpdateSoftware();
    ASSERT_TRUE(WaitHandled(CMD_UPDATE_SOFTWARE));
    ASSERT_TRUE(Idle());
    const QStringList texts = MessageTexts();
    ASSERT_EQ(texts.size(), 2);
    EXPECT_EQ(texts[1], "[5] " + T(6049) + " " + c.reason);
    EXPECT_EQ(prompt.messages()[1].icon, QMessageBox::Critical);
    EXPECT_FALSE(state().m_bConnected);
    EXPECT_FALSE(state().m_bUpdatePending);
    EXPECT_EQ(state().m_nOutstandingCommands, 0);
    EXPECT_FALSE(features->update->progress()->isVisible());
    EXPECT_EQ(sensor.update.images().size(), c.dropped ? 0u : 1u);
  }
}

TEST_F(LockUpdateFlow, NoAnswerOrARefusedFileLeavesTheConnection) {
  QTemporaryDir dir;
  const QString empty = dir.filePath("empty.swu");
  QFile(empty).open(QIODevice::WriteOnly);
  const QString good = WriteFile(dir, "good.swu", "image");
  ASSERT_FALSE(good.isEmpty());
  Post(CMD_CONNECT);
  ASSERT_TRUE(WaitHandled(CMD_GET_CONFIG_LIST));
  ASSERT_TRUE(Idle());

  prompt.clear();
  prompt.setFileAnswer(empty);
  features->update->OnUpdateSoftware();
  EXPECT_EQ(MessageTexts(), QStringList{"Could not get Image file size"}) << "the library's reason";

  prompt.clear();
  prompt.setFileAnswer(good);
  prompt.queueAnswer(QMessageBox::No);
  features->update->OnUpdateSoftware();
  EXPECT_EQ(MessageTexts(), QStringList{T(6044)});
  EXPECT_FALSE(state().m_bUpdatePending);
  EXPECT_FALSE(state().m_bBusy);
  EXPECT_TRUE(state().m_bConnected);
  EXPECT_EQ(state().m_nOutstandingCommands, 0);

  prompt.clear();
  prompt.setFileAnswer(QString());
  features->update->OnUpdateSoftware();
  EXPECT_TRUE(prompt.messages().isEmpty());
  EXPECT_TRUE(state().m_bConnected);
}

TEST_F(LockUpdateFlow, AFailedDisconnectDropsThePendingUpdate) {
  state().m_bUpdatePending = 1;
  EXPECT_FALSE(features->update->OnDisconnectReply(true));
  EXPECT_FALSE(state().m_bUpdatePending);
  EXPECT_EQ(features->update->progress(), nullptr);
  EXPECT_FALSE(features->update->OnDisconnectReply(false)) << "a later disconnect is a plain one";
}

TEST_F(LockUpdateFlow, ProgressReachesOneHundredAfterNinetyFourTicksAndStops) {
  CSensorUpdateMsg progress(*window, window.get(), false);
  progress.show();
  EXPECT_EQ(progress.position(), 6);
  for (int tick = 1; tick <= 93; ++tick) progress.OnTimer();
  EXPECT_EQ(progress.position(), 99);
  EXPECT_TRUE(progress.ticking());
  progress.OnTimer();
  EXPECT_EQ(progress.position(), 100);
  EXPECT_FALSE(progress.ticking());
  for (int tick = 0; tick < 10; ++tick) progress.OnTimer();
  EXPECT_EQ(progress.position(), 100);
  EXPECT_EQ(progress.size(), QSize(480, 125));
  SaveScreenshot(progress, "sensor_update_msg");
}

}  // namespace
