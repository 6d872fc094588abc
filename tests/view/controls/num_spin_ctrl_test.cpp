// The spin arrows over a buddy edit: positions, the display form, clicks at
// the bounds, and numbers that stay locale-free.
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>

#include "gui_test_env.h"
#include "controls/num_spin_ctrl.h"

namespace {

struct Spin {
  QLineEdit edit;
  CNumSpinCtrl spin;
  Spin(const QString& text, double min, double max, double step, int decimals = -1,
       bool wrap = false) {
    edit.setText(text);
    spin.setBuddy(&edit);
    spin.setWrap(wrap);
    spin.SetDecimals(decimals);
    spin.SetRangeAndStep(min, max, step);
  }
};

TEST(NumSpinCtrl, PositionsFollowRangeAndStep) {
  struct Case {
    double min, max, step;
    int positions;
  };
  for (const Case& c : {Case{0, 10, 0.1, 100}, Case{0, 1e6, 1, 32767}, Case{0, 10, 3, 3},
                        Case{10, 0, 1, 10}, Case{-5, 5, -0.5, 20}}) {
    Spin s(QStringLiteral("0"), c.min, c.max, c.step);
    EXPECT_EQ(s.spin.positions(), c.positions) << c.min << ".." << c.max << " step " << c.step;
  }
}

TEST(NumSpinCtrl, StepZeroKeepsRangeAndPosition) {
  Spin s(QStringLiteral("4"), 0, 10, 1);
  ASSERT_EQ(s.spin.positions(), 10);
  ASSERT_EQ(s.spin.position(), 4);
  s.edit.setText(QStringLiteral("9"));
  s.spin.SetRangeAndStep(0, 1000, 0);
  EXPECT_EQ(s.spin.positions(), 10);
  EXPECT_EQ(s.spin.position(), 4);
  EXPECT_EQ(s.spin.maxValue(), 1000);
  EXPECT_EQ(s.spin.step(), 0);
}

TEST(NumSpinCtrl, PositionFromValueRoundsHalfUpAndClamps) {
  Spin s(QStringLiteral("0"), 0, 10, 0.1);
  struct Case {
    double value;
    int position;
  };
  for (const Case& c : {Case{2.25, 23}, Case{2.24, 22}, Case{-3, 0}, Case{11, 100},
                        Case{10, 100}, Case{0, 0}}) {
    s.spin.SetPositionFromValue(c.value);
    EXPECT_EQ(s.spin.position(), c.position) << c.value;
  }
  Spin flat(QStringLiteral("0"), 5, 5, 1);
  flat.spin.SetPositionFromValue(5);
  EXPECT_EQ(flat.spin.position(), 0);
}

struct FormatCase {
  int decimals;
  double value;
  const char* text;
};

void expectFormats(const std::vector<FormatCase>& cases) {
  CNumSpinCtrl spin;
  for (const FormatCase& c : cases) {
    spin.SetDecimals(c.decimals);
    EXPECT_EQ(spin.FormatValue(c.value).toStdString(), c.text)
        << c.value << " with " << c.decimals << " decimals";
  }
}

// The exponent keeps two digits at least, as the C runtime writes it here
// ("1e-07"; other runtimes write three).
const std::vector<FormatCase> kFormats{
    {2, 1.5, "1.5"},          {2, 2, "2"},           {2, 2.25, "2.25"},
    {2, 1e-7, "1e-07"},       {2, 1.5e-7, "1.5e-07"}, {2, 100, "100"},
    {1, 10.04, "10"},         {2, -0.5, "-0.5"},     {3, 0.1 + 0.2, "0.3"},
    {0, 7, "7"},              {-1, 1234567, "1.23457e+06"}, {-1, 0.1, "0.1"},
    {-1, 2.5, "2.5"},         {2, 2.5e6, "2.5e+06"}, {2, 250000, "250000"}, {2, 1.23456e7, "1.23e+07"}};

TEST(NumSpinCtrl, FormatsLikeTheGeneralAndFixedForms) { expectFormats(kFormats); }

TEST(NumSpinCtrl, ReadsTheBuddyLikeTheCRuntimeInTheCLocale) {
  struct Case {
    const char* text;
    double value;
  };
  for (const Case& c : {Case{"2.5", 2.5}, Case{"  3.5kg", 3.5}, Case{"+2", 2}, Case{"-2e1", -20},
                        Case{"1,5", 1}, Case{"abc", 0}, Case{"", 0}, Case{"-", 0},
                        Case{"1e", 1}, Case{".5", 0.5}, Case{"+-1", 0}}) {
    EXPECT_EQ(readLeadingNumber(QString::fromUtf8(c.text)), c.value) << '"' << c.text << '"';
  }
  CNumSpinCtrl alone;
  EXPECT_EQ(alone.GetValue(), 0.0);
  alone.stepBy(1);  // no buddy: nothing to write
  EXPECT_EQ(alone.GetValue(), 0.0);
}

TEST(NumSpinCtrl, ClicksStopOrWrapAtTheBounds) {
  struct Case {
    const char* start;
    double min, max, step;
    bool wrap;
    int delta;
    const char* after;
  };
  const Case cases[] = {
      {"9", 0, 10, 1, false, 1, "10"},
      {"10", 0, 10, 1, false, 1, "10"},
      {"10", 0, 10, 1, true, 1, "0"},
      {"0", 0, 10, 1, false, -1, "0"},
      {"0", 0, 10, 1, true, -1, "10"},
      {"9.0001", 0, 10, 1, true, 1, "0"},
      {"9.0001", 0, 10, 1, false, 1, "10"},
      // Within 1e-9 relative of the bound counts as inside, wrap or not.
      {"9.000000005", 0, 10, 1, true, 1, "10"},
      // ... and at least 1e-9 absolute near zero.
      {"0.9999999995", 0, 10, 1, true, -1, "-5e-10"},
      {"0.9999999", 0, 10, 1, true, -1, "10"},
      {"0.9", 0, 1, 0.1, false, 1, "1"},
      {"abc", 0, 10, 1, false, 1, "1"},
      {"abc", 0, 10, 1, false, -1, "0"},
      {"-4.5", -5, 5, 0.5, false, -1, "-5"},
  };
  for (const Case& c : cases) {
    Spin s(QString::fromUtf8(c.start), c.min, c.max, c.step, -1, c.wrap);
    s.spin.stepBy(c.delta);
    EXPECT_EQ(s.edit.text().toStdString(), c.after)
        << c.start << (c.delta > 0 ? " up" : " down") << (c.wrap ? " wrapping" : "");
  }
}

TEST(NumSpinCtrl, ArrowsStepTheBuddyAndTellTheParent) {
  Spin s(QStringLiteral("1.5"), 0, 3, 0.25, 2);
  QSignalSpy deltas(&s.spin, &CNumSpinCtrl::deltaPos);
  auto* up = s.spin.findChild<QToolButton*>(QStringLiteral("up"));
  auto* down = s.spin.findChild<QToolButton*>(QStringLiteral("down"));
  ASSERT_NE(up, nullptr);
  ASSERT_NE(down, nullptr);
  s.spin.show();
  QTest::mouseClick(up, Qt::LeftButton);
  EXPECT_EQ(s.edit.text(), QStringLiteral("1.75"));
  QTest::mouseClick(down, Qt::LeftButton);
  QTest::mouseClick(down, Qt::LeftButton);
  EXPECT_EQ(s.edit.text(), QStringLiteral("1.25"));
  ASSERT_EQ(deltas.count(), 3);
  EXPECT_EQ(deltas[0][0].toInt(), 1);
  EXPECT_EQ(deltas[2][0].toInt(), -1);
  EXPECT_EQ(s.spin.position(), 5);  // 1.5 sat at 6 of 12
}

TEST(NumSpinCtrl, OwnPositionWrapsWithTheValue) {
  Spin s(QStringLiteral("10"), 0, 10, 1, -1, true);
  ASSERT_EQ(s.spin.position(), 10);
  s.spin.stepBy(1);
  EXPECT_EQ(s.spin.position(), 0);
  s.spin.stepBy(-1);
  EXPECT_EQ(s.spin.position(), 10);
}

// Qt sets the C runtime's locale from the environment: a German user must
// still see and type "1.5".
TEST(NumSpinCtrl, NumbersStayLocaleFreeUnderACommaLocale) {
  CommaLocale comma;
  if (!comma.active()) GTEST_SKIP() << "no locale with a decimal comma on this machine";
  RecordProperty("locale", comma.name());
  char printed[32];
  std::snprintf(printed, sizeof printed, "%.1f", 1.5);
  ASSERT_STREQ(printed, "1,5") << "the C runtime should now write a comma";

  expectFormats(kFormats);
  Spin s(QStringLiteral("1.5"), 0, 3, 0.25, 2);
  EXPECT_EQ(s.spin.GetValue(), 1.5);
  EXPECT_EQ(s.spin.position(), 6);
  s.spin.stepBy(1);
  EXPECT_EQ(s.edit.text(), QStringLiteral("1.75"));
  s.edit.setText(QStringLiteral("1,5"));
  EXPECT_EQ(s.spin.GetValue(), 1.0);
}

}  // namespace
