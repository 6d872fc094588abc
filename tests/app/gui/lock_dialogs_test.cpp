// The lock and login dialogs with a stand-in lock session: the lock
// dialog's checks and frames, ticks that stay in the dialog until OK, the
// login's two password forms and answers, menu 32800 and the monitor's
// reset-statistics button.
#include <gtest/gtest.h>
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "gui_test_support.h"
#include "typing.h"
#include "lock/lock_sensor_dlg.h"
#include "lock/login_dlg.h"
#include "lock/password_lock.h"
#include "services/recording_prompt.h"
#include "text/config_name_codec.h"
#include "window/main_window.h"

namespace {

struct LockDialogs : ::testing::Test {
  void SetUp() override {
    window = std::make_unique<CVarnisDatamatrixDlg>(prompt, MainPanels{});
    window->setSplashEnabled(false);
    ASSERT_EQ(window->OnInitDialog(), CVarnisDatamatrixDlg::StartResult::Run);
    english = EnglishTable();
    ops.activate = [this](const QString& password) {
      activated.push_back({password, state().m_nLockedItems});
      state().m_bSensorLocked = 1;
      return true;
    };
    ops.deactivate = [this] {
      ++deactivations;
      state().m_bSensorLocked = 0;
      state().m_nLockedItems = 0;
      state().m_bLoggedIn = 0;
      return true;
    };
    ops.validate = [this](const std::string& password, int* result) {
      sent.push_back(password);
      const Answer a = answers.empty() ? Answer{0, 1} : answers.front();
      if (!answers.empty()) answers.erase(answers.begin());
      *result = a.code == 0 ? a.status : -1;
      return a.code;
    };
    ops.setMenuText = [this](int command, const QString& text) { menuTexts[command] = text; };
    ops.enableMenu = [this](int command, bool on) { menuEnabled[command] = on; };
    ops.enableResetStatistics = [this](bool on) { resetEnabled = on; };
    prompt.clear();
  }
  MainDialogState& state() { return window->state(); }
  QString T(int id) { return QString::fromUtf8(english.get(id).value_or("").data(), qsizetype(english.get(id).value_or("").size())); }
  template <class W>
  W* child(QWidget& dialog, int id) {
    return dialog.findChild<W*>(QStringLiteral("id%1").arg(id));
  }

  struct Activation {
    QString password;
    int items;
  };
  struct Answer {
    int code;    // the library's result
    int status;  // the sensor's answer when the call succeeded
  };
  LibCopy lib;
  vt::StringTable english;
  RecordingPrompt prompt;
  std::unique_ptr<CVarnisDatamatrixDlg> window;
  LockOps ops;
  std::vector<Activation> activated;
  int deactivations = 0;
  std::vector<Answer> answers;
  std::vector<std::string> sent;
  std::map<int, QString> menuTexts;
  std::map<int, bool> menuEnabled;
  std::optional<bool> resetEnabled;
};

TEST_F(LockDialogs, LockDialogRefusesInOrderWithItsFrameAndKeepsTheFocusRule) {
  struct Case {
    QString password, confirmation;
    std::vector<int> ticks;
    int textId;
    LockInputFrame frame;
  } const cases[] = {
      {"", "", {1228}, 9962, LockInputFrame::Confirmation},
      {"abcd", "abcd", {1228}, 9963, LockInputFrame::Password},
      {"abcdefghijklmnop", "abcdefghijklmnop", {1228}, 9964, LockInputFrame::Password},
      {"abc\tde", "abc\tde", {1228}, 9965, LockInputFrame::Password},
      {"abcde", "abcde", {}, 9966, LockInputFrame::Items},
  };
  for (const Case& c : cases) {
    CLockSensorDlg dialog(*window, ops, QPixmap());
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    child<QLineEdit>(dialog, 1247)->setText(c.password);
    child<QLineEdit>(dialog, 1248)->setText(c.confirmation);
    for (int id : c.ticks) Tick(dialog, id);
    child<QLineEdit>(dialog, 1248)->setFocus();
    prompt.clear();
    QTest::mouseClick(child<QPushButton>(dialog, 1200), Qt::LeftButton);
    ASSERT_EQ(prompt.messages().size(), 1) << c.textId;
    EXPECT_EQ(prompt.messages()[0].text, T(c.textId));
    EXPECT_EQ(prompt.messages()[0].icon, QMessageBox::Warning);
    EXPECT_EQ(dialog.frame(), c.frame) << c.textId;
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_TRUE(activated.empty());
    EXPECT_EQ(state().m_nLockedItems, 0);
    if (c.frame == LockInputFrame::Items)
      EXPECT_FALSE(child<QLineEdit>(dialog, 1247)->hasFocus()) << "the items check leaves the focus";
    else
      EXPECT_TRUE(child<QLineEdit>(dialog, 1247)->hasFocus());
  }
}

TEST_F(LockDialogs, FramesAreDrawnAndClearedByTheirField) {
  CLockSensorDlg dialog(*window, ops, QPixmap(window->resources().picturePath(1025)));
  dialog.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
  QTest::mouseClick(child<QPushButton>(dialog, 1200), Qt::LeftButton);  // empty: 9962
  ASSERT_EQ(dialog.frame(), LockInputFrame::Confirmation);
  auto* confirm = child<QLineEdit>(dialog, 1248);
  const QPoint left = confirm->mapTo(&dialog, QPoint(-5, confirm->height() / 2));
  EXPECT_EQ(dialog.grab().toImage().pixelColor(left), QColor(255, 0, 0));
  confirm->setFocus(Qt::TabFocusReason);
  EXPECT_EQ(dialog.frame(), LockInputFrame::None);
  EXPECT_NE(dialog.grab().toImage().pixelColor(left), QColor(255, 0, 0));

  child<QLineEdit>(dialog, 1247)->setText("abcde");
  confirm->setText("abcde");
  QTest::mouseClick(child<QPushButton>(dialog, 1200), Qt::LeftButton);  // no item: 9966
  ASSERT_EQ(dialog.frame(), LockInputFrame::Items);
  SaveScreenshot(dialog, "lock_sensor_dlg");
  Tick(dialog, 1227);
  EXPECT_EQ(dialog.frame(), LockInputFrame::None) << "a tick clears the items frame";
}

TEST_F(LockDialogs, CancelAfterTicksLeavesTheItemsAndALaterLockTakesOnlyItsOwnTicks) {
  state().m_nLockedItems = 0;
  {
    CLockSensorDlg dialog(*window, ops, QPixmap());
    dialog.show();
    Tick(dialog, 1227);
    Tick(dialog, 1230);
    EXPECT_EQ(dialog.tickedItems(), 5);
    QTest::mouseClick(child<QPushButton>(dialog, 1252), Qt::LeftButton);
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
  }
  EXPECT_EQ(state().m_nLockedItems, 0);
  CLockSensorDlg dialog(*window, ops, QPixmap());
  dialog.show();
  child<QLineEdit>(dialog, 1247)->setText("Schlüssel");
  child<QLineEdit>(dialog, 1248)->setText("Schlüssel");
  Tick(dialog, 1228);
  QTest::mouseClick(child<QPushButton>(dialog, 1200), Qt::LeftButton);
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
  ASSERT_EQ(activated.size(), 1u);
  EXPECT_EQ(activated[0].items, 2);
  EXPECT_EQ(activated[0].password, QString("Schlüssel"));
  EXPECT_EQ(menuTexts[32799], T(530));
}

TEST_F(LockDialogs, AFailedActivationStillEndsTheDialogWithOk) {
  ops.activate = [this](const QString&) {
    state().m_bSensorLocked = 0;
    return false;
  };
  CLockSensorDlg dialog(*window, ops, QPixmap());
  dialog.show();
  child<QLineEdit>(dialog, 1247)->setText("abcde");
  child<QLineEdit>(dialog, 1248)->setText("abcde");
  Tick(dialog, 1230);
  QTest::mouseClick(child<QPushButton>(dialog, 1200), Qt::LeftButton);
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
  EXPECT_EQ(menuTexts[32799], T(420));
}

TEST_F(LockDialogs, LoginAsksFramedFirstThenPlainAndGoesByTheAnswer) {
  std::string framed;
  EncodeConfigName(framed, u"Grün-12");
  struct Case {
    std::vector<Answer> answers;
    std::vector<std::string> sent;
    int textId;  // 0: accepted without a message
    bool accepted;
    bool frame;
  } const cases[] = {
      {{{0, 1}}, {framed}, 0, true, false},                           // framed form taken
      {{{0, 0}, {0, 1}}, {framed, "Grün-12"}, 0, true, false},      // framed refused, plain taken
      {{{-53, 0}, {0, 1}}, {framed, "Grün-12"}, 0, true, false},    // framed call failed
      {{{0, 2}}, {framed}, 0, true, false},                           // status 2 logs in
      {{{0, 0}, {0, 0}}, {framed, "Grün-12"}, 9961, false, true},   // wrong password
      {{{0, 0}, {0, -1}}, {framed, "Grün-12"}, 9969, false, false},  // check refused
      {{{0, 0}, {-53, 0}}, {framed, "Grün-12"}, 9968, false, false},  // second call failed
  };
  for (const Case& c : cases) {
    answers = c.answers;
    sent.clear();
    prompt.clear();
    state().m_bLoggedIn = 0;
    CLogin login(*window, ops, QPixmap(window->resources().picturePath(1025)));
    login.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&login));
    TypeInto(login, 1254, "Grün-12");
    QTest::mouseClick(child<QPushButton>(login, 1200), Qt::LeftButton);
    EXPECT_EQ(sent, c.sent) << c.textId;
    EXPECT_EQ(login.result() == QDialog::Accepted, c.accepted) << c.textId;
    EXPECT_EQ(login.isVisible(), !c.accepted);
    EXPECT_EQ(state().m_bLoggedIn, c.accepted ? 1 : 0);
    EXPECT_EQ(login.passwordFrame(), c.frame);
    if (c.textId == 0) {
      EXPECT_TRUE(prompt.messages().isEmpty());
      EXPECT_EQ(menuTexts[32800], T(540));
    } else {
      ASSERT_EQ(prompt.messages().size(), 1);
      EXPECT_EQ(prompt.messages()[0].text, T(c.textId));
      EXPECT_EQ(prompt.messages()[0].icon, QMessageBox::Information);
    }
    if (c.frame) SaveScreenshot(login, "login_dlg");
  }
}

TEST_F(LockDialogs, LoginEditTakesNoMoreThanItsLimit) {
  CLogin login(*window, ops, QPixmap());
  login.show();
  TypeInto(login, 1254, QString(kLoginPasswordMaxLength + 40, QChar('k')));
  EXPECT_EQ(child<QLineEdit>(login, 1254)->text().size(), kLoginPasswordMaxLength);
  TypeInto(login, 1254, QString(kLoginPasswordMaxLength + 40, QChar(0xDF)));
  EXPECT_EQ(child<QLineEdit>(login, 1254)->text().size(), kLoginPasswordMaxLength);
  answers = {{0, 0}, {0, 1}};
  QTest::mouseClick(child<QPushButton>(login, 1200), Qt::LeftButton);
  ASSERT_EQ(sent.size(), 2u);
  EXPECT_EQ(sent[1].size(), static_cast<size_t>(kLoginPasswordMaxLength) * 2) << "whole, in UTF-8";
}

TEST_F(LockDialogs, LoginMenuAndResetStatisticsFollowTheLockAndLoginState) {
  CPasswordLock lock(*window, ops);
  prompt.setDialogHandler([&](QDialog& dialog) {
    TypeInto(dialog, 1254, "abcde");
    QTest::mouseClick(child<QPushButton>(dialog, 1200), Qt::LeftButton);
    return dialog.result();
  });
  state().m_bMonitorView = 1;
  state().m_bSensorLocked = 1;
  state().m_nLockedItems = 6;
  state().m_bLoggedIn = 0;
  lock.UpdateResetStatistics();
  EXPECT_EQ(resetEnabled, false) << "locked monitor, nobody logged in";
  lock.OnLogin();  // logs in
  EXPECT_EQ(state().m_bLoggedIn, 1);
  EXPECT_EQ(resetEnabled, true);
  EXPECT_EQ(menuEnabled[32799], false) << "no lock entry in the monitor view";
  lock.OnLogin();  // logs out
  EXPECT_EQ(state().m_bLoggedIn, 0);
  EXPECT_EQ(menuTexts[32800], T(425));
  EXPECT_EQ(resetEnabled, false);
  state().m_nLockedItems = 2;
  lock.UpdateResetStatistics();
  EXPECT_EQ(resetEnabled, true) << "the monitor is not protected";
  state().m_bSensorLocked = 0;
  state().m_nLockedItems = 0;
  lock.UpdateResetStatistics();
  EXPECT_EQ(resetEnabled, true);
}

TEST_F(LockDialogs, UnlockAsksTheLoginUnlessLoggedInAndStopsWhenItIsCancelled) {
  CPasswordLock lock(*window, ops);
  state().m_bSensorLocked = 1;
  state().m_nLockedItems = 1;
  prompt.setDialogHandler([](QDialog& dialog) {
    dialog.reject();
    return int(QDialog::Rejected);
  });
  lock.OnLockSensor();
  EXPECT_EQ(deactivations, 0);
  EXPECT_EQ(state().m_bSensorLocked, 1);

  state().m_bLoggedIn = 1;
  prompt.clear();
  lock.OnLockSensor();
  ASSERT_EQ(prompt.messages().size(), 1);
  EXPECT_EQ(prompt.messages()[0].text, T(9967));
  EXPECT_EQ(deactivations, 1);
  EXPECT_EQ(state().m_bSensorLocked, 0);
  EXPECT_EQ(menuTexts[32799], T(420));
}

}  // namespace
