// The editor's page buttons in the program's whole window against the
// simulated sensor: a configuration opened with the command bar's Edit or New,
// then switched through the strip's own buttons.
// The fixture first: its simulator's members named "slots" must not meet Qt's keyword macro.
#include "editor_window_fixture.h"

#include <QComboBox>
#include <QDialog>
#include <QImage>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTreeWidget>
#include <QTabBar>
#include <QTest>
#include <algorithm>
#include <gtest/gtest.h>

#include "codedef/config_code_def_tab2.h"
#include "codedef/config_code_definition.h"
#include "codedef/config_code_definition_tab1.h"
#include "codedef/image/config_img_quality.h"
#include "codedef/output/config_process_interface.h"
#include "codedef/output/config_process_interface_tab1.h"
#include "codedef/output/config_process_interface_tab2.h"
#include "commands/sensor_notify.h"
#include "config/config_manager.h"
#include "config/config_name_dialog.h"
#include "config/config_task_buttons.h"
#include "config/config_tree_view.h"
#include "config/config_trigger_setting.h"
#include "config/configuration_buttons.h"
#include "controls/image_quality_tabctrl.h"
#include "controls/button_draw.h"
#include "controls/process_interface_tab_ctrl.h"
#include "controls/transparent_button.h"
#include "core/sensor_command.h"
#include "gui_test_support.h"
#include "program/composition_root.h"
#include "program/state_result_source.h"
#include "services/recording_prompt.h"
#include "sim/plausible_records.h"
#include "text/text_codecs.h"
#include "window/lock_library.h"
#include "window/main_window.h"

#undef slots

namespace {

constexpr int kItemCodeType = 32, kItemTriggerSource = 43, kItemTriggerWindow = 44, kItemWithinTime = 46;
constexpr int kItemFailString = 26;

using PageButtonsTest = vt::test::EditorWindowTest;
using vt::test::Page;
using vt::test::kImageQuality;
using vt::test::kCodeDefinition;
using vt::test::kProcessInterface;
using vt::test::kFunctionTest;

using Bits = std::array<int, 4>;
using Opened = std::array<bool, 4>;
constexpr Opened kAllOpen{true, true, true, true};

TEST_F(PageButtonsTest, ExistingConfigurationSwitchesBetweenAllFourPages) {
  Seed({{kItemCodeType, 1}});
  Connect();
  EditExisting();
  EXPECT_EQ(state().m_nWizardStep, 7);
  EXPECT_TRUE(strip().isVisible());
  EXPECT_TRUE(PageWidget(kImageQuality)->isVisible());
  EXPECT_EQ(Bitmaps(), (Bits{219, 217, 217, 217}));
  EXPECT_EQ(Open(), kAllOpen);
  SaveScreenshot(*window, "page_buttons_existing_image_quality");
  SaveScreenshot(strip(), "page_buttons_strip");

  // The status bar: the sensor, the code type (cut), the page, the readings on the function test.
  const QString sensorInfo = QStringLiteral("  K7M-2D Reader  [%1%2]").arg(window->text(1019), "3100");
  EXPECT_EQ(window->statusPane(3)->text(), sensorInfo);
  EXPECT_EQ(window->statusPane(4)->text(), QStringLiteral("Data Matrix ECC 2..."));
  EXPECT_EQ(window->statusPane(4)->toolTip(), window->text(7163));
  EXPECT_EQ(window->statusPane(6)->text(), window->text(1009));
  EXPECT_TRUE(window->statusPane(7)->text().isEmpty());

  struct Step {
    Page page;
    int wizardStep;
    int pageId;
    int statusText;
  };
  for (const Step& s : {Step{kCodeDefinition, 11, 9, 1010}, Step{kProcessInterface, 15, 10, 1011},
                        Step{kFunctionTest, 18, 14, 1013}, Step{kImageQuality, 7, 7, 1009},
                        Step{kCodeDefinition, 11, 9, 1010}}) {
    Click(s.page);
    EXPECT_EQ(state().m_nWizardStep, s.wizardStep) << s.page;
    EXPECT_EQ(state().m_nPageTitle, s.pageId) << s.page;
    EXPECT_EQ(window->statusPane(6)->text(), window->text(s.statusText)) << s.page;
    EXPECT_EQ(window->statusPane(7)->text().isEmpty(), s.page != kFunctionTest) << s.page;
    EXPECT_EQ(window->statusPane(4)->text(), QStringLiteral("Data Matrix ECC 2...")) << s.page;
    // The sensor's text is never clipped.
    EXPECT_GE(window->statusPane(3)->width(), window->statusPane(3)->fontMetrics().horizontalAdvance(sensorInfo))
        << s.page;
    Bits expected{217, 217, 217, 217};
    expected[std::size_t(s.page)] = 219;
    EXPECT_EQ(Bitmaps(), expected) << s.page;
    EXPECT_EQ(Open(), kAllOpen) << s.page;
    EXPECT_EQ(PageWidget(kImageQuality)->isVisible(), s.page == kImageQuality) << s.page;
    EXPECT_EQ(PageWidget(kCodeDefinition)->isVisible(), s.page == kCodeDefinition) << s.page;
    EXPECT_EQ(PageWidget(kFunctionTest)->isVisible(), s.page == kFunctionTest) << s.page;
    EXPECT_EQ(PageWidget(kProcessInterface)->isVisible(), s.page == kProcessInterface) << s.page;
    EXPECT_EQ(strip().pageState(s.page), 2);
  }
  SaveScreenshot(*window, "page_buttons_existing_code_definition");
  // The code-definition page opens on its first tab, the view flags follow.
  EXPECT_TRUE(state().m_bCodeDefinitionView);
  EXPECT_FALSE(state().m_bImageQualityView);
  // An existing configuration's code is never detected by a switch.
  EXPECT_EQ(Count(CMD_AUTO_DETECT_CODE), 0);
  EXPECT_TRUE(prompt.messages().isEmpty());

  // A click while a command is in flight does nothing.
  state().m_bBusy = 1;
  QTest::mouseClick(strip().button(kProcessInterface), Qt::LeftButton);
  EXPECT_EQ(state().m_nWizardStep, 11);
  state().m_bBusy = 0;
}

TEST_F(PageButtonsTest, TriggerWindowOf50MsBlocksEverySwitchUntilCorrected) {
  Seed({{kItemCodeType, 1}, {kItemTriggerSource, 0}, {kItemTriggerWindow, 1}, {kItemWithinTime, 50}});
  Connect();
  EditExisting();
  ASSERT_EQ(trigger().tEdit()->text(), QStringLiteral("50"));
  const int writes = Count(CMD_SET_CONFIG_DATA);
  // Each refusal puts the focus on the bad field; the user clicks elsewhere
  // before the next try (leaving the field by a button would run its own
  // check, which warns and puts 100 back).
  auto focusElsewhere = [] {
    if (QWidget* f = QApplication::focusWidget()) f->clearFocus();
  };
  for (Page page : {kCodeDefinition, kProcessInterface, kFunctionTest, kImageQuality}) {
    focusElsewhere();
    Click(page);
    EXPECT_EQ(state().m_nWizardStep, 7) << page;
    EXPECT_TRUE(PageWidget(kImageQuality)->isVisible()) << page;
    EXPECT_FALSE(state().m_bBusy) << page;
  }
  // The wizard's Next goes the same way.
  focusElsewhere();
  QTest::mouseClick(window->wizardButton(1028), Qt::LeftButton);
  ASSERT_TRUE(Idle());
  EXPECT_EQ(state().m_nWizardStep, 7);
  EXPECT_TRUE(prompt.messages().isEmpty());
  EXPECT_EQ(Count(CMD_SET_CONFIG_DATA), writes);

  // Corrected on the trigger tab, the switch goes through.
  auto* img = dynamic_cast<CConfigImgQuality*>(window->panels().imageQuality.get());
  focusElsewhere();
  QTabBar* bar = img->tabs()->findChild<QTabBar*>();
  QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(1).center());
  ASSERT_TRUE(trigger().isVisible());
  EXPECT_EQ(state().m_nWizardStep, 17);
  EXPECT_EQ(window->statusPane(6)->text(), window->text(1012));
  QLineEdit* t = trigger().tEdit();
  t->setFocus();
  t->selectAll();
  QTest::keyClicks(t, QStringLiteral("500"));
  Click(kCodeDefinition);
  EXPECT_EQ(state().m_nWizardStep, 11);
  EXPECT_EQ(state().m_Configuration.trigger.GoodReadingsWithinTime_value, 500);
  EXPECT_TRUE(prompt.messages().isEmpty());
}

TEST_F(PageButtonsTest, NewConfigurationOpensPagesInTurnAndDetectsOnce) {
  Connect();
  sensor.model.access([](vt::sim::SensorData& d) {
    d.detectedCodeType = 1;
    d.detectedValue = 1;
    return 0;
  });
  CreateNew();
  EXPECT_EQ(state().m_nWizardStep, 7);
  EXPECT_FALSE(state().m_bEditExisting);
  EXPECT_EQ(Bitmaps(), (Bits{219, 218, 220, 220}));
  EXPECT_EQ(Open(), (Opened{true, true, false, false}));
  SaveScreenshot(*window, "page_buttons_new_image_quality");
  SaveScreenshot(strip(), "page_buttons_new_strip");

  // The locked buttons look locked, their texts grey, and do nothing.
  for (Page page : {kProcessInterface, kFunctionTest}) {
    EXPECT_FALSE(strip().label(page)->isEnabled()) << page;
    CTransparentButton* b = strip().button(page);
    ASSERT_EQ(window->childAt(b->mapTo(window.get(), b->rect().center())), b) << page;
    QTest::mouseClick(b, Qt::LeftButton, {}, b->rect().center());
    ASSERT_TRUE(Idle());
  }
  EXPECT_EQ(state().m_nWizardStep, 7);
  EXPECT_TRUE(strip().label(kCodeDefinition)->isEnabled());

  // The first visit of the code definition lets the sensor find the code.
  Click(kCodeDefinition);
  EXPECT_EQ(Count(CMD_AUTO_DETECT_CODE), 1);
  EXPECT_EQ(state().m_nWizardStep, 11);
  EXPECT_EQ(Bitmaps(), (Bits{217, 219, 218, 220}));
  EXPECT_EQ(Open(), (Opened{true, true, true, false}));
  auto* codeDefinition = dynamic_cast<CConfigCodeDefinition*>(window->panels().codeDefinition.get());
  EXPECT_EQ(codeDefinition->tab1()->codeTypeIndex(), 1);
  EXPECT_TRUE(codeDefinition->tab1()->radio(0)->isEnabled());  // given back by the reply
  SaveScreenshot(*window, "page_buttons_new_code_definition");

  // Back and forth: no second detection.
  Click(kImageQuality);
  EXPECT_EQ(state().m_nWizardStep, 7);
  EXPECT_EQ(Open(), (Opened{true, true, false, false}));
  Click(kCodeDefinition);
  EXPECT_EQ(state().m_nWizardStep, 11);
  EXPECT_EQ(Count(CMD_AUTO_DETECT_CODE), 1);

  Click(kProcessInterface);
  EXPECT_EQ(state().m_nWizardStep, 15);
  EXPECT_EQ(Bitmaps(), (Bits{217, 217, 219, 218}));
  EXPECT_EQ(Open(), kAllOpen);
  Click(kFunctionTest);
  EXPECT_EQ(state().m_nWizardStep, 18);
  // Back to the first page: the pages further on are locked in their shown look.
  Click(kImageQuality);
  EXPECT_EQ(Bitmaps(), (Bits{219, 217, 221, 221}));
  EXPECT_EQ(Open(), (Opened{true, true, false, false}));
  EXPECT_TRUE(prompt.messages().isEmpty());
}

TEST_F(PageButtonsTest, NoCodeTypeShows6065AndStays) {
  Seed({{kItemCodeType, 0}});
  Connect();
  EditExisting();
  Click(kCodeDefinition);
  ASSERT_EQ(state().m_nWizardStep, 11);
  auto* codeDefinition = dynamic_cast<CConfigCodeDefinition*>(window->panels().codeDefinition.get());
  ASSERT_EQ(codeDefinition->tab1()->codeTypeIndex(), 0);
  prompt.clear();
  for (Page page : {kProcessInterface, kFunctionTest}) {
    Click(page);
    ASSERT_EQ(prompt.messages().size(), 1) << page;
    EXPECT_EQ(prompt.messages()[0].text, window->text(6065));
    EXPECT_EQ(prompt.messages()[0].icon, QMessageBox::Information);
    EXPECT_EQ(state().m_nWizardStep, 11);
    EXPECT_EQ(state().m_nPageTitle, 9);
    EXPECT_TRUE(PageWidget(kCodeDefinition)->isVisible());
    EXPECT_FALSE(state().m_bBusy);
    prompt.clear();
  }
}

// The five pictures of the buttons are drawn: the transparent green around
// a picture of its own in each.
TEST_F(PageButtonsTest, ButtonPicturesAreDrawn) {
  std::vector<QImage> pictures;
  for (int id = 217; id <= 221; ++id) {
    const QImage image(window->resources().picturePath(id));
    ASSERT_FALSE(image.isNull()) << id;
    EXPECT_EQ(image.pixel(0, 0) & 0xFFFFFF, 0x00FF00u) << id;
    EXPECT_NE(image.pixel(image.width() / 2, image.height() / 2) & 0xFFFFFF, 0x00FF00u) << id;
    for (const QImage& other : pictures) EXPECT_NE(image, other) << id;
    pictures.push_back(image);
    CTransparentButton button;
    EXPECT_EQ(button.LoadBitmaps(id, 0x00FF00), 0) << id;
  }
}

// The code definition's Live and Freeze mark the image-quality and
// code-definition buttons; a page left live comes back frozen.
TEST_F(PageButtonsTest, CodeDefinitionLiveAndFreezeMarkThePageButtons) {
  Seed({{kItemCodeType, 1}});
  Connect();
  EditExisting();
  Click(kCodeDefinition);
  auto* page = dynamic_cast<CConfigCodeDefinition*>(window->panels().codeDefinition.get());
  auto* live = page->findChild<CButtonDraw*>(QStringLiteral("id1082"));
  auto* freeze = page->findChild<CButtonDraw*>(QStringLiteral("id1081"));
  ASSERT_TRUE(live && freeze);
  EXPECT_EQ(Bitmaps(), (Bits{217, 219, 217, 217}));

  QTest::mouseClick(live, Qt::LeftButton);
  ASSERT_TRUE(Idle());
  ASSERT_TRUE(page->live());
  EXPECT_EQ(Bitmaps(), (Bits{221, 221, 217, 217}));
  EXPECT_FALSE(page->tab2()->list(0)->isEnabled());
  SaveScreenshot(*window, "page_buttons_code_definition_live");

  QTest::mouseClick(freeze, Qt::LeftButton);
  ASSERT_TRUE(Idle());
  EXPECT_FALSE(page->live());
  EXPECT_EQ(Bitmaps(), (Bits{217, 217, 217, 217}));
  EXPECT_TRUE(page->tab2()->list(0)->isEnabled());

  // Left while live: the switch stops the picture, the page comes back frozen.
  QTest::mouseClick(live, Qt::LeftButton);
  ASSERT_TRUE(Idle());
  Click(kProcessInterface);
  EXPECT_FALSE(state().m_bLiveImage);
  Click(kCodeDefinition);
  EXPECT_FALSE(page->live());
  EXPECT_TRUE(page->tab2()->list(0)->isEnabled());
  EXPECT_EQ(Bitmaps(), (Bits{217, 219, 217, 217}));
  QTest::mouseClick(live, Qt::LeftButton);
  ASSERT_TRUE(Idle());
  EXPECT_TRUE(page->live());
  EXPECT_TRUE(prompt.messages().isEmpty());
}

// A quality output chosen on the process-interface page reaches the sensor
// when the page is left, with the strings; Finish saves them with the
// configuration.
TEST_F(PageButtonsTest, LeavingTheProcessInterfacePageSendsItsQualityOutputAndFinishKeepsIt) {
  constexpr int kItemQualityOutput = 29;
  Seed({{kItemCodeType, 1}, {kItemQualityOutput, 0}});
  Connect();
  EditExisting();
  Click(kProcessInterface);
  ASSERT_EQ(state().m_nWizardStep, 15);
  auto* page = dynamic_cast<CConfigProcessInterface*>(window->panels().processInterface.get());
  ASSERT_TRUE(page);
  QLineEdit* fail = page->tab1()->edit(CConfigProcessInterfaceTab1::Fail);
  fail->setFocus();
  fail->selectAll();
  QTest::keyClicks(fail, QStringLiteral("FAIL:1"));
  page->tabs()->tabBar()->setCurrentIndex(1);
  QComboBox* quality = page->tab2()->qualityCombo();
  quality->setFocus();
  QTest::keyClick(quality, Qt::Key_Down);
  QTest::keyClick(quality, Qt::Key_Down);
  ASSERT_EQ(quality->currentIndex(), 2);
  EXPECT_EQ(sensor.server.countCalls("xmlSetQualityParams"), 0u);
  SaveScreenshot(*window, "page_buttons_existing_process_interface");
  const auto sensorQuality = [this] {
    return sensor.model.access(
        [](vt::sim::SensorData& d) { return d.slots[0].data.parameters.qualityOf(vt::sim::QualityForm::Ecc200QrAztec); });
  };
  const auto item = [this](int position) {
    return sensor.model.access([&](vt::sim::SensorData& d) { return d.slots[0].data.parameters.configData[position]; });
  };
  const auto expectEveryParameterOn = [&](const char* when) {
    XmlRpc::XmlRpcValue q = sensorQuality();
    EXPECT_EQ(q[1].asInt(), 1) << when;  // overall quality of all parameters
    for (int pos = 5; pos < q.size(); pos += 4) EXPECT_EQ(q[pos].asInt(), 1) << when << " item " << pos;
  };

  Click(kFunctionTest);
  ASSERT_EQ(state().m_nWizardStep, 18);
  EXPECT_EQ(sensor.server.countCalls("xmlSetQualityParams"), 1u);
  EXPECT_EQ(item(kItemQualityOutput).asInt(), 3);
  EXPECT_EQ(item(kItemFailString).asString(), "FAIL=3A1");
  expectEveryParameterOn("left");
  EXPECT_TRUE(prompt.messages().isEmpty());
  SaveScreenshot(*window, "page_buttons_existing_function_test");

  // Finish (Next on the last page, answered Yes) saves the configuration as sent.
  const int saves = Count(CMD_CLOSE_AND_SAVE);
  QTest::mouseClick(window->wizardButton(1028), Qt::LeftButton);
  ASSERT_TRUE(WaitHandled(CMD_CLOSE_AND_SAVE, saves + 1));
  ASSERT_TRUE(Idle());
  ASSERT_EQ(prompt.messages().size(), 1);
  EXPECT_EQ(prompt.messages()[0].text, window->text(6007));
  EXPECT_EQ(state().m_nWizardStep, 8);
  EXPECT_FALSE(sensor.model.snapshot().editing);
  EXPECT_EQ(item(kItemQualityOutput).asInt(), 3);
  EXPECT_EQ(item(kItemFailString).asString(), "FAIL=3A1");
  expectEveryParameterOn("saved");
}

}  // namespace
