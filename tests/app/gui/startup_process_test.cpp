// The program's start driven as processes: arguments, one instance per
// user, missing resource files.
#include <QLocalServer>
#include <QLocalSocket>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QUuid>
#include <gtest/gtest.h>

#include "gui_test_support.h"
#include "startup/single_instance.h"

namespace {

const QString kProgram = QStringLiteral(VT_BIN_DIR "/varnis-tarvel");

struct StartupProcessTest : ::testing::Test {
  void SetUp() override {
    instanceName = "vt-test-" + QUuid::createUuid().toString(QUuid::WithoutBraces);
    env = QProcessEnvironment::systemEnvironment();
    env.insert("VT_INSTANCE_NAME", instanceName);
    env.insert("VT_PROMPT_ANSWER", "1");
    env.insert("VT_NO_SPLASH", "1");
    env.insert("VT_STARTUP_REPORT", "1");
    env.insert("QT_QPA_PLATFORM", "offscreen");
  }
  void TearDown() override {
    for (auto& p : running) {
      p->kill();
      p->waitForFinished(5000);
    }
  }
  // Starts the program; the caller waits.
  QProcess& start(const QStringList& args = {}) {
    running.push_back(std::make_unique<QProcess>());
    QProcess& p = *running.back();
    p.setProcessEnvironment(env);
    p.start(kProgram, args);
    return p;
  }
  static bool waitForLine(QProcess& p, const QByteArray& line, int ms = 15000) {
    QByteArray seen;
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < ms) {
      if (p.state() == QProcess::NotRunning) return false;
      p.waitForReadyRead(100);
      seen += p.readAllStandardOutput();
      if (seen.contains(line + '\n')) return true;
    }
    return false;
  }

  LibCopy lib;  // settings in a folder of their own
  QString instanceName;
  QProcessEnvironment env;
  std::vector<std::unique_ptr<QProcess>> running;
};

TEST_F(StartupProcessTest, AnyArgumentEndsSilently) {
  for (const QString& arg : {QString(" "), QString("--help"), QString("x")}) {
    QProcess& p = start({arg});
    ASSERT_TRUE(p.waitForFinished(10000));
    EXPECT_EQ(p.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(p.exitCode(), 0);
    EXPECT_TRUE(p.readAllStandardOutput().isEmpty()) << "no window for '" << arg.toStdString() << "'";
    EXPECT_FALSE(p.readAllStandardError().contains("|"));  // no message either
  }
}

TEST_F(StartupProcessTest, ASecondStartRaisesTheFirstAndEnds) {
  QProcess& first = start();
  ASSERT_TRUE(waitForLine(first, "shown"));
  QProcess& second = start();
  ASSERT_TRUE(second.waitForFinished(10000));
  EXPECT_EQ(second.exitCode(), 0);
  EXPECT_TRUE(second.readAllStandardOutput().isEmpty());
  EXPECT_TRUE(waitForLine(first, "raised"));
  EXPECT_EQ(first.state(), QProcess::Running);
}

TEST_F(StartupProcessTest, ASecondStartWhileTheFirstIsStartingAlsoEnds) {
  // The first holds the instance before any window: here, this test process.
  SingleInstance firstInstance(instanceName);
  ASSERT_TRUE(firstInstance.acquire());
  QSignalSpy raised(&firstInstance, &SingleInstance::raiseRequested);
  QProcess& second = start();
  ASSERT_TRUE(second.waitForFinished(10000));
  EXPECT_EQ(second.exitCode(), 0);
  EXPECT_TRUE(second.readAllStandardOutput().isEmpty());
  // Once the first is up, it comes to the front.
  EXPECT_TRUE(raised.count() > 0 || raised.wait(5000));
  EXPECT_TRUE(firstInstance.takePendingRaise());
}

TEST_F(StartupProcessTest, AStaleSocketIsTakenOver) {
  {
    // A program that died leaves its socket file behind.
    QLocalServer dead;
    dead.setSocketOptions(QLocalServer::UserAccessOption);
    ASSERT_TRUE(dead.listen(instanceName));
    const QString path = dead.fullServerName();
    dead.close();
    QFile leftover(path);
    ASSERT_TRUE(leftover.open(QIODevice::WriteOnly));
  }
  QProcess& first = start();
  ASSERT_TRUE(waitForLine(first, "shown"));
  QProcess& second = start();
  ASSERT_TRUE(second.waitForFinished(10000));
  EXPECT_TRUE(waitForLine(first, "raised"));
}

TEST_F(StartupProcessTest, MissingResourceFilesEndWithTheProgramsOwnMessages) {
  const struct {
    std::vector<const char*> remove;
    const char* message;
  } rows[] = {
      {{"Zentrafel", "Lindaro", "Palvero", "VarnisLang09", "VarnisLang07"},
       "Varnis ZV|3|Common definition DLL is not available or corrupted."},
      {{"Lindaro"}, "Varnis ZV|3|Common resource DLL is not available or corrupted."},
      {{"Palvero"}, "Varnis ZV|3|XML configuration DLL is not avaliable or corrupted."},
      {{"VarnisLang09", "VarnisLang07"}, "Varnis ZV|3|No language DLLs are available"},
  };
  for (const auto& r : rows) {
    LibCopy own;
    for (const char* f : r.remove) own.remove(f);
    env.insert("VT_LIB_DIR", own.path());
    QProcess& p = start();
    ASSERT_TRUE(p.waitForFinished(10000));
    EXPECT_EQ(p.exitCode(), 0);
    EXPECT_TRUE(p.readAllStandardOutput().isEmpty());  // no window
    const QString err = QString::fromUtf8(p.readAllStandardError());
    EXPECT_TRUE(err.contains(r.message)) << err.toStdString();
  }
}

}  // namespace
