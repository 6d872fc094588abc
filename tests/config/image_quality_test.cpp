// The image-quality page with its trigger tab against the simulated sensor:
// the exposure steps, the arrow-click write, the buttons and segment picks.
#include "editor_fixture.h"

#include <QLabel>
#include <QScrollBar>

#include "codedef/image/config_image_qty_param.h"
#include "codedef/image/config_img_quality.h"
#include "controls/button_draw.h"
#include "controls/control_services.h"
#include "controls/illum_widget.h"

namespace vt::test {
namespace {

struct ImageQualityPage : EditorFixture {
  void AddPages(MainPanels& panels) override {
    EditorFixture::AddPages(panels);
    auto page = std::make_unique<CConfigImgQuality>();
    imagePage = page.get();
    panels.imageQuality = std::move(page);
  }
  void SetUp() override {
    EditorFixture::SetUp();
    imagePage->resize(640, 300);
    imagePage->show();
  }
  CConfigImageQtyParam& params() { return *imagePage->parameters(); }
  std::size_t Writes() const {
    return sensor.server.countCalls("xmlSetConfigData") + sensor.server.countCalls("xmlSetConfigExtendedData");
  }
  bool SamePicture(int bitmap) {
    return imagePage->picture()->pixmap().toImage() == lindaroBitmap(bitmap).toImage();
  }
  CConfigImgQuality* imagePage = nullptr;
};

TEST_F(ImageQualityPage, ExposureStepsShowTheNearestStepAndItsText) {
  struct Case {
    int value, position;
    const char* text;
    int unit;
  };
  const Case cases[] = {{4, 0, "1.00", 8612},      {6, 1, "10.00", 8612},    {15, 1, "10.00", 8612},
                        {16, 2, "20.00", 8612},    {1000, 40, "1.00", 8611}, {20000, 191, "15.00", 8611},
                        {15000, 190, "15.00", 8611}};
  for (const Case& c : cases) {
    state().m_Configuration.imageQuality.ExposureTime = c.value;
    params().ShowSettings();
    EXPECT_EQ(params().scrollBar()->value(), c.position) << c.value;
    EXPECT_EQ(params().exposureText()->text(), QString("%1 %2").arg(c.text, window->text(c.unit))) << c.value;
  }
}

TEST_F(ImageQualityPage, TenArrowClicksWriteOnceAfterTheLast) {
  OpenConfiguration({{kItemExposure, 500}});
  ASSERT_EQ(params().scrollBar()->value(), 30);
  const int writes = Writes();
  for (int i = 0; i < 10; ++i) params().scrollBar()->triggerAction(QAbstractSlider::SliderSingleStepAdd);
  EXPECT_TRUE(params().writePending());
  EXPECT_EQ(Writes(), writes);
  ASSERT_TRUE(QTest::qWaitFor([&] { return !params().writePending(); }, 3000));
  EXPECT_EQ(Writes(), writes + 1);
  EXPECT_EQ(Item(kItemExposure), 1000);
  // The ends are written at once.
  params().scrollBar()->triggerAction(QAbstractSlider::SliderToMaximum);
  EXPECT_EQ(Item(kItemExposure), 15000);
  params().scrollBar()->triggerAction(QAbstractSlider::SliderToMinimum);
  EXPECT_EQ(Item(kItemExposure), 1);
}

TEST_F(ImageQualityPage, ExternalShowsIlluminationOffAndReadsTheConfigurationBack) {
  OpenConfiguration({{kItemInternal, 1}, {kItemSegments, 5}});
  SaveScreenshot(*imagePage, "image_quality_page");
  EXPECT_TRUE(params().button(1076)->isChecked());
  const int reads = Count(CMD_GET_CONFIG_DATA);
  QTest::mouseClick(params().button(1077), Qt::LeftButton);
  EXPECT_EQ(imagePage->shownMask(), -1);
  EXPECT_TRUE(SamePicture(200));
  ASSERT_TRUE(WaitHandled(CMD_GET_CONFIG_DATA, reads + 1));
  ASSERT_TRUE(Idle());
  EXPECT_EQ(Item(kItemInternal), 0);
  EXPECT_TRUE(params().button(1077)->isChecked());
  // Clicking the lighting already set sends nothing.
  QTest::mouseClick(params().button(1077), Qt::LeftButton);
  QApplication::processEvents();
  EXPECT_FALSE(state().m_bBusy);
  EXPECT_EQ(Count(CMD_SET_CONFIG_DATA), 1);
}

TEST_F(ImageQualityPage, AutoSettingShowsTheExposureTheSensorFound) {
  OpenConfiguration({{kItemExposure, 500}});
  sensor.model.access([](vt::sim::SensorData& d) { d.calculatedExposure = 3000; });
  QTest::mouseClick(params().button(1081), Qt::LeftButton);
  ASSERT_TRUE(WaitHandled(CMD_CALCULATE_EXPOSURE));
  ASSERT_TRUE(QTest::qWaitFor([&] { return Count(CMD_GET_CONFIG_DATA) >= 2; }, 30000));
  ASSERT_TRUE(Idle());
  EXPECT_EQ(params().exposureText()->text(), "3.00 " + window->text(8611));
  EXPECT_FALSE(params().button(1081)->isChecked());
}

TEST_F(ImageQualityPage, SegmentClicksToggleTheirBitAndGreyChangesNothing) {
  OpenConfiguration({{kItemInternal, 1}, {kItemSegments, 0}});
  struct Case {
    QPoint at;
    int mask;
  };
  // Grey centre first: nothing; then right, bottom, left, top in turn.
  const Case cases[] = {{{80, 80}, 0}, {{145, 80}, 1}, {{80, 145}, 3}, {{15, 80}, 7}, {{80, 15}, 15}, {{145, 80}, 14}};
  for (const Case& c : cases) {
    QTest::mouseClick(imagePage->picture(), Qt::LeftButton, {}, c.at);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !imagePage->pickPending(); }, 3000));
    EXPECT_EQ(Item(kItemSegments), c.mask) << c.at.x() << "," << c.at.y();
    EXPECT_TRUE(SamePicture(201 + c.mask)) << c.mask;
  }
  // A pick while the sensor is busy is written once it is free.
  state().m_bBusy = 1;
  QTest::mouseClick(imagePage->picture(), Qt::LeftButton, {}, QPoint(145, 80));
  EXPECT_FALSE(imagePage->pickPending()) << "busy: the click is ignored";
  state().m_bBusy = 0;
  QTest::mouseClick(imagePage->picture(), Qt::LeftButton, {}, QPoint(145, 80));
  state().m_bBusy = 1;
  QTest::qWait(CConfigImgQuality::kPickDelayMs + 50);
  EXPECT_EQ(Item(kItemSegments), 14);
  state().m_bBusy = 0;
  ASSERT_TRUE(QTest::qWaitFor([&] { return !imagePage->pickPending(); }, 3000));
  EXPECT_EQ(Item(kItemSegments), 15);
}

}  // namespace
}  // namespace vt::test
