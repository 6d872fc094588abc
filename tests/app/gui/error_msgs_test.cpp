// The error presenter through a recording prompt: what shows, once, and
// what follows each box.
#include <QFile>
#include <QLabel>
#include <QRegularExpression>
#include <QSignalSpy>
#include <gtest/gtest.h>
#include <set>

#include "errors/disconnect_mesg.h"
#include "gui_test_support.h"
#include "services/recording_prompt.h"
#include "window/main_window.h"

namespace {

struct ErrorMsgsTest : ::testing::Test {
  void SetUp() override {
    window = std::make_unique<CVarnisDatamatrixDlg>(prompt, MainPanels{});
    ASSERT_EQ(window->OnInitDialog(), CVarnisDatamatrixDlg::StartResult::Run);
    window->setCommandPoster([this](int id) { posted.push_back(id); });
    window->setSessionEnder([this] { ++sessionsEnded; });
    prompt.clear();
  }
  MainDialogState& state() { return window->state(); }

  LibCopy lib;
  RecordingPrompt prompt;
  std::unique_ptr<CVarnisDatamatrixDlg> window;
  std::vector<int> posted;
  int sessionsEnded = 0;
};

TEST_F(ErrorMsgsTest, SilentCodesShowNothing) {
  for (int code : {0, 5, 99, -800, -10054}) window->errors().ShowError(code);
  EXPECT_TRUE(prompt.requests().isEmpty());
}

TEST_F(ErrorMsgsTest, BoxesCarryTheTextIconAndCaption) {
  const struct {
    int code;
    QMessageBox::Icon icon;
    const char* text;
  } rows[] = {
      {-38, QMessageBox::Information,
       "The sensor could not be connected. Please check its address and that it is switched on."},
      {-14021, QMessageBox::Warning, "The connection could not be saved."},
      {-14999, QMessageBox::Warning, "Program warning [-14999] - There is no description for this code."},
      {-11033, QMessageBox::Critical,
       "Program error [-11033] - The file could not be opened: this computer has no program that shows it. The "
       "sensor stays connected."},
      {-10080, QMessageBox::Critical,
       "Program connection error [-10080] - The connection to the sensor was lost while a command was running.\n"
       "The connection to the sensor has been reset."},
      {-35, QMessageBox::Critical,
       "Library error [-35] - Monitor operation cannot start while the live image is running.\n"
       "The sensor will be disconnected."},
      {-108, QMessageBox::Critical,
       "Sensor error [-108] - Another configuration is being edited on the sensor.\nThe sensor will be disconnected."},
      {-13000, QMessageBox::Critical,
       "Program error [-13000] - There is no description for this code.\nThe sensor will be disconnected."},
  };
  for (const auto& r : rows) {
    prompt.clear();
    window->errors().ShowError(r.code);
    ASSERT_EQ(prompt.messages().size(), 1) << r.code;
    EXPECT_EQ(prompt.messages()[0].text, r.text) << r.code;
    EXPECT_EQ(prompt.messages()[0].icon, r.icon) << r.code;
    EXPECT_EQ(prompt.messages()[0].caption, "Varnis Tarvel") << r.code;
  }
  // Information without a text of its own shows nothing.
  prompt.clear();
  window->errors().ShowError(-19999);
  EXPECT_TRUE(prompt.requests().isEmpty());
}

// Every code the libraries' status headers and the simulated sensor name,
// as it reaches the box: read from the headers, so a code added there
// without a text fails here.
std::set<int> NamedCodes() {
  struct Header {
    const char* path;
    int sensorOffset;  // a sensor status n comes back as n + offset
  };
  const Header headers[] = {
      {"comm/include/dravik/comm_status.h", 0},       {"discovery/include/sonvira/sonvira_status.h", 0},
      {"lock/include/keltrov/keltrov_status.h", 0},   {"update/include/brimsol/brimsol_status.h", 0},
      {"sim/include/sim/sensor_model.h", 0},          {"sim/include/sim/reading_model.h", 0},
      {"sim/include/sim/config_file_methods.h", 0},   {"sim/include/sim/lock_methods.h", -30},
  };
  // "NAME = -12," or "kName = -12;": offsets and bases are not codes.
  const QRegularExpression named(QStringLiteral("\\b(\\w+)\\s*=\\s*(-?\\d+)\\s*[,;]"));
  std::set<int> codes;
  for (const Header& h : headers) {
    QFile file(QStringLiteral(VT_SOURCE_DIR "/") + h.path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << h.path;
    const QString text = QString::fromUtf8(file.readAll());
    for (auto it = named.globalMatch(text); it.hasNext();) {
      const auto m = it.next();
      if (m.captured(1).contains("OFFSET") || m.captured(1).contains("BASE")) continue;
      const int code = m.captured(2).toInt();
      if (code != 0) codes.insert(code < 0 ? code + h.sensorOffset : code);
    }
  }
  return codes;
}

TEST_F(ErrorMsgsTest, EveryCodeOfTheLibrariesAndTheSensorHasItsOwnText) {
  const std::set<int> codes = NamedCodes();
  ASSERT_GT(codes.size(), 60u);
  for (int code : {-35, -39, -76, -107, -108, -31, -20005}) ASSERT_TRUE(codes.count(code)) << code;
  const QString none = window->text(40536);
  ASSERT_FALSE(none.isEmpty());
  for (int code : codes) {
    prompt.clear();
    window->errors().ShowError(code);
    const bool noResult = code >= -7099 && code <= -7001;  // not an error: nothing to show
    if (code > 0 || noResult) continue;
    ASSERT_EQ(prompt.messages().size(), 1) << code;
    EXPECT_FALSE(prompt.messages()[0].text.contains(none)) << code << " " << prompt.messages()[0].text.toStdString();
  }
}

TEST_F(ErrorMsgsTest, TheConnectCodeClearsStatusPartSeven) {
  window->statusPane(7)->setText("Connecting ...");
  window->errors().ShowError(-38);
  EXPECT_TRUE(window->statusPane(7)->text().isEmpty());
  EXPECT_TRUE(state().m_bErrorShown);
}

TEST_F(ErrorMsgsTest, WhileAnErrorBoxIsOpenNoOtherShowsAndCode11ShowsOnce) {
  prompt.setMessageHook([this](const RecordingPrompt::Request&) {
    // Events arriving under the box: none of them shows a box of its own.
    window->errors().ShowError(11);
    window->errors().ShowError(-11033);
    window->errors().ShowError(-14021);
    window->errors().ShowError(-19015);
  });
  window->errors().ShowError(11);
  ASSERT_EQ(prompt.messages().size(), 1);
  EXPECT_EQ(prompt.messages()[0].text, "The connection to the sensor is lost.");
  EXPECT_EQ(prompt.messages()[0].icon, QMessageBox::Warning);
  EXPECT_FALSE(window->errors().boxOpen());

  prompt.clear();
  window->errors().ShowError(-13000);
  EXPECT_EQ(prompt.messages().size(), 1);
}

TEST_F(ErrorMsgsTest, InformationAndWarningBoxesMayFollowEachOther) {
  prompt.setMessageHook([this](const RecordingPrompt::Request& r) {
    if (r.text == "The connection could not be saved.") window->errors().ShowError(-19015);
  });
  window->errors().ShowError(-14021);
  EXPECT_EQ(prompt.messages().size(), 2);
}

TEST_F(ErrorMsgsTest, WhatFollowsTheBox) {
  QSignalSpy resets(window.get(), &CVarnisDatamatrixDlg::userInterfaceReset);
  // Code 11 while connected: back to disconnected, the library's session ends too.
  state().m_bConnected = 1;
  window->errors().ShowError(11);
  EXPECT_EQ(resets.count(), 1);
  EXPECT_EQ(sessionsEnded, 1);
  EXPECT_FALSE(state().m_bConnected);

  // Severity 3: a reset only while connected.
  window->errors().ShowError(-10080);
  EXPECT_EQ(resets.count(), 1);
  state().m_bConnected = 1;
  window->errors().ShowError(-10080);
  EXPECT_EQ(resets.count(), 2);
  EXPECT_EQ(sessionsEnded, 2);

  // -11060 resets; severity 2 while not connected resets too.
  state().m_bConnected = 1;
  window->errors().ShowError(-11060);
  EXPECT_EQ(resets.count(), 3);
  window->errors().ShowError(-11000);
  EXPECT_EQ(resets.count(), 4);

  // A local file error leaves the sensor connected.
  state().m_bConnected = 1;
  window->errors().ShowError(-11033);
  EXPECT_TRUE(state().m_bConnected);
  EXPECT_EQ(window->disconnectNotice(), nullptr);
  EXPECT_TRUE(posted.empty());
}

TEST_F(ErrorMsgsTest, DisconnectNoticeClearsTheFlagsPostsTheDisconnectAndStaysUntilTheReset) {
  state().m_bConnected = 1;
  state().m_bTestRunning = 1;
  window->show();
  window->errors().ShowError(-5);
  CDisconnectMesg* notice = window->disconnectNotice();
  ASSERT_NE(notice, nullptr);
  EXPECT_TRUE(notice->isVisible());
  EXPECT_EQ(notice->windowTitle(), "Disconnect");
  EXPECT_EQ(notice->findChild<QLabel*>("id1039")->text(), "Disconnecting from the sensor ...");
  EXPECT_EQ(notice->size(), QSize(485, 65));
  EXPECT_FALSE(state().m_bConnected);
  EXPECT_FALSE(state().m_bTestRunning);
  EXPECT_EQ(posted, std::vector<int>{10021});
  SaveScreenshot(*notice, "disconnect_notice");

  // The reply to the disconnect resets the interface, which closes the notice.
  window->ResetUserInterface();
  EXPECT_FALSE(notice->isVisible());
}

TEST_F(ErrorMsgsTest, ThePictureLostEndsTheProgram) {
  QSignalSpy ends(window.get(), &CVarnisDatamatrixDlg::endRequested);
  window->show();
  window->errors().ShowError(-11056);
  EXPECT_EQ(ends.count(), 1);
  EXPECT_TRUE(window->errors().boxOpen());
}

}  // namespace
