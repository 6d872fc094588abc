// Test output through the process-interface page's own button against the
// simulator: the dialog the page keeps, its telegrams each after a fresh
// write of tab 0's strings, the regex test on a code the sensor read, OK and
// Cancel back into tab 1; and the code menu of a right click on that code
// in the picture.
#include "process_interface_fixture.h"

#include <QLabel>
#include <QMenu>

#include "codedef/output/config_process_test_output.h"
#include "core/text_escape.h"
#include "view/image_view_service.h"
#include "view/test_results.h"

namespace vt::test {
namespace {

using Tab1 = CConfigProcessInterfaceTab1;

std::string Escaped(const QString& text) {
  return QString::fromStdU16String(EscapeText(text.toStdU16String())).toStdString();
}

struct TestOutputPage : ProcessInterfaceFixture {
  // Test output clicked; once the click's commands are answered, `inside`
  // works the dialog the page opened and closes it.
  CConfigProcessTestOutput* RunTestOutput(const std::function<void(CConfigProcessTestOutput&)>& inside) {
    CConfigProcessTestOutput* opened = nullptr;
    prompt.setDialogHandler(DialogHandler<CConfigProcessTestOutput>([&](CConfigProcessTestOutput& d) {
      opened = &d;
      EXPECT_TRUE(Idle());
      inside(d);
      EXPECT_FALSE(d.isVisible());
      return d.result();
    }));
    QTest::mouseClick(page->testButton(), Qt::LeftButton);
    prompt.setDialogHandler({});
    return opened;
  }
  static void Click(CConfigProcessTestOutput& d, int id) { QTest::mouseClick(d.button(id), Qt::LeftButton); }
  void ClickAndWait(CConfigProcessTestOutput& d, int id, int command) {
    const int before = Count(command);
    Click(d, id);
    ASSERT_TRUE(WaitHandled(command, before + 1));
    ASSERT_TRUE(Idle());
  }
  static void Type(QLineEdit* edit, const QString& text) {
    edit->setFocus();
    edit->selectAll();
    QTest::keyClicks(edit, text);
  }
  // The sensor's method calls of these names, in order.
  std::vector<std::string> CallsOf(std::initializer_list<const char*> names) {
    std::vector<std::string> out;
    for (const auto& call : sensor.server.calls())
      for (const char* name : names)
        if (call.method == name) out.push_back(call.method);
    return out;
  }
};

TEST_F(TestOutputPage, EachTelegramGoesOutAfterTab0sStringsAreWritten) {
  Open(CODE_TYPE_ECC200, [](XmlRpc::XmlRpcValue& c) {
    c[kWorkingMode] = 3;  // item 2: the match string can be sent
    c[kStartString] = "OLD";
    c[kFailString] = "OLDFAIL";
    c[kMatchString] = "OLDMATCH";
  });
  Type(tab1().edit(Tab1::Start), QStringLiteral("GO"));
  Type(tab1().edit(Tab1::Fail), QStringLiteral("NO READ"));
  Type(tab1().edit(Tab1::Match), QStringLiteral("OK!"));
  ASSERT_TRUE(prompt.messages().isEmpty()) << Texts().join('|').toStdString();

  CConfigProcessTestOutput* dialog = RunTestOutput([&](CConfigProcessTestOutput& d) {
    EXPECT_TRUE(d.button(1116)->isEnabled());
    EXPECT_FALSE(d.button(1117)->isEnabled());
    ClickAndWait(d, 1114, CMD_TRANSMIT_TEST_DATA);
    ClickAndWait(d, 1115, CMD_TRANSMIT_FAIL_DATA);
    ClickAndWait(d, 1116, CMD_TRANSMIT_MATCH_STRING);
    Click(d, 2);
  });
  ASSERT_NE(dialog, nullptr);
  const auto sent = sensor.model.snapshot().transmissions;
  ASSERT_EQ(sent.size(), 3u);
  const char* methods[] = {"xmlTransmitTestData", "xmlTransmitFailData", "xmlTransmitMatchString"};
  for (std::size_t i = 0; i < 3; ++i) {
    SCOPED_TRACE(methods[i]);
    EXPECT_EQ(sent[i].method, methods[i]);
    EXPECT_EQ(sent[i].start, "GO");
    EXPECT_EQ(sent[i].fail, Escaped(QStringLiteral("NO READ")));
    EXPECT_EQ(sent[i].match, Escaped(QStringLiteral("OK!")));
  }
  // Test output's own write, then one before each telegram.
  EXPECT_EQ(CallsOf({"xmlSetConfigData", methods[0], methods[1], methods[2]}),
            (std::vector<std::string>{"xmlSetConfigData", "xmlSetConfigData", methods[0], "xmlSetConfigData",
                                      methods[1], "xmlSetConfigData", methods[2]}));

  // The page keeps its dialog: a second Test output opens the same one.
  EXPECT_EQ(RunTestOutput([&](CConfigProcessTestOutput& d) { Click(d, 2); }), dialog);
  EXPECT_TRUE(prompt.messages().isEmpty()) << Texts().join('|').toStdString();
}

// Each telegram writes the page's own strings first, as they stand: the
// stored start and stop strings with their control characters go back as
// the sensor holds them, a fail string typed on the page between two runs
// goes with the next telegram. A write the sensor refuses sends no telegram,
// is said once and leaves the dialog free for the next click.
TEST_F(TestOutputPage, EachTelegramWritesThePagesStringsAsTheyStand) {
  Open(CODE_TYPE_ECC200, [](XmlRpc::XmlRpcValue& c) {
    c[kWorkingMode] = 3;
    c[kStartString] = "\\x02";  // the sensor's escaped forms
    c[kStopString] = "\\x0D\\x0A";
    c[kFailString] = "F1";
    c[kMatchString] = "M1";
  });
  ASSERT_NE(RunTestOutput([&](CConfigProcessTestOutput& d) {
              ClickAndWait(d, 1114, CMD_TRANSMIT_TEST_DATA);
              Click(d, 2);
            }),
            nullptr);
  Type(tab1().edit(Tab1::Fail), QStringLiteral("F2"));
  RunTestOutput([&](CConfigProcessTestOutput& d) {
    ClickAndWait(d, 1115, CMD_TRANSMIT_FAIL_DATA);
    sensor.model.script().push("xmlSetConfigData", vt::sim::ScriptedReply::status(-4010));
    Click(d, 1116);
    EXPECT_TRUE(Idle());
    EXPECT_EQ(prompt.messages().size(), 1) << Texts().join('|').toStdString();
    EXPECT_EQ(sensor.model.snapshot().transmissions.size(), 2u);
    EXPECT_TRUE(d.button(1116)->isEnabled());
    prompt.clear();
    ClickAndWait(d, 1116, CMD_TRANSMIT_MATCH_STRING);
    Click(d, 2);
  });
  const auto sent = sensor.model.snapshot().transmissions;
  ASSERT_EQ(sent.size(), 3u);
  for (const auto& t : sent) {
    SCOPED_TRACE(t.method);
    EXPECT_EQ(t.start, "\\x02");
    EXPECT_EQ(t.stop, "\\x0D\\x0A");
    EXPECT_EQ(t.match, "M1");
  }
  EXPECT_EQ(sent[0].method, "xmlTransmitTestData");
  EXPECT_EQ(sent[0].fail, "F1");
  EXPECT_EQ(sent[1].method, "xmlTransmitFailData");
  EXPECT_EQ(sent[1].fail, "F2");
  EXPECT_EQ(sent[2].method, "xmlTransmitMatchString");
  EXPECT_EQ(sent[2].fail, "F2");
  EXPECT_EQ(Item(kStopString).asString(), "\\x0D\\x0A");
  EXPECT_TRUE(prompt.messages().isEmpty()) << Texts().join('|').toStdString();
}

// While the sensor holds a telegram, another click sends nothing: no write,
// no telegram; the lost connection then closes the dialog.
TEST_F(TestOutputPage, AClickWhileATelegramIsOutSendsNothing) {
  Open(CODE_TYPE_ECC200, [](XmlRpc::XmlRpcValue& c) { c[kWorkingMode] = 3; });
  vt::sim::MethodFaults held;
  held.silence = true;
  sensor.server.setFaults("xmlTransmitTestData", held);
  bool closed = false;
  RunTestOutput([&](CConfigProcessTestOutput& d) {
    Click(d, 1114);
    ASSERT_TRUE(sensor.server.waitForCalls("xmlTransmitTestData", 1, std::chrono::seconds(60)));
    QApplication::processEvents();
    EXPECT_TRUE(state().m_bBusy);
    const std::size_t writes = Calls("xmlSetConfigData");
    Click(d, 1115);
    QApplication::processEvents();
    EXPECT_EQ(Calls("xmlSetConfigData"), writes);
    EXPECT_EQ(Calls("xmlTransmitFailData"), 0u);
    notify->OnSensorNotify(SN_CONNECTION_LOST, 0);
    sensor.Stop();
    EXPECT_TRUE(Idle());
    closed = !d.isVisible();
  });
  EXPECT_TRUE(closed);
  EXPECT_FALSE(state().m_bConnected);
}

// Test output's write waits for a configuration read still out: the read
// puts neither the sensor's older strings back into tab 0 nor into the write,
// and what the sensor changed meanwhile (an exposure) comes in beside them.
TEST_F(TestOutputPage, StringsTypedWhileAReadIsOutAreWhatTheSensorGets) {
  Open(CODE_TYPE_ECC200, [](XmlRpc::XmlRpcValue& c) {
    c[kStartString] = "OLD";
    c[kFailString] = "OLDFAIL";
  });
  Type(tab1().edit(Tab1::Start), QStringLiteral("GO"));
  Type(tab1().edit(Tab1::Fail), QStringLiteral("NO READ"));
  constexpr int kExposure = 5;
  SetItems([](XmlRpc::XmlRpcValue& c) { c[kExposure] = 4321; });
  const int reads = Count(CMD_GET_CONFIG_DATA);
  state().m_nConfigId = 0;
  window->PostSensorCommand(CMD_GET_CONFIG_DATA);
  ASSERT_NE(RunTestOutput([&](CConfigProcessTestOutput& d) { Click(d, 2); }), nullptr);
  ASSERT_EQ(Count(CMD_GET_CONFIG_DATA), reads + 1);
  auto shows = [&](const char* when) {
    EXPECT_EQ(tab1().edit(Tab1::Start)->text(), QStringLiteral("GO")) << when;
    EXPECT_EQ(tab1().edit(Tab1::Fail)->text(), QStringLiteral("NO READ")) << when;
  };
  shows("after the write");
  EXPECT_EQ(Item(kStartString).asString(), "GO");
  EXPECT_EQ(Item(kFailString).asString(), Escaped(QStringLiteral("NO READ")));
  EXPECT_EQ(Item(kExposure).asInt(), 4321);
  ASSERT_NO_FATAL_FAILURE(Reread());
  shows("read again");
  SaveScreenshot(*page, "process_interface_kept_strings");
  EXPECT_TRUE(prompt.messages().isEmpty()) << Texts().join('|').toStdString();
}

// The page with the picture and the reading's presentation beside it.
struct TestOutputWithPicture : TestOutputPage {
  void AddPanels(MainPanels& panels) override {
    auto view = std::make_unique<ImageView>();
    imageView = view.get();
    panels.imageView = std::move(view);
    panels.results = std::make_unique<CTestResults>();
  }
  // A point of the picture control over result region `region`.
  QPoint OverRegion(int region) const {
    const QRect area = imageView->PictureArea();
    const QRect source = imageView->SourceRect();
    for (int y = source.top(); y < source.bottom(); y += 4)
      for (int x = source.left(); x < source.right(); x += 4)
        if (imageView->ResultRegionAt(QPoint(x, y)) == region)
          return {area.left() + (x - source.left()) * area.width() / source.width() + 1,
                  area.top() + (y - source.top()) * area.height() / source.height() + 1};
    return {-1, -1};
  }
  ImageView* imageView = nullptr;
};

// A code read by the sensor: a right click on it in the picture opens the
// page's code menu, whose "Use as reference code" fills tab 1; in the
// test-output dialog the regex test runs against it.
TEST_F(TestOutputWithPicture, ReadCodeFromThePictureToTheRegexTestAndBackIntoTab1) {
  Open(CODE_TYPE_ECC200, [](XmlRpc::XmlRpcValue& c) {
    c[kWorkingMode] = 9;  // item 5: regular expressions
    c[kMatchString] = "M";
    c[kReferenceCode] = "R";
  });
  sensor.readings.setNextText("LOT 4711-X");
  Post(CMD_GET_READ_CODE);
  ASSERT_TRUE(WaitHandled(CMD_GET_READ_CODE));
  ASSERT_TRUE(Idle());
  ASSERT_EQ(state().m_ResultTexts[0], "LOT 4711-X");

  const QPoint onCode = OverRegion(0);
  ASSERT_NE(onCode, QPoint(-1, -1));
  QTest::mouseClick(imageView->widget(), Qt::RightButton, {}, onCode);
  QMenu* menu = page->codeMenu();
  ASSERT_TRUE(menu->isVisible());
  EXPECT_EQ(page->menuResultIndex(), 0);
  QAction* use = menu->actions()[1];
  EXPECT_EQ(use->text(), window->text(8090));
  QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(use).center());
  EXPECT_FALSE(menu->isVisible());
  EXPECT_EQ(tab1().string(Tab1::Reference), "LOT 4711-X");

  const QString digits = QStringLiteral("([0-9]+)");
  RunTestOutput([&](CConfigProcessTestOutput& d) {
    EXPECT_EQ(d.expressionCombo()->currentText(), "LOT 4711-X");
    EXPECT_EQ(d.goodReadingEdit()->text(), "M");
    QComboBox* against = d.matchAgainstCombo();
    ASSERT_EQ(against->count(), 2);
    EXPECT_EQ(against->itemText(1), "LOT 4711-X");
    Choose(against, 1);
    EXPECT_TRUE(against->lineEdit()->isReadOnly());

    // The digits of the read code, in black.
    d.expressionCombo()->setEditText(digits);
    Type(d.goodReadingEdit(), QStringLiteral("$1"));
    ClickAndWait(d, 1117, CMD_APPLY_REGEX);
    EXPECT_EQ(d.resultLabel()->text(), "4711");
    const auto match = RedAndBlackPixels(*d.resultLabel());
    EXPECT_EQ(match.first, 0);
    EXPECT_GT(match.second, 10);
    SaveScreenshot(d, "test_output_match");

    // A miss: 9806 in red.
    d.expressionCombo()->setEditText(QStringLiteral("[a-z]{3}"));
    ClickAndWait(d, 1117, CMD_APPLY_REGEX);
    EXPECT_EQ(d.resultLabel()->text(), window->text(9806));
    const auto miss = RedAndBlackPixels(*d.resultLabel());
    EXPECT_GT(miss.first, 10);
    EXPECT_EQ(miss.second, 0);
    SaveScreenshot(d, "test_output_no_match");

    // OK hands expression and good-reading string to tab 1.
    d.expressionCombo()->setEditText(digits);
    Click(d, 1);
  });
  EXPECT_EQ(tab1().string(Tab1::Reference), digits);
  EXPECT_EQ(tab1().string(Tab1::Match), "$1");
  EXPECT_EQ(window->referenceCodes().last(), digits);

  // Cancel takes nothing back.
  RunTestOutput([&](CConfigProcessTestOutput& d) {
    EXPECT_EQ(d.expressionCombo()->currentText(), digits);
    d.expressionCombo()->setEditText(QStringLiteral("other"));
    Type(d.goodReadingEdit(), QStringLiteral("else"));
    Click(d, 2);
  });
  EXPECT_EQ(tab1().string(Tab1::Reference), digits);
  EXPECT_EQ(tab1().string(Tab1::Match), "$1");
  EXPECT_TRUE(prompt.messages().isEmpty()) << Texts().join('|').toStdString();
}

}  // namespace
}  // namespace vt::test
