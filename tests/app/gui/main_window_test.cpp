// The main window offscreen: its menus and controls carry the language's
// texts, a language change re-texts it, the start-up failures end it.
#include <QAbstractButton>
#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QSignalSpy>
#include <QTest>
#include <QToolBar>
#include <QUrl>
#include <gtest/gtest.h>

#include "gui_test_support.h"
#include "services/recording_prompt.h"
#include "window/dialog_control.h"
#include "window/main_window.h"

namespace {

// Every text a user sees in the window: widget texts, tooltips, menu titles
// and entries, toolbar texts.
QStringList VisibleTexts(QWidget& window) {
  QStringList out;
  auto addAction = [&](QAction* a) {
    if (a->isSeparator()) return;
    out << a->text() << a->toolTip();
    if (a->menu()) out << a->menu()->title();
  };
  for (QWidget* w : window.findChildren<QWidget*>()) {
    if (auto* l = qobject_cast<QLabel*>(w)) out << l->text();
    if (auto* b = qobject_cast<QAbstractButton*>(w)) out << b->text();
    if (!w->toolTip().isEmpty()) out << w->toolTip();
    for (QAction* a : w->actions()) addAction(a);
  }
  out.removeAll(QString());
  return out;
}

// A table's text as a widget shows it: without the shortcut part; tooltips
// taken from an action's text lose the "&" marks and a trailing "...".
QString Plain(QString text) {
  text = text.section('\t', 0, 0).remove('&');
  return text.endsWith("...") ? text.chopped(3) : text;
}

// With `lacking`, only texts of ids that table does not hold count (the
// English texts a language without its own shows).
bool InTable(const vt::StringTable& table, QString text, const vt::StringTable* lacking = nullptr) {
  text = Plain(text);
  for (uint32_t id = 0; id < 70000; ++id) {
    const auto t = table.get(id);
    if (lacking && lacking->get(id)) continue;
    if (t && Plain(QString::fromUtf8(t->data(), qsizetype(t->size()))) == text) return true;
  }
  return false;
}

struct MainWindowTest : ::testing::Test {
  LibCopy lib;
  RecordingPrompt prompt;
};

TEST_F(MainWindowTest, ShowsEveryMenuAndControlTextFromTheLanguageTable) {
  CVarnisDatamatrixDlg window(prompt, MainPanels{});
  ASSERT_EQ(window.OnInitDialog(), CVarnisDatamatrixDlg::StartResult::Run);
  window.show();
  EXPECT_EQ(window.windowTitle(), "Varnis Tarvel");
  EXPECT_TRUE(prompt.messages().isEmpty());
  SaveScreenshot(window, "main_window");

  QStringList menus;
  for (QAction* a : window.menuBar()->actions()) menus << a->text();
  EXPECT_EQ(menus, (QStringList{"&File", "C&onfigurations", "&Connections", "&Settings", "&Help"}));

  const auto english = EnglishTable();
  const QStringList texts = VisibleTexts(window);
  EXPECT_GT(texts.size(), 40);
  for (const QString& t : texts) EXPECT_TRUE(InTable(english, t) || t.contains(" ( ")) << t.toStdString();
  // Every command of the menu and toolbar has a text.
  for (QAction* a : window.findChildren<QAction*>()) {
    if (a->isSeparator() || !a->objectName().startsWith("id")) continue;
    EXPECT_FALSE(a->text().isEmpty()) << a->objectName().toStdString();
  }
}

TEST_F(MainWindowTest, LanguageMenuListsNativeNamesAndSwitchesTheTexts) {
  CVarnisDatamatrixDlg window(prompt, MainPanels{});
  ASSERT_EQ(window.OnInitDialog(), CVarnisDatamatrixDlg::StartResult::Run);
  QStringList entries;
  for (QAction* a : window.languageMenu()->actions()) entries << a->text();
  EXPECT_EQ(entries, (QStringList{"Deutsch ( German )", "English ( English )"}));
  EXPECT_EQ(window.language().GetSelectedLanguage(), 9);

  ASSERT_NE(window.action(64007), nullptr);
  window.action(64007)->trigger();
  EXPECT_EQ(window.language().GetSelectedLanguage(), 7);
  EXPECT_TRUE(window.action(64007)->isChecked());
  EXPECT_FALSE(window.action(64009)->isChecked());
  EXPECT_EQ(window.findChild<QAbstractButton*>("id1028")->text(), "Weiter >");
  EXPECT_EQ(window.action(32772)->text(), "&Beenden");
  entries.clear();
  for (QAction* a : window.languageMenu()->actions()) entries << a->text();
  EXPECT_EQ(entries, (QStringList{"Deutsch ( Deutsch )", "English ( Englisch )"}));
  const auto german = LanguageTable("VarnisLang07");
  const auto english = EnglishTable();
  for (const QString& t : VisibleTexts(window))
    EXPECT_TRUE(InTable(german, t) || InTable(english, t, &german) || t.contains(" ( ")) << t.toStdString();
}

TEST_F(MainWindowTest, MissingResourceLibraryEndsWithItsMessage) {
  const struct {
    const char* remove;
    const char* message;
  } cases[] = {
      {"Zentrafel/strings.txt", "Common definition DLL is not available"},
      {"Lindaro", "Common resource DLL is not available"},
      {"Palvero", "XML configuration DLL is not avaliable"},
  };
  for (const auto& c : cases) {
    LibCopy own;
    own.remove(c.remove);
    RecordingPrompt p;
    CVarnisDatamatrixDlg window(p, MainPanels{});
    EXPECT_EQ(window.OnInitDialog(), CVarnisDatamatrixDlg::StartResult::End) << c.remove;
    ASSERT_EQ(p.messages().size(), 1) << c.remove;
    EXPECT_TRUE(p.messages()[0].text.startsWith(c.message)) << p.messages()[0].text.toStdString();
    EXPECT_EQ(p.messages()[0].caption, "Varnis ZV");
    EXPECT_EQ(p.messages()[0].icon, QMessageBox::Critical);
  }
}

}  // namespace

namespace {

TEST_F(MainWindowTest, HelpOpensTheLanguagesPageOrSaysItIsMissing) {
  CVarnisDatamatrixDlg window(prompt, MainPanels{});
  ASSERT_EQ(window.OnInitDialog(), CVarnisDatamatrixDlg::StartResult::Run);
  std::vector<QUrl> opened;
  window.setUrlOpener([&](const QUrl& url) {
    opened.push_back(url);
    return true;
  });
  window.action(57670)->trigger();
  ASSERT_EQ(opened.size(), 1u);
  EXPECT_TRUE(opened[0].toLocalFile().endsWith("/varnishelp09/index.html")) << opened[0].toString().toStdString();
  EXPECT_EQ(opened[0].fragment(), "topic1");
  EXPECT_TRUE(prompt.messages().isEmpty());

  // German has no help installed.
  window.action(64007)->trigger();
  window.action(5032)->trigger();
  EXPECT_EQ(opened.size(), 1u);
  ASSERT_EQ(prompt.messages().size(), 1);
  EXPECT_EQ(prompt.messages()[0].icon, QMessageBox::Information);
  EXPECT_EQ(window.LaunchHelp(1), -1);
}

}  // namespace

namespace {

TEST_F(MainWindowTest, CtrlNAndAltF4ReachTheirCommands) {
  CVarnisDatamatrixDlg window(prompt, MainPanels{});
  ASSERT_EQ(window.OnInitDialog(), CVarnisDatamatrixDlg::StartResult::Run);
  window.show();
  QApplication::setActiveWindow(&window);
  ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
  QSignalSpy newConfig(window.action(32773), &QAction::triggered);
  // Without a sensor the configuration menu is off, and its shortcut with it.
  QTest::keyClick(&window, Qt::Key_N, Qt::ControlModifier);
  EXPECT_EQ(newConfig.count(), 0);
  window.state().m_bConnected = 1;
  window.dialogControl().EnterConfigurationView();
  QTest::keyClick(&window, Qt::Key_N, Qt::ControlModifier);
  EXPECT_EQ(newConfig.count(), 1);

  prompt.queueAnswer(QMessageBox::No);
  QTest::keyClick(&window, Qt::Key_F4, Qt::AltModifier);
  ASSERT_EQ(prompt.messages().size(), 1);
  EXPECT_EQ(prompt.messages()[0].text, "Do you want to close Varnis Tarvel?");
  EXPECT_EQ(prompt.messages()[0].buttons, QMessageBox::Yes | QMessageBox::No);
  EXPECT_TRUE(window.isVisible());
  EXPECT_FALSE(window.state().m_bLeaving);

  QSignalSpy ended(&window, &CVarnisDatamatrixDlg::endRequested);
  QTest::keyClick(&window, Qt::Key_F4, Qt::AltModifier);  // Yes by default
  EXPECT_FALSE(window.isVisible());
  EXPECT_EQ(ended.count(), 1);
}

}  // namespace

namespace {

// Folders that cannot be read.
class NoFolders : public CPath {
public:
  int Init() override { return -10001; }
};

TEST_F(MainWindowTest, UnreadableFoldersEndTheProgramAfterTheMessage) {
  CVarnisDatamatrixDlg window(prompt, MainPanels{});
  window.setPathProvider(std::make_unique<NoFolders>());
  EXPECT_EQ(window.OnInitDialog(), CVarnisDatamatrixDlg::StartResult::End);
  ASSERT_EQ(prompt.messages().size(), 1);
  EXPECT_EQ(prompt.messages()[0].text,
            "Program connection error [-10004] - The program's folders cannot be read. The program ends.\n"
            "The connection to the sensor has been reset.");
  EXPECT_EQ(prompt.messages()[0].icon, QMessageBox::Critical);
}

}  // namespace
