// The result formatter over readings made in the test: the tooltip lines of
// each family and quality mode, the message lines per sensor state, and the
// code boxes; out-of-range counts stay inside the tables.
#include <gtest/gtest.h>

#include "core/code_types.h"
#include "reading_fixture.h"
#include "view/bounding_box.h"

namespace viewtest {
namespace {

QString T(int id) { return englishText(id); }

using ResultLines = ReadingTest;

TEST_F(ResultLines, GradeLettersAndQualityValuesByOutputMode) {
  EXPECT_EQ(CTestResults::GradeLetter(4), "A");
  EXPECT_EQ(CTestResults::GradeLetter(3), "B");
  EXPECT_EQ(CTestResults::GradeLetter(1), "D");
  EXPECT_EQ(CTestResults::GradeLetter(0), "F");
  EXPECT_EQ(CTestResults::GradeLetter(-1), "F");

  struct Case {
    int mode, label, marker, value;
    QString expected;
  };
  // 9707 has no colon: " : " joins; 9726 ends in one: a blank joins.
  const Case cases[] = {
      {3, 9707, 0, 4, T(9707) + " : A"},  {3, 9707, 0, 0, T(9707) + " : F"},
      {3, 9707, 0, -1, T(9707) + " : F"}, {1, 9707, 0, -1, T(9707) + " : -1"},
      {1, 9707, 2, 7, T(9707) + " : 7*"}, {0, 9707, 1, 4, T(9707) + " : -"},
      {3, 9726, 1, 3, T(9726) + " B*"},
  };
  ASSERT_TRUE(T(9726).contains(':'));
  for (const Case& c : cases) {
    source->output = c.mode;
    EXPECT_EQ(results->QualityLine(c.label, {c.marker, c.value}), c.expected) << c.mode << " " << c.value;
  }
}

TEST_F(ResultLines, AngleLine) {
  EXPECT_EQ(results->AngleLine(65535.0, 12.5), T(9704) + " 12.50%");
  EXPECT_EQ(results->AngleLine(1.0, 50.0), T(9703) + " 57°, " + T(9704) + " 50.00%");
  // 180 / pi, truncated: 1.57 rad is 89.95 degrees.
  EXPECT_EQ(results->AngleLine(1.57, 0.0), T(9703) + " 89°, " + T(9704) + " 0.00%");
}

TEST_F(ResultLines, TooltipLinesPerFamily) {
  reading({CodeRow{}});
  source->output = 3;
  Ecc200ResultRecord& e = source->ecc200s[0];
  e.texts0[0].Assign("dark_on_light");
  e.texts0[1].Assign("no");
  e.ints3 = {18, 20};
  e.doubles5 = {4.0, 5.0, 1.0};
  e.ints8 = {45, 2, 30};
  setQuality(source->qualities[0], 0, {0, 4});  // overall grade
  setQuality(source->qualities[0], 1, {1, 3});  // the second parameter, out of limits
  const QStringList lines = results->FormatResult(0);
  ASSERT_EQ(lines.size(), 16);
  EXPECT_EQ(lines[0], T(7163) + ", 18 x 20");
  EXPECT_EQ(lines[1], T(9701) + " " + T(7102) + ", " + T(7121));
  EXPECT_EQ(lines[2], T(9702) + " 5.0 x 4.0 " + T(9714));
  EXPECT_EQ(lines[3], T(9703) + " 57°, " + T(9704) + " 45.00%");
  EXPECT_EQ(lines[4], T(9705) + " 2");
  EXPECT_EQ(lines[6], T(9723) + " " + T(9724));
  EXPECT_EQ(lines[7], T(9707) + " : A");
  EXPECT_EQ(lines[8], T(9704) + " : B*");
  EXPECT_EQ(lines[15], T(9726) + " F");  // no value: grade F

  struct Family {
    int type;
    int count;
    QString first;
  };
  const Family families[] = {
      {CODE_TYPE_PDF417, 16, T(7164) + ", 0 x 0"},
      {CODE_TYPE_QR, 20, T(7165) + ", 0 x 0"},
      {CODE_TYPE_AZTEC, 18, T(20020) + ", 0 x 0"},
      {CODE_TYPE_CODE39, 1, T(7174)},  // bar code without extended configuration: the name only
      {40, 0, {}},                     // outside the code-type table: no family
      {-3, 0, {}},
  };
  for (const Family& f : families) {
    source->records[0].ints0[2] = f.type;
    const QStringList l = results->FormatResult(0);
    EXPECT_EQ(l.size(), f.count) << f.type;
    if (!l.isEmpty()) {
      EXPECT_EQ(l[0], f.first) << f.type;
    }
  }
  // PDF417 and QR show the percentage alone.
  source->records[0].ints0[2] = CODE_TYPE_QR;
  EXPECT_EQ(results->FormatResult(0)[4], T(9704) + " 0.00%");
}

TEST_F(ResultLines, BarcodeQualityWithExtendedConfigurationAndComposite) {
  reading({CodeRow{}});
  state.m_bExtendedConfig = 1;
  source->records[0].ints0[2] = CODE_TYPE_CODE128;
  EXPECT_EQ(results->FormatResult(0).size(), 11);  // name, output, overall, 8 indented
  EXPECT_TRUE(results->FormatResult(0)[3].startsWith("  "));
  const int composite = [] {
    for (int t = 0; t < kCodeTypeCount; ++t)
      if (HasCodeFlag(t, CODE_FLAG_COMPOSITE)) return t;
    return -1;
  }();
  ASSERT_GE(composite, 0);
  source->records[0].ints0[2] = composite;
  EXPECT_EQ(results->FormatResult(0).size(), 11);  // composite component off in the configuration
  source->composite = true;
  const QStringList l = results->FormatResult(0);
  EXPECT_EQ(l.size(), 29);
  EXPECT_TRUE(l.contains(T(20044)));
}

// State 2 (monitor): summary per configuration label, the codes numbered as
// their boxes, decoding time, separators; colours by verdict.
TEST_F(ResultLines, MonitorLinesForGoodAndFailedReadings) {
  const QString sep(31, '-');
  reading({CodeRow{.text = "ABC"}});
  results->ShowResults();
  auto l = lines();
  ASSERT_EQ(l.size(), 6u);
  EXPECT_EQ(l[0].second, CTestResults::kBlankColour);
  EXPECT_EQ(l[1], std::make_pair(sep, CTestResults::kHeadingColour));
  EXPECT_EQ(l[2].first, "3) Line : " + T(9800) + " 1 " + T(9801) + " 1 " + T(9807));
  EXPECT_EQ(l[2].second, CTestResults::kGoodColour);
  EXPECT_EQ(l[3].first, "01: ABC [20" + T(8611) + "]");
  EXPECT_EQ(l[3].second, CTestResults::kGoodColour);
  EXPECT_EQ(l[4].first, T(9803) + " 20 " + T(8611));
  EXPECT_EQ(l[5], std::make_pair(sep, CTestResults::kHeadingColour));

  reading({CodeRow{.verdict = 0, .codeVerdict = 0, .text = ""}});
  results->ShowResults();
  l = lines();
  ASSERT_EQ(l.size(), 6u);
  EXPECT_EQ(l[2].first, "3) Line : " + T(9800) + " 0 " + T(9801) + " 1 " + T(9807));
  EXPECT_EQ(l[2].second, CTestResults::kFailedColour);
  EXPECT_EQ(l[3], std::make_pair("01: " + T(9806), CTestResults::kFailedColour));

  // Two codes expected, one found: the second is a not-read line.
  reading({CodeRow{.verdict = 0, .expected = 2}});
  results->ShowResults();
  l = lines();
  ASSERT_EQ(l.size(), 7u);
  EXPECT_EQ(l[3], std::make_pair("01: CODE [20" + T(8611) + "]", CTestResults::kGoodColour));
  EXPECT_EQ(l[4], std::make_pair("02: " + T(9806), CTestResults::kFailedColour));

  // Good codes of one configuration: 01, 02, 03 as their boxes.
  reading({CodeRow{.expected = 3}, CodeRow{.expected = 3, .x = 200}, CodeRow{.expected = 3, .x = 300}});
  results->ShowResults();
  l = lines();
  EXPECT_TRUE(l[3].first.startsWith("01: ")) << l[3].first.toStdString();
  EXPECT_TRUE(l[4].first.startsWith("02: "));
  EXPECT_TRUE(l[5].first.startsWith("03: "));
  EXPECT_EQ(l[6].first, T(9803) + " 60 " + T(8611));
}

TEST_F(ResultLines, LinesPerSensorState) {
  reading({CodeRow{.codeVerdict = 1}, CodeRow{.codeVerdict = 0, .x = 300}});
  struct Case {
    int state;
    std::size_t lines;
    QString summary;
  };
  const Case cases[] = {
      {7, 6u, T(9805) + " 1 " + T(9801) + " 1 " + T(9807)},
      {4, 6u, T(9805) + " 1 " + T(9801) + " 1 " + T(9802)},
      {5, 6u, T(9805) + " 1 " + T(9801) + " 1 " + T(9802)},
      {3, 3u, {}},
      {6, 3u, {}},
  };
  for (const Case& c : cases) {
    state.m_nSensorState = c.state;
    results->ShowResults();
    const auto l = lines();
    ASSERT_EQ(l.size(), c.lines) << c.state;
    if (!c.summary.isEmpty()) {
      EXPECT_EQ(l[2].first, c.summary) << c.state;
      EXPECT_EQ(l[4].second, CTestResults::kFailedColour) << c.state;  // the failed code
    }
  }
  // A selector with a failed code marks it 9808.
  state.m_nSensorState = 7;
  results->ShowResults();
  EXPECT_EQ(lines()[4].first, "01: CODE " + T(9808) + " [20" + T(8611) + "]");
}

TEST_F(ResultLines, HugeCountsStayInsideTheTables) {
  // Item 7 = 1000 and a failed group walks at most to the last slot.
  reading({CodeRow{.verdict = 0, .expected = 1000}});
  results->ShowResults();
  EXPECT_EQ(list.count(), 2 + 1 + 100 + 2);
  // Multi-image reading with image count 0: the boxes start at 0.
  reading({CodeRow{.expected = 3}});
  source->records[0].ints11[16] = 4;  // reading mode
  source->records[0].ints11[14] = 0;  // image count
  source->records[0].ints11[15] = 1;  // continuation
  source->count = 1000;
  results->ShowResults();
  EXPECT_EQ(view->CountOverlaysOfKind(OVERLAY_BOUNDING_BOX), 0);
  source->records[0].ints11[14] = 2;
  results->ShowResults();
  EXPECT_EQ(view->CountOverlaysOfKind(OVERLAY_BOUNDING_BOX), 0);  // start 6 - 3: record 0 lies before
  state.m_nSensorState = 4;
  results->ShowResults();
  EXPECT_EQ(view->CountOverlaysOfKind(OVERLAY_BOUNDING_BOX), 1);
}

TEST_F(ResultLines, BoxesNumberedWithStylesAndRegions) {
  source->records = {};
  for (int k = 0; k < 11; ++k)
    setRow(source->records[std::size_t(k)],
           CodeRow{.codeVerdict = k == 1 ? 0 : 1, .expected = 11, .x = 20 + 50 * (k % 6), .y = 20 + 200 * (k / 6)});
  source->count = 11;
  results->ShowCodeBoxes();
  std::vector<QString> labels;
  std::vector<int> styles;
  for (const auto& o : view->overlays())
    if (auto* box = dynamic_cast<CBoundingBox*>(o.get())) {
      labels.push_back(box->label());
      styles.push_back(box->style());
    }
  ASSERT_EQ(labels.size(), 11u);
  EXPECT_EQ(labels[0], "01");
  EXPECT_EQ(labels[8], "09");
  EXPECT_EQ(labels[9], "10");
  EXPECT_EQ(labels[10], "11");
  EXPECT_EQ(styles[0], 4);
  EXPECT_EQ(styles[1], 5);
  EXPECT_FALSE(view->codeRegions()[10].isEmpty());

  // No record with a code text: no boxes, every region gone.
  for (auto& r : source->records) r.text8.Assign("");
  results->ShowCodeBoxes();
  EXPECT_EQ(view->CountOverlaysOfKind(OVERLAY_BOUNDING_BOX), 0);
  for (const auto& region : view->codeRegions()) EXPECT_TRUE(region.isEmpty());
}

TEST_F(ResultLines, RefreshByDisplayOptionsAndTheSearchWindow) {
  reading({CodeRow{}});
  results->Refresh();
  EXPECT_EQ(view->CountOverlaysOfKind(OVERLAY_BOUNDING_BOX), 1);
  EXPECT_EQ(view->CountOverlaysOfKind(OVERLAY_WOI), 1);
  EXPECT_EQ(results->woi()[0], 10);
  EXPECT_EQ(results->woi()[1], 10);
  EXPECT_EQ(results->woi()[2], 630);
  EXPECT_EQ(results->woi()[3], 470);
  EXPECT_GT(list.count(), 0);
}

}  // namespace
}  // namespace viewtest
