// The process-interface page in the main window against the simulator: the
// round trip through its own controls, the value-to-control mapping both
// ways, the string checks, the editors and the code menu.
#include "process_interface_fixture.h"

#include <QClipboard>
#include <QMenu>

#include "codedef/output/ascii_ctrl.h"
#include "codedef/output/ascii_dlg.h"
#include "codedef/output/config_process_test_output.h"
#include "codedef/output/quality_parameter_dlg.h"

namespace vt::test {
namespace {

using Page = ProcessInterfaceFixture;
using Tab1 = CConfigProcessInterfaceTab1;

QString Text(const XmlRpc::XmlRpcValue& v) { return QString::fromStdString(v.asString()); }

TEST_F(Page, RoundTripThroughTheControls) {
  const std::string start40(40, 'S');
  const std::string reference100 = std::string(50, 'R') + std::string(50, '7');
  Open(CODE_TYPE_ECC200, [&](XmlRpc::XmlRpcValue& c) {
    c[kWorkingMode] = 5;
    c[kStartString] = start40;
    c[kStopString] = "\\x0D\\x0A";
    c[kFailString] = "NO=20READ=21";
    c[kMatchString] = "OK=2E";
    c[kReferenceCode] = reference100;
    c[kAppendDescription] = 1;
    c[kAppendConfiguration] = 0;
    c[kAppendCodePosition] = 2;
    c[kAppendSymbology] = 0;
    c[kAppendImageData] = 2;
    c[kStringNumeration] = 1;
    c[kRdyOut] = 0;
  });
  ASSERT_EQ(state().m_bExtendedConfig, 1);
  EXPECT_EQ(tab1().modeCombo()->currentIndex(), 3);
  EXPECT_EQ(tab1().string(Tab1::Start), QString(32, 'S'));
  EXPECT_EQ(tab1().string(Tab1::Stop), "\\x0D\\x0A");
  EXPECT_EQ(tab1().string(Tab1::Fail), "NO READ!");
  EXPECT_EQ(tab1().string(Tab1::Match), "OK.");
  EXPECT_EQ(tab1().string(Tab1::Reference), QString::fromStdString(reference100));
  EXPECT_EQ(tab1().numerationCombo()->currentIndex(), 1);
  EXPECT_EQ(tab1().rdyOutCombo()->currentIndex(), 0);
  EXPECT_FALSE(tab1().numerationCombo()->isHidden());
  EXPECT_EQ(tab2().contentCombo()->currentIndex(), 1);
  EXPECT_EQ(tab2().configNumberCombo()->currentIndex(), 0);
  EXPECT_EQ(tab2().codePositionCombo()->currentIndex(), 2);
  EXPECT_EQ(tab2().symbologyCombo()->currentIndex(), 0);
  EXPECT_EQ(tab2().imageTypeCombo()->currentIndex(), 1);
  EXPECT_EQ(tab2().imageOutputCombo()->currentIndex(), 0);
  EXPECT_EQ(state().m_bOutputModeOff, 0);
  SaveScreenshot(*page, "process_interface_tab0");

  // The mode, the start string through the editor (CR, then text), a typed fail string.
  Choose(tab1().modeCombo(), 6);
  prompt.setDialogHandler(DialogHandler<CAsciiDlg>([](CAsciiDlg& editor) {
    editor.edit()->clear();
    CAsciiCtrl* table = editor.table();
    QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, table->CellRect(13, 0).center());
    QTest::keyClicks(editor.edit(), "GO");
    editor.accept();
    return editor.result();
  }));
  QTest::mouseClick(tab1().editorButton(Tab1::Start), Qt::LeftButton);
  EXPECT_EQ(tab1().string(Tab1::Start), "\\x0DGO");
  tab1().edit(Tab1::Fail)->setFocus();
  tab1().edit(Tab1::Fail)->selectAll();
  QTest::keyClicks(tab1().edit(Tab1::Fail), "FAIL:1");
  Choose(tab1().rdyOutCombo(), 1);

  ClickTab(1);
  ASSERT_EQ(page->tabs()->currentTab(), 1);
  SaveScreenshot(*page, "process_interface_tab1");
  Choose(tab2().imageOutputCombo(), 1);
  Choose(tab2().symbologyCombo(), 1);
  Choose(tab2().configNumberCombo(), 1);
  EXPECT_TRUE(prompt.messages().isEmpty()) << Texts().join('|').toStdString();

  const std::size_t writes = Calls("xmlSetConfigData");
  prompt.setDialogHandler(DialogHandler<CConfigProcessTestOutput>([](CConfigProcessTestOutput& d) {
    d.reject();
    return d.result();
  }));
  QTest::mouseClick(page->testButton(), Qt::LeftButton);
  ASSERT_TRUE(Idle());
  EXPECT_EQ(Calls("xmlSetConfigData"), writes + 1);
  EXPECT_EQ(Item(kWorkingMode).asInt(), 11);
  EXPECT_EQ(Text(Item(kStartString)), "\\x0DGO");
  EXPECT_EQ(Text(Item(kStopString)), "\\x0D\\x0A");
  EXPECT_EQ(Text(Item(kFailString)), "FAIL=3A1");
  EXPECT_EQ(Text(Item(kMatchString)), "OK.");
  EXPECT_EQ(Text(Item(kReferenceCode)), QString::fromStdString(reference100));
  EXPECT_EQ(Item(kAppendImageData).asInt(), 6);
  EXPECT_EQ(Item(kAppendSymbology).asInt(), 1);
  EXPECT_EQ(Item(kAppendConfiguration).asInt(), 1);
  EXPECT_EQ(Item(kAppendCodePosition).asInt(), 2);
  EXPECT_EQ(Item(kAppendDescription).asInt(), 1);
  EXPECT_EQ(Item(kStringNumeration).asInt(), 1);
  EXPECT_EQ(Item(kRdyOut).asInt(), 1);

  // A second read shows what was written.
  tab1().SetString(Tab1::Fail, QString());
  Reread();
  EXPECT_EQ(tab1().modeCombo()->currentIndex(), 6);
  EXPECT_EQ(tab1().string(Tab1::Start), "\\x0DGO");
  EXPECT_EQ(tab1().string(Tab1::Fail), "FAIL:1");
  EXPECT_EQ(tab1().rdyOutCombo()->currentIndex(), 1);
  EXPECT_EQ(tab2().imageTypeCombo()->currentIndex(), 1);
  EXPECT_EQ(tab2().imageOutputCombo()->currentIndex(), 1);
  EXPECT_EQ(tab2().symbologyCombo()->currentIndex(), 1);
}

TEST_F(Page, ValuesToControlsAndBack) {
  Open(CODE_TYPE_QR);
  struct Case {
    int item;
    int stored;
    std::function<int()> shown;
    int written;
  };
  auto index = [](QComboBox* c) { return [c] { return c->currentIndex(); }; };
  auto imageShown = [this] { return tab2().imageTypeCombo()->currentIndex() + 10 * tab2().imageOutputCombo()->currentIndex(); };
  const Case cases[] = {
      {kWorkingMode, 0, index(tab1().modeCombo()), 0},
      {kWorkingMode, 1, index(tab1().modeCombo()), 1},
      {kWorkingMode, 3, index(tab1().modeCombo()), 3},
      {kWorkingMode, 5, index(tab1().modeCombo()), 5},
      {kWorkingMode, 7, index(tab1().modeCombo()), 7},
      {kWorkingMode, 9, index(tab1().modeCombo()), 9},
      {kWorkingMode, 11, index(tab1().modeCombo()), 11},
      {kAppendImageData, 1, imageShown, 1},
      {kAppendImageData, 2, imageShown, 2},
      {kAppendImageData, 5, imageShown, 5},
      {kAppendImageData, 6, imageShown, 6},
      {kAppendCodePosition, 0, index(tab2().codePositionCombo()), 0},
      {kAppendCodePosition, 1, index(tab2().codePositionCombo()), 1},
      {kAppendCodePosition, 2, index(tab2().codePositionCombo()), 2},
      {kAppendCodePosition, 7, index(tab2().codePositionCombo()), 0},
      {kAppendSymbology, -1, index(tab2().symbologyCombo()), 0},
      {kQualityOutput, 0, index(tab2().qualityCombo()), 0},
      {kQualityOutput, 1, index(tab2().qualityCombo()), 1},
      {kQualityOutput, 3, index(tab2().qualityCombo()), 3},
  };
  const int expectedShown[] = {0, 1, 2, 3, 4, 5, 6, 0, 1, 10, 11, 0, 1, 2, 0, 0, 0, 1, 2};
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    const Case& c = cases[i];
    SCOPED_TRACE(testing::Message() << "item " << c.item << " value " << c.stored);
    Reread([&](XmlRpc::XmlRpcValue& config) { config[c.item] = c.stored; });
    EXPECT_EQ(c.shown(), expectedShown[i]);
    state().m_bQualityOutputChanged = 1;
    ASSERT_EQ(Apply(), 0) << Texts().join('|').toStdString();
    ASSERT_TRUE(Idle());
    EXPECT_EQ(Item(c.item).asInt(), c.written);
  }

  // Mode value 4 shows item 0: no match string, no reference code.
  Reread([](XmlRpc::XmlRpcValue& config) { config[kWorkingMode] = 4; });
  EXPECT_EQ(tab1().modeCombo()->currentIndex(), 0);
  EXPECT_EQ(state().m_bOutputModeOff, 1);
  EXPECT_FALSE(tab1().edit(Tab1::Match)->isEnabled());
  EXPECT_FALSE(tab1().edit(Tab1::Reference)->isEnabled());
  EXPECT_FALSE(tab1().editorButton(Tab1::Match)->isEnabled());
  EXPECT_FALSE(tab1().editorButton(Tab1::Reference)->isEnabled());
  EXPECT_TRUE(tab1().edit(Tab1::Fail)->isEnabled());
  ASSERT_EQ(Apply(), 0);
  EXPECT_EQ(Item(kWorkingMode).asInt(), 0);
}

TEST_F(Page, BarCodeWithoutExtendedConfigurationHasNoQualityOutputOrSymbology) {
  Open(CODE_TYPE_CODE128, [](XmlRpc::XmlRpcValue& c) {
    c[kQualityOutput] = 1;
    c[kAppendSymbology] = 1;
  });
  state().m_bExtendedConfig = 0;
  Reread();
  EXPECT_FALSE(tab2().qualityCombo()->isEnabled());
  EXPECT_EQ(tab2().qualityCombo()->currentIndex(), 0);
  EXPECT_FALSE(tab2().qualityButton()->isEnabled());
  EXPECT_FALSE(tab2().symbologyCombo()->isEnabled());
  EXPECT_TRUE(tab1().numerationCombo()->isHidden());
  // The symbology goes back as the list holds it; the quality output as 0.
  const int symbology = tab2().symbologyCombo()->currentIndex();
  state().m_bQualityOutputChanged = 1;  // as the bar-code tab's composite choice leaves it
  ASSERT_EQ(Apply(), 0);
  EXPECT_EQ(Item(kQualityOutput).asInt(), 0);
  EXPECT_EQ(Item(kAppendSymbology).asInt(), symbology);
}

// A stored image output the lists cannot show is kept, not written as 0 or 4.
TEST_F(Page, ImageOutputOutsideTheListsIsKept) {
  Open(CODE_TYPE_ECC200, [](XmlRpc::XmlRpcValue& c) { c[kAppendImageData] = 3; });
  for (int stored : {3, 0, 4, 7, -1}) {
    SCOPED_TRACE(stored);
    Reread([&](XmlRpc::XmlRpcValue& c) { c[kAppendImageData] = stored; });
    EXPECT_EQ(tab2().imageTypeCombo()->currentIndex(), -1);
    EXPECT_EQ(tab2().imageOutputCombo()->currentIndex(), -1);
    ASSERT_EQ(Apply(), 0);
    EXPECT_EQ(Item(kAppendImageData).asInt(), stored);
  }
  Choose(tab2().imageTypeCombo(), 1);
  ASSERT_EQ(Apply(), 0);
  EXPECT_EQ(Item(kAppendImageData).asInt(), 2);
}

TEST_F(Page, AStringThatCannotBeSentIsRefusedAtOnce) {
  Open(CODE_TYPE_ECC200, [](XmlRpc::XmlRpcValue& c) { c[kWorkingMode] = 1; });
  struct Case {
    const char* name;
    std::function<void(QLineEdit*)> type;
  };
  const Case cases[] = {
      {"character 127", [](QLineEdit* e) { e->insert(QString(QChar(127))); }},
      {"character above 126",
       [](QLineEdit* e) { QTest::sendKeyEvent(QTest::Click, e, Qt::Key_Eacute, QStringLiteral("\u00e9"), {}); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    QLineEdit* fail = tab1().edit(Tab1::Fail);
    tab1().SetString(Tab1::Fail, QStringLiteral("BAD"));
    prompt.clear();
    tab1().edit(Tab1::Start)->setFocus();
    fail->setFocus();
    fail->setCursorPosition(3);
    c.type(fail);
    ASSERT_EQ(Texts(), QStringList{window->text(9921)});
    EXPECT_TRUE(fail->hasFocus());
    EXPECT_EQ(fail->selectedText(), fail->text());
  }

  // Tab 1 is not entered while tab 0 holds it.
  ClickTab(1);
  EXPECT_EQ(page->tabs()->currentTab(), 0);

  // Apply with the bad string: tab 0 in front, the edit selected, nothing sent.
  tab1().SetString(Tab1::Fail, QStringLiteral("OK"));
  ClickTab(1);
  ASSERT_EQ(page->tabs()->currentTab(), 1);
  tab1().SetString(Tab1::Fail, QStringLiteral("X") + QChar(200));
  prompt.clear();
  const std::size_t writes = Calls("xmlSetConfigData");
  QTest::mouseClick(page->testButton(), Qt::LeftButton);
  EXPECT_EQ(page->tabs()->currentTab(), 0);
  EXPECT_EQ(Texts(), QStringList{window->text(9921)});
  EXPECT_TRUE(tab1().edit(Tab1::Fail)->hasFocus());
  EXPECT_EQ(tab1().edit(Tab1::Fail)->selectedText(), tab1().edit(Tab1::Fail)->text());
  EXPECT_EQ(Calls("xmlSetConfigData"), writes);
  EXPECT_EQ(state().m_bBusy, 0);
}

TEST_F(Page, ModeOffPutsBackUnsendableMatchAndReference) {
  Open(CODE_TYPE_ECC200, [](XmlRpc::XmlRpcValue& c) {
    c[kWorkingMode] = 9;
    c[kMatchString] = "M=2D1";
    c[kReferenceCode] = "REF=2D9";
  });
  const QString bad = QStringLiteral("R") + QChar(0xC8);
  struct Case {
    QString reference, match;  // held when the mode goes off
    QString referenceAfter, matchAfter;
  };
  const Case cases[] = {
      {bad, "good", "REF-9", "good"},
      {"fine", QStringLiteral("a\tb"), "fine", "M-1"},
      {bad, QString(QChar(127)), "REF-9", "M-1"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.reference.toStdString() + " / " + c.match.toStdString());
    Choose(tab1().modeCombo(), 5);
    tab1().SetString(Tab1::Reference, c.reference);
    tab1().SetString(Tab1::Match, c.match);
    Choose(tab1().modeCombo(), 0);
    EXPECT_EQ(tab1().string(Tab1::Reference), c.referenceAfter);
    EXPECT_EQ(tab1().string(Tab1::Match), c.matchAfter);
    EXPECT_EQ(state().m_bOutputModeOff, 1);
    EXPECT_FALSE(tab1().edit(Tab1::Reference)->isEnabled());
    EXPECT_FALSE(tab1().edit(Tab1::Match)->isEnabled());
  }
  EXPECT_TRUE(prompt.messages().isEmpty());
  Choose(tab1().modeCombo(), 2);
  EXPECT_EQ(state().m_bOutputModeOff, 0);
  EXPECT_TRUE(tab1().edit(Tab1::Reference)->isEnabled());
}

// Each "..." opens the editor on its string: 32 or 256 characters, every
// character counted, its own length message; only OK takes the result.
TEST_F(Page, EachEditorButtonOpensTheEditorOnItsString) {
  Open(CODE_TYPE_ECC200, [](XmlRpc::XmlRpcValue& c) { c[kWorkingMode] = 11; });
  for (int which = Tab1::Start; which < Tab1::kStringCount; ++which) {
    SCOPED_TRACE(which);
    const QString before = tab1().string(which);
    int maxLength = 0, mode = -1, message = 0;
    QString initial;
    bool accept = false;
    prompt.setDialogHandler(DialogHandler<CAsciiDlg>([&](CAsciiDlg& editor) {
      maxLength = editor.m_nMaxLength;
      mode = editor.m_nLengthMode;
      message = editor.m_nLengthMessage;
      initial = editor.edit()->text();
      editor.edit()->setText(QStringLiteral("NEW"));
      if (accept) editor.accept();
      else editor.reject();
      return editor.result();
    }));
    QTest::mouseClick(tab1().editorButton(which), Qt::LeftButton);
    EXPECT_EQ(tab1().editedString(), which);
    EXPECT_EQ(initial, before);
    EXPECT_EQ(maxLength, which == Tab1::Reference ? 256 : 32);
    EXPECT_EQ(mode, 1);
    EXPECT_EQ(message, which == Tab1::Reference ? 8209 : 8208);
    EXPECT_EQ(tab1().string(which), before);  // cancelled
    accept = true;
    QTest::mouseClick(tab1().editorButton(which), Qt::LeftButton);
    EXPECT_EQ(tab1().string(which), "NEW");
  }
}

TEST_F(Page, QualityButtonFollowsTheQualityOutput) {
  Open(CODE_TYPE_ECC200, [](XmlRpc::XmlRpcValue& c) { c[kQualityOutput] = 0; });
  EXPECT_TRUE(tab2().qualityCombo()->isEnabled());
  EXPECT_FALSE(tab2().qualityButton()->isEnabled());
  // Switched on from off: nothing fetched, every parameter marked, overall quality of all.
  const int gets = Count(CMD_GET_ECC200_QR_QUALITY);
  state().m_QualitySettings = QualitySettings{};
  ClickTab(1);
  Choose(tab2().qualityCombo(), 1);
  EXPECT_TRUE(tab2().qualityButton()->isEnabled());
  EXPECT_EQ(state().m_bQualityOutputChanged, 1);
  ASSERT_TRUE(Idle());
  EXPECT_EQ(Count(CMD_GET_ECC200_QR_QUALITY), gets);
#pragma push_macro("slots")
#undef slots
  for (int slot = 0; slot <= 8; ++slot) EXPECT_EQ(state().m_QualitySettings.slots[std::size_t(slot)].appendIt, 1) << slot;
#pragma pop_macro("slots")
  Choose(tab2().qualityCombo(), 0);
  EXPECT_FALSE(tab2().qualityButton()->isEnabled());

  // A stored quality output fetches what the sensor holds.
  Reread([](XmlRpc::XmlRpcValue& c) { c[kQualityOutput] = 3; });
  EXPECT_EQ(Count(CMD_GET_ECC200_QR_QUALITY), gets + 1);
  EXPECT_TRUE(tab2().qualityButton()->isEnabled());
}

TEST_F(Page, QualityOutputIsSentOnlyWithAListAndOnLeavingThePage) {
  Open(CODE_TYPE_ECC200, [](XmlRpc::XmlRpcValue& c) { c[kQualityOutput] = 0; });
  ASSERT_TRUE(state().m_ECC200QRQuality.empty());
  // Quality output 0, the family's list never fetched: the test output sends no quality set.
  state().m_bQualityOutputChanged = 1;
  const std::size_t sets = Calls("xmlSetQualityParams");
  QTest::mouseClick(page->testButton(), Qt::LeftButton);
  ASSERT_TRUE(Idle());
  EXPECT_EQ(Calls("xmlSetQualityParams"), sets);
  EXPECT_TRUE(prompt.messages().isEmpty()) << Texts().join('|').toStdString();

  // Quality output switched on, then the page left: the list is fetched and the set sent.
  ClickTab(1);
  Choose(tab2().qualityCombo(), 2);
  state().m_bBusy = 1;
  EXPECT_EQ(page->LeavePage(), 0);
  state().m_bBusy = 0;
  ASSERT_TRUE(Idle());
  EXPECT_EQ(Item(kQualityOutput).asInt(), 3);
  EXPECT_EQ(Calls("xmlSetQualityParams"), sets + 1);
  EXPECT_FALSE(state().m_ECC200QRQuality.empty());
  EXPECT_EQ(state().m_bQualityOutputChanged, 0);
}

TEST_F(Page, CodeMenuCopiesTheCodeAndMakesItTheReferenceCode) {
  Open(CODE_TYPE_ECC200, [](XmlRpc::XmlRpcValue& c) { c[kWorkingMode] = 5; });
  state().m_ResultTexts[2] = "Gr\xC3\xBC\xC3\x9F" "e\\x0D";
  const QPoint at = window->mapToGlobal(QPoint(120, 140));
  page->ShowCodeMenu(at, 2);
  QMenu* menu = page->codeMenu();
  ASSERT_TRUE(menu->isVisible());
  EXPECT_EQ(menu->pos(), at);
  EXPECT_EQ(menu->actions()[0]->text(), window->text(8080));
  EXPECT_EQ(menu->actions()[1]->text(), window->text(8090));
  menu->actions()[0]->trigger();
  menu->hide();
  EXPECT_EQ(QApplication::clipboard()->text(), QString::fromUtf8("Gr\xC3\xBC\xC3\x9F" "e\\x0D"));
  menu->actions()[1]->trigger();
  EXPECT_EQ(tab1().string(Tab1::Reference), QString::fromUtf8("Gr\xC3\xBC\xC3\x9F" "e\\x0D"));

  // No menu while the output mode is off.
  Choose(tab1().modeCombo(), 0);
  page->ShowCodeMenu(at, 1);
  EXPECT_FALSE(menu->isVisible());
  EXPECT_EQ(page->menuResultIndex(), 2);
}

}  // namespace
}  // namespace vt::test

namespace vt::test {
namespace {

// Quality... opens the parameter dialog; its OK reaches the sensor with the next Test output.
TEST_F(ProcessInterfaceFixture, QualityButtonOpensTheDialogWhoseChoiceTestOutputSends) {
  Open(CODE_TYPE_ECC200, [](XmlRpc::XmlRpcValue& c) { c[kQualityOutput] = 1; });
  ASSERT_TRUE(tab2().qualityButton()->isEnabled());
  ASSERT_FALSE(state().m_ECC200QRQuality.empty());
  state().m_bQualityOutputChanged = 0;
  int opened = 0;
  prompt.setDialogHandler(DialogHandler<CQualityParameterDlg>([&](CQualityParameterDlg& d) {
    ++opened;
    d.accept();
    return d.result();
  }));
  ClickTab(1);
  QTest::mouseClick(tab2().qualityButton(), Qt::LeftButton);
  EXPECT_EQ(opened, 1);
  EXPECT_EQ(state().m_bQualityOutputChanged, 1);
  const std::size_t sets = Calls("xmlSetQualityParams");
  prompt.setDialogHandler({});  // the test-output dialog stays open
  QTest::mouseClick(page->testButton(), Qt::LeftButton);
  ASSERT_TRUE(Idle());
  EXPECT_EQ(Calls("xmlSetQualityParams"), sets + 1);
  EXPECT_EQ(state().m_bQualityOutputChanged, 0);
}

}  // namespace
}  // namespace vt::test
