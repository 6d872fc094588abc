// The settings store: defaults on an empty store, what start-up keeps and
// preselects, failures reported, values read back by another process.
#include <QCoreApplication>
#include <QFile>
#include <QProcess>
#include <QSettings>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include "settings/quorren_reg.h"

namespace {

QString Definition(int id) {
  switch (id) {
    case 150: return "192.168.0.10";
    case 151: return "255.255.255.0";
    case 152: return "OFF";
    case 153: return "8080";
    case 154: return "50002";
    case 155: return "00:00:00:00:00:00";
    case 351: return "1";
    case 352: return "Varnis Tarvel";
    case 353: return "0";
    default: return {};
  }
}
QString Language(int id) { return id == 1040 ? "Default sensor" : id == 1041 ? "Hall 1" : QString(); }

struct SettingsTest : ::testing::Test {
  QTemporaryDir folder;
  QString file() const { return folder.filePath("Varnis Tarvel 1.ini"); }
  QString value(const QString& key) const { return QSettings(file(), QSettings::IniFormat).value(key).toString(); }
  void set(const QString& key, const QString& v) const { QSettings(file(), QSettings::IniFormat).setValue(key, v); }
  void remove(const QString& key) const { QSettings(file(), QSettings::IniFormat).remove(key); }
  CQuorrenReg::Loaded load(QDate today = QDate(2026, 3, 7)) {
    CQuorrenReg reg(folder.path());
    return reg.LoadSettings(Definition, Language, today);
  }
  void saveConnection(const SavedConnection& c) {
    CQuorrenReg reg(folder.path());
    reg.BuildBasePath(Definition);
    ASSERT_EQ(reg.StoreConnection(c), 0);
  }
};

TEST_F(SettingsTest, EmptyStoreGetsTheDefaults) {
  const auto loaded = load();
  EXPECT_FALSE(loaded.writeFailed);
  EXPECT_EQ(value("Common/CommTimeout"), "7000");
  EXPECT_EQ(value("Common/CurrentVersion"), "1.0");
  EXPECT_EQ(value("Common/InstallationDate"), "7.3.2026");
  EXPECT_EQ(value("Common/VideoTimeout"), "50000");
  EXPECT_EQ(value("Common/UserLanguage"), "9");
  EXPECT_EQ(value("Graphics/ColRegion"), "16592896");
  EXPECT_EQ(value("Graphics/ColPassMsg"), "51200");
  EXPECT_EQ(value("Graphics/ColFailMsg"), "2163711");
  EXPECT_EQ(value("Graphics/ColOtherMsg"), "39423");
  EXPECT_EQ(loaded.colours.regionColour, 16592896u);
  EXPECT_EQ(loaded.colours.otherColour, 39423u);
  // The default connection is saved and becomes the last connection.
  EXPECT_EQ(value("Common/LastConnection"), "Default sensor");
  EXPECT_EQ(value("Connections/Default sensor/IPAddress"), "192.168.0.10");
  EXPECT_EQ(value("Connections/Default sensor/Location"), "Hall 1");
  EXPECT_EQ(value("Connections/Default sensor/XMLPort"), "8080");
  EXPECT_TRUE(loaded.referenceCodes.isEmpty());
  // At the next start it is preselected.
  const auto again = load();
  EXPECT_EQ(again.lastConnection, "Default sensor");
  EXPECT_EQ(again.current.address, "192.168.0.10");
}

TEST_F(SettingsTest, DeletingTheTimeoutResetsVersionAndDate) {
  load();
  set("Common/CurrentVersion", "7.7");
  set("Common/InstallationDate", "1.1.2020");
  remove("Common/CommTimeout");
  load(QDate(2026, 12, 24));
  EXPECT_EQ(value("Common/CommTimeout"), "7000");
  EXPECT_EQ(value("Common/CurrentVersion"), "1.0");
  EXPECT_EQ(value("Common/InstallationDate"), "24.12.2026");
  // A later missing value leaves the earlier ones alone.
  set("Common/CurrentVersion", "7.7");
  remove("Common/VideoTimeout");
  load();
  EXPECT_EQ(value("Common/CurrentVersion"), "7.7");
  EXPECT_EQ(value("Common/VideoTimeout"), "50000");
}

TEST_F(SettingsTest, LastConnectionThatCannotConnectIsKeptButNotPreselected) {
  SavedConnection scanned{"Line 3", "Hall 2", "00:11:22:33:44:55", "", "", "ON", "8080", "50002"};
  saveConnection(scanned);
  auto loaded = load();
  EXPECT_EQ(loaded.lastConnection, "Line 3");
  EXPECT_EQ(loaded.current.address, "DHCP");

  SavedConnection broken{"Line 4", "", "-", "-", "", "OFF", "8080", "50002"};
  saveConnection(broken);
  loaded = load();
  EXPECT_TRUE(loaded.lastConnection.isEmpty());
  EXPECT_TRUE(loaded.current.name.isEmpty());
  EXPECT_EQ(value("Connections/Line 4/IPAddress"), "-");  // still saved
  EXPECT_EQ(value("Common/LastConnection"), "Line 4");
}

TEST_F(SettingsTest, ColoursAndReferenceCodesAreReadWhenTheLastConnectionIsGone) {
  load();
  set("Common/LastConnection", "Nowhere");
  set("Graphics/ColRegion", "255");
  for (int i = 0; i < 5; ++i) set(QString("ReferenceCode/ReferenceCode%1").arg(i), QString("CODE%1").arg(i));
  set("ReferenceCode/ReferenceCode6", "after a gap");
  const auto loaded = load();
  EXPECT_EQ(loaded.colours.regionColour, 255u);
  EXPECT_EQ(loaded.referenceCodes, (QStringList{"CODE0", "CODE1", "CODE2", "CODE3", "CODE4"}));
}

TEST_F(SettingsTest, OneMissingColourResetsAllFour) {
  load();
  set("Graphics/ColRegion", "255");
  remove("Graphics/ColOtherMsg");
  const auto loaded = load();
  EXPECT_EQ(loaded.colours.regionColour, 16592896u);
  EXPECT_EQ(value("Graphics/ColRegion"), "16592896");
}

TEST_F(SettingsTest, ReferenceCodesAreRewrittenWhole) {
  CQuorrenReg reg(folder.path());
  reg.BuildBasePath(Definition);
  ASSERT_EQ(reg.WriteReferenceCodes({"A", "B", "C"}), 0);
  ASSERT_EQ(reg.WriteReferenceCodes({"A", "", "C"}), 0);
  QStringList codes;
  reg.ReadReferenceCodes(codes);
  EXPECT_EQ(codes, (QStringList{"A", "C"}));
  EXPECT_TRUE(value("ReferenceCode/ReferenceCode2").isEmpty());
}

TEST_F(SettingsTest, SavedConnectionsAreFoundByNameOrNormalisedAddress) {
  saveConnection({"Press", "", "", "192.168.0.10", "255.255.255.0", "OFF", "8080", "50002"});
  CQuorrenReg reg(folder.path());
  reg.BuildBasePath(Definition);
  QString name;
  EXPECT_EQ(reg.FindConnection({"Other", "", "", "192.168.000.010", "", "OFF", "8080", "50002"}, name), 1);
  EXPECT_EQ(name, "Press");
  EXPECT_EQ(reg.FindConnection({"Press", "", "", "10.0.0.1", "", "OFF", "8080", "50002"}, name), 1);
  EXPECT_EQ(reg.FindConnection({"Other", "", "", "192.168.0.11", "", "OFF", "8080", "50002"}, name), 0);
  EXPECT_EQ(reg.ReplaceConnection({"Press 2", "", "", "192.168.0.10", "", "OFF", "8081", "50002"}), 0);
  EXPECT_EQ(reg.connectionKeys(), QStringList{"\\Connections\\Press 2"});
}

// A start with every value stored leaves the file as it is: writing the same
// values back waited for the disk twice per group.
TEST_F(SettingsTest, AStartWithEverythingStoredWritesNothing) {
  ASSERT_FALSE(load().writeFailed);
  // Each write makes the file anew and puts it in place of the old one.
  const auto inode = [&] {
    struct stat st {};
    return ::stat(QFile::encodeName(file()).constData(), &st) == 0 ? st.st_ino : ino_t(0);
  };
  const ino_t before = inode();
  ASSERT_NE(before, ino_t(0));
  const auto loaded = load(QDate(2027, 1, 1));
  EXPECT_FALSE(loaded.writeFailed);
  EXPECT_EQ(inode(), before) << "written again";
  EXPECT_EQ(value("Common/InstallationDate"), "7.3.2026");
  EXPECT_EQ(loaded.colours.passColour, 51200u);
}

TEST_F(SettingsTest, AWriteThatFailsIsReported) {
  // A folder below a plain file cannot be made, whoever runs the test.
  QFile blocker(folder.filePath("file"));
  ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
  blocker.close();
  CQuorrenReg reg(folder.filePath("file/config"));
  reg.BuildBasePath(Definition);
  EXPECT_EQ(reg.WriteUserLanguage("7"), -1);
  EXPECT_EQ(reg.WriteGraphics("1", "2", "3", "4"), -1);
  EXPECT_EQ(reg.StoreConnection({"A", "", "", "1.2.3.4", "", "OFF", "8080", "50002"}), -1);
  const auto loaded = CQuorrenReg(folder.filePath("file/config")).LoadSettings(Definition, Language);
  EXPECT_TRUE(loaded.writeFailed);
  EXPECT_EQ(loaded.colours.passColour, 51200u);  // the defaults stay in memory
}

// Run in a child process by the test below: prints what it reads.
TEST(SettingsChild, PrintsTheStoredValues) {
  const QByteArray folder = qgetenv("VT_SETTINGS_CHILD");
  if (folder.isEmpty()) GTEST_SKIP() << "only as a child process";
  CQuorrenReg reg(QString::fromLocal8Bit(folder));
  QString language, last, r, p, f, o;
  reg.ReadUserLanguage(Definition, language);
  reg.ReadLastConnection(last);
  reg.ReadGraphics(r, p, f, o);
  std::printf("VALUES|%s|%s|%s|%s|%s|%s\n", qPrintable(language), qPrintable(last), qPrintable(r), qPrintable(p),
              qPrintable(f), qPrintable(o));
}

TEST_F(SettingsTest, AnotherProcessReadsBackTheSameTexts) {
  CQuorrenReg reg(folder.path());
  reg.BuildBasePath(Definition);
  ASSERT_EQ(reg.WriteUserLanguage("12"), 0);
  ASSERT_EQ(reg.WriteLastConnection("Hall ä/1"), 0);
  ASSERT_EQ(reg.WriteGraphics("1", "0", "4294967295", "39423"), 0);
  QProcess child;
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert("VT_SETTINGS_CHILD", folder.path());
  child.setProcessEnvironment(env);
  child.start(QCoreApplication::applicationFilePath(), {"--gtest_filter=SettingsChild.*"});
  ASSERT_TRUE(child.waitForFinished(20000));
  const QString out = QString::fromUtf8(child.readAllStandardOutput());
  EXPECT_TRUE(out.contains("VALUES|12|Hall ä/1|1|0|4294967295|39423")) << out.toStdString();
}

}  // namespace
