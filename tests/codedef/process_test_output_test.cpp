// The process interface's test output against the simulated sensor: the
// buttons the output mode offers, the regex test with its
// result colours, the reference-code history and its settings file, OK's
// hand-over to tab 1 and its refusals, and Cancel while busy.
#include "codedef_fixture.h"

#include <QPushButton>
#include <QSettings>

#include "codedef/output/config_process_test_output.h"
#include "codedef/output/process_test_host.h"
#include "codedef/write_configuration.h"
#include "core/text_escape.h"

namespace vt::test {
namespace {

// Tab 1 as the dialog sees it (the dialog's own steps; the page's apply
// with its strings is tested through the page, process_test_output_page_test.cpp):
// its apply writes the match string to the sensor.
struct FakeTab1 : ProcessTestHost {
  int ApplySettings() override {
    window->state().m_Configuration.processInterface.MatchString =
        QString::fromStdU16String(EscapeText(match.toStdU16String())).toStdString();
    return WriteConfiguration(*window) == 0 ? 0 : -1;
  }
  int outputModeItem() const override { return mode; }
  QString referenceCode() const override { return reference; }
  QString matchString() const override { return match; }
  void SetReferenceCode(const QString& text) override { reference = text; }
  void SetMatchString(const QString& text) override { match = text; }

  CVarnisDatamatrixDlg* window = nullptr;
  int mode = 5;
  QString match, reference;
};

// The page's part in the reply to the regex test: to the dialog.
struct RegexForwarder : ProcessInterfaceService {
  QWidget* widget() override { return &page; }
  void ReloadTexts() override {}
  void ShowSettings() override {}
  void ShowRegexResult(int flag) override {
    if (dialog) dialog->ShowRegexResult(flag);
  }
  void ShowContextMenu(QPoint, int) override {}
  QWidget page;
  CConfigProcessTestOutput* dialog = nullptr;
};

struct ProcessTestOutput : CodeDefinitionFixture {
  void AddPanels(MainPanels& panels) override {
    auto forwarder = std::make_unique<RegexForwarder>();
    page = forwarder.get();
    panels.processInterface = std::move(forwarder);
  }
  void SetUp() override {
    CodeDefinitionFixture::SetUp();
    tab1.window = window.get();
    dialog = std::make_unique<CConfigProcessTestOutput>(*window, tab1);
    page->dialog = dialog.get();
  }
  void TearDown() override {
    page->dialog = nullptr;
    dialog.reset();
    CodeDefinitionFixture::TearDown();
  }
  // One modal run; `inside` works the open dialog, which then ends by OK
  // (unless `inside` ended it).
  int RunDialog(const std::function<void(CConfigProcessTestOutput&)>& inside, bool ok = true) {
    prompt.setDialogHandler([&](QDialog& d) -> int {
      // Another dialog on top of it (the disconnect notice after an error) stays as it is.
      if (&d != dialog.get()) return d.result();
      inside(*dialog);
      if (ok && d.isVisible()) dialog->accept();
      return d.result();
    });
    return dialog->Run();
  }
  void Click(int id) { QTest::mouseClick(dialog->button(id), Qt::LeftButton); }
  // Clicks a button that posts `command` and waits for its reply.
  void ClickAndWait(int id, int command) {
    const int before = Count(command);
    Click(id);
    ASSERT_TRUE(WaitHandled(command, before + 1));
    ASSERT_TRUE(Idle());
  }
  QStringList StoredHistory() const {
    QSettings file(lib.settingsFile(), QSettings::IniFormat);
    file.beginGroup("ReferenceCode");
    QStringList out;
    for (int i = 0; file.contains(QStringLiteral("ReferenceCode%1").arg(i)); ++i)
      out << file.value(QStringLiteral("ReferenceCode%1").arg(i)).toString();
    return out;
  }
  static QStringList Numbered(int count) {
    QStringList out;
    for (int i = 0; i < count; ++i) out << QStringLiteral("E%1").arg(i);
    return out;
  }
  std::vector<vt::sim::Transmission> Sent() { return sensor.model.snapshot().transmissions; }

  FakeTab1 tab1;
  RegexForwarder* page = nullptr;
  std::unique_ptr<CConfigProcessTestOutput> dialog;
};

TEST_F(ProcessTestOutput, TheModeItemDecidesWhatCanBeTested) {
  for (int mode = 0; mode <= 6; ++mode) {
    tab1.mode = mode;
    RunDialog([&](CConfigProcessTestOutput& d) {
      EXPECT_EQ(d.button(1116)->isEnabled(), mode >= 2 && mode <= 4) << mode;
      const bool regex = mode == 5 || mode == 6;
      for (QWidget* w : std::initializer_list<QWidget*>{d.button(1117), d.expressionCombo(), d.goodReadingEdit(),
                                                        d.matchAgainstCombo()})
        EXPECT_EQ(w->isEnabled(), regex) << mode;
      EXPECT_TRUE(d.button(1114)->isEnabled());
      EXPECT_TRUE(d.button(1115)->isEnabled());
    }, false);
    dialog->reject();
  }
}

TEST_F(ProcessTestOutput, RegexAgainstAReadCodeShowsTheMatchInBlackAndAMissIn9806Red) {
  OpenConfiguration(1);
  state().m_nReadCount = 4;
  state().m_ResultTexts[0] = "LOT 4711-X";
  state().m_ResultTexts[1] = " ";
  state().m_ResultTexts[2] = "";
  state().m_ResultTexts[3] = "SN 0815";
  RunDialog([&](CConfigProcessTestOutput& d) {
    // Read codes after the typed item; blank ones are no candidates.
    QComboBox* against = d.matchAgainstCombo();
    ASSERT_EQ(against->count(), 3);
    EXPECT_EQ(against->itemText(0), window->text(8110));
    EXPECT_EQ(against->itemText(1), "LOT 4711-X");
    EXPECT_EQ(against->itemText(2), "SN 0815");
    EXPECT_FALSE(against->lineEdit()->isReadOnly());
    against->setCurrentIndex(1);
    emit against->activated(1);
    EXPECT_TRUE(against->lineEdit()->isReadOnly());

    d.expressionCombo()->setEditText("([0-9]+)");
    d.goodReadingEdit()->setText("$1");
    ClickAndWait(1117, CMD_APPLY_REGEX);
    EXPECT_EQ(d.resultLabel()->text(), "4711");
    EXPECT_FALSE(d.noMatch());
    auto [red, black] = RedAndBlackPixels(*d.resultLabel());
    EXPECT_EQ(red, 0);
    EXPECT_GT(black, 0);
    SaveScreenshot(d, "process_test_output_match");

    d.expressionCombo()->setEditText("(Z+)");
    ClickAndWait(1117, CMD_APPLY_REGEX);
    EXPECT_EQ(d.resultLabel()->text(), window->text(9806));
    EXPECT_TRUE(d.noMatch());
    std::tie(red, black) = RedAndBlackPixels(*d.resultLabel());
    EXPECT_GT(red, 0);
    EXPECT_EQ(d.resultLabel()->font().pixelSize(), 15);
    SaveScreenshot(d, "process_test_output_miss");

    // A match again is black again; an expression the sensor refuses shows
    // its error and the no-match text.
    against->setCurrentIndex(2);
    emit against->activated(2);
    d.expressionCombo()->setEditText("[0-9]+");
    d.goodReadingEdit()->clear();
    ClickAndWait(1117, CMD_APPLY_REGEX);
    EXPECT_EQ(d.resultLabel()->text(), "0815");
    EXPECT_FALSE(d.noMatch());
    prompt.clear();
    d.expressionCombo()->setEditText("([");
    ClickAndWait(1117, CMD_APPLY_REGEX);
    EXPECT_TRUE(d.noMatch());
    EXPECT_EQ(d.resultLabel()->text(), window->text(9806));
    EXPECT_EQ(prompt.messages().size(), 1);
    EXPECT_EQ(state().m_bBusy, 0);
    EXPECT_GT(RedAndBlackPixels(*d.resultLabel()).first, 0);
  }, false);
  dialog->reject();
  // Each run starts without a result.
  RunDialog([&](CConfigProcessTestOutput& d) {
    EXPECT_TRUE(d.resultLabel()->text().isEmpty());
    EXPECT_FALSE(d.noMatch());
  }, false);
}

// A reading keeps at most 100 codes: a larger count lists no more than
// those, whatever a longer table holds beyond them.
TEST_F(ProcessTestOutput, MatchAgainstListsAtMostTheFirst100ReadCodes) {
  struct Case {
    const char* name;
    int readCount;
    std::size_t tableSize;
  };
  const Case cases[] = {{"count_150_table_100", 150, 100}, {"count_150_table_150", 150, 150},
                        {"count_101_table_101", 101, 101}};
  QStringList expected;
  for (int i = 1; i < kMaxCodesPerReading - 1; ++i)
    if (i != 7) expected << QStringLiteral("C%1").arg(i);
  tab1.mode = 5;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::vector<std::string>& texts = state().m_ResultTexts;
    texts.assign(c.tableSize, {});
    for (std::size_t i = 0; i < c.tableSize; ++i) texts[i] = "C" + std::to_string(i);
    texts[0].clear();
    texts[7] = " ";
    texts[99] = " ";
    state().m_nReadCount = c.readCount;
    RunDialog([&](CConfigProcessTestOutput& d) {
      QComboBox* against = d.matchAgainstCombo();
      ASSERT_GE(against->count(), 1);
      EXPECT_EQ(against->itemText(0), window->text(8110));
      QStringList listed;
      for (int i = 1; i < against->count(); ++i) listed << against->itemText(i);
      EXPECT_EQ(listed.size(), expected.size());
      EXPECT_EQ(listed.join(' ').toStdString(), expected.join(' ').toStdString());
    }, false);
    dialog->reject();
  }
  state().m_ResultTexts.assign(kMaxCodesPerReading, {});
  state().m_nReadCount = 0;
}

TEST_F(ProcessTestOutput, HistoryIsAppendedWithoutCopiesAndAFullOneReplacesTheChosenEntry) {
  struct Case {
    const char* name;
    QStringList before;
    int choose;          // entry chosen in the list, -1 none
    const char* typed;   // then the expression typed
    QStringList after;
  };
  const Case cases[] = {
      {"appended", {"A"}, -1, "B", {"A", "B"}},
      {"empty_not_appended", {"A"}, -1, "", {"A"}},
      {"chosen_not_copied", {"A", "B"}, 0, nullptr, {"A", "B"}},
      {"chosen_then_changed", {"A", "B"}, 0, "C", {"A", "B", "C"}},
      {"full_none_chosen", Numbered(15), -1, "X", Numbered(15)},
      {"full_entry_3_replaced", Numbered(15), 3, "X",
       [] { QStringList l = Numbered(15); l[3] = "X"; return l; }()},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    dialog = std::make_unique<CConfigProcessTestOutput>(*window, tab1);
    page->dialog = dialog.get();
    window->referenceCodes() = c.before;
    tab1.reference.clear();
    tab1.match = "GOOD";
    EXPECT_EQ(RunDialog([&](CConfigProcessTestOutput& d) {
                EXPECT_EQ(d.expressionCombo()->count(), c.before.size());
                if (c.choose >= 0) {
                  d.expressionCombo()->setCurrentIndex(c.choose);
                  emit d.expressionCombo()->activated(c.choose);
                }
                if (c.typed) d.expressionCombo()->setEditText(c.typed);
              }),
              QDialog::Accepted);
    EXPECT_EQ(window->referenceCodes(), c.after);
    EXPECT_EQ(StoredHistory(), c.after);
    // OK hands the texts to tab 1.
    EXPECT_EQ(tab1.reference, c.typed ? QString(c.typed) : c.before.value(c.choose));
    EXPECT_EQ(tab1.match, "GOOD");
  }
  // The next run shows tab 1's reference code; OK without a change adds no copy.
  window->referenceCodes() = {"A"};
  tab1.reference = "Q";
  RunDialog([&](CConfigProcessTestOutput& d) { EXPECT_EQ(d.expressionCombo()->currentText(), "Q"); });
  RunDialog([&](CConfigProcessTestOutput& d) { EXPECT_EQ(d.expressionCombo()->currentText(), "Q"); });
  EXPECT_EQ(window->referenceCodes(), (QStringList{"A", "Q"}));
  EXPECT_EQ(StoredHistory(), (QStringList{"A", "Q"}));
}

TEST_F(ProcessTestOutput, OkAndTheRegexTestRefuseBadTexts) {
  struct Case {
    const char* name;
    QString expression, good, against;
    int message;  // 0: accepted
    int focus;    // 1234, 1238 or 1235
  };
  const QString control = QStringLiteral("a") + QChar(1);
  const Case cases[] = {
      {"control_in_expression", control, "g", "t", 9921, 1234},
      {"control_in_good_string", "e", control, "t", 9921, 1238},
      {"char_127_in_good_string", "e", QStringLiteral("g") + QChar(127), "t", 9921, 1238},
      {"control_in_text", "e", "g", control, 9921, 1235},
      {"expression_257", QString(257, u'e'), "g", "t", 8209, 1234},
      {"good_string_33", "e", QString(33, u'g'), "t", 8208, 1238},
      {"text_257", "e", "g", QString(257, u't'), 8209, 1235},
      {"good_string_32_expression_256", QString(256, u'e'), QString(32, u'g'), QString(256, u't'), 0, 0},
  };
  tab1.mode = 6;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const int posted = Count(CMD_APPLY_REGEX);
    RunDialog([&](CConfigProcessTestOutput& d) {
      d.expressionCombo()->setEditText(c.expression);
      d.goodReadingEdit()->setText(c.good);
      d.matchAgainstCombo()->setEditText(c.against);
      const auto focused = [&] {
        QWidget* f = d.focusWidget();
        if (c.focus == 1238) return f == d.goodReadingEdit();
        QComboBox* combo = c.focus == 1234 ? d.expressionCombo() : d.matchAgainstCombo();
        return f == combo || f == combo->lineEdit();
      };
      for (auto press : {+[](CConfigProcessTestOutput& x) { x.accept(); },
                         +[](CConfigProcessTestOutput& x) { QTest::mouseClick(x.button(1117), Qt::LeftButton); }}) {
        if (!d.isVisible()) break;
        prompt.clear();
        d.setFocus();
        press(d);
        if (c.message == 0) continue;
        EXPECT_EQ(Texts(), QStringList{window->text(c.message)});
        EXPECT_TRUE(d.isVisible());
        EXPECT_TRUE(focused());
        if (c.focus == 1238) {
          EXPECT_EQ(d.goodReadingEdit()->selectedText(), c.good);
        }
      }
    }, false);
    if (c.message != 0) {
      EXPECT_EQ(Count(CMD_APPLY_REGEX), posted);
      dialog->reject();
    } else {
      EXPECT_EQ(dialog->result(), QDialog::Accepted);
      EXPECT_EQ(tab1.reference, c.expression);
    }
  }
}

TEST_F(ProcessTestOutput, CancelEscapeAndCloseWaitWhileBusy) {
  RunDialog([&](CConfigProcessTestOutput& d) {
    state().m_bBusy = 1;
    QTest::mouseClick(d.button(2), Qt::LeftButton);
    QTest::keyClick(&d, Qt::Key_Escape);
    d.close();
    EXPECT_TRUE(d.isVisible());
    state().m_bBusy = 0;
    QTest::keyClick(&d, Qt::Key_Escape);
    EXPECT_FALSE(d.isVisible());
  }, false);
  EXPECT_EQ(dialog->result(), QDialog::Rejected);
  EXPECT_TRUE(window->referenceCodes().isEmpty());
}

}  // namespace
}  // namespace vt::test
