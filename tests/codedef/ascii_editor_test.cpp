// The ASCII editor: the character table's names and tooltip, insertion by
// click, the length rules of both modes (no cut splits an escape), OK's
// refusal of characters that cannot be sent, the open-dialog mark, and a
// look at the painted table.
#include "family_tab_fixture.h"

#include <QPushButton>
#include <QScrollBar>

#include "codedef/output/ascii_ctrl.h"
#include "codedef/output/ascii_dlg.h"
#include "codedef/output/ascii_names.h"
#include "core/dialog_state_rules.h"

namespace vt::test {
namespace {

TEST(AsciiNames, CellsLongNamesAndInsertion) {
  struct Case {
    int code;
    const char* cell;
    const char* longName;
    const char* inserted;
  };
  const Case cases[] = {
      {65, "   A ", "  A", "A"},           {0, " NUL ", "  NULl Character", "\\x00"},
      {10, "  LF ", "  Line Feed", "\\x0A"}, {13, "  CR ", "  Carriage Return", "\\x0D"},
      {32, "   ( ", "  ", "\\x20"},        {38, "   & ", "  &", "&"},
      {127, " DEL ", "  DEL", "\\x7F"},    {126, "   ~ ", "  ~", "~"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(AsciiCellText(c.code), c.cell) << c.code;
    EXPECT_EQ(AsciiLongName(c.code), c.longName) << c.code;
    EXPECT_EQ(AsciiInsertText(c.code), c.inserted) << c.code;
  }
}

TEST(AsciiNames, LengthAndCutNeverSplitAnEscape) {
  EXPECT_EQ(OutputStringLength("\\x0DA", 1), 5);
  EXPECT_EQ(OutputStringLength("\\x0DA", 0), 2);
  struct Case {
    const char* text;
    int max, mode;
    const char* cut;
  };
  const Case cases[] = {
      {"abc\\x0D", 5, 1, "abc"},  {"abc\\x0D", 7, 1, "abc\\x0D"}, {"\\x1Dab", 1, 0, "\\x1D"},
      {"ab\\x1D", 2, 0, "ab"},    {"a\\x", 2, 0, "a\\"},         {"abcdef", 4, 0, "abcd"},
  };
  for (const Case& c : cases) EXPECT_EQ(CutOutputString(c.text, c.max, c.mode), c.cut) << c.text;
}

using AsciiEditor = CodeDefinitionFixture;

TEST_F(AsciiEditor, ClicksTypingLengthsAndOk) {
  CAsciiDlg editor(*window);
  editor.m_strOutput.clear();
  editor.m_nMaxLength = 32;
  editor.m_nLengthMode = 1;
  editor.m_nLengthMessage = 8208;
  bool ran = false;
  prompt.setDialogHandler([&](QDialog&) -> int {
    ran = true;
    EXPECT_EQ(state().m_nOpenDialog, 2);
    EXPECT_EQ(state().m_nHelpContext, 2);
    CAsciiCtrl* table = editor.table();
    const auto click = [&](int code) {
      const int row = code / CAsciiCtrl::kItemsPerRow;
      if (row < table->verticalScrollBar()->value() ||
          row >= table->verticalScrollBar()->value() + table->visibleRows())
        table->verticalScrollBar()->setValue(row);
      QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, table->CellRect(code, 2).center());
    };
    // The last code is within the scroll range, the item after it does nothing.
    table->verticalScrollBar()->setValue(table->verticalScrollBar()->maximum());
    EXPECT_GE(table->firstVisibleItem() + table->visibleRows() * 3, 128);
    EXPECT_EQ(table->ItemAt(table->CellRect(128, 0).center()), -1);
    EXPECT_TRUE(table->ToolTipText(10).contains("  Line Feed"));
    const QStringList lines = table->ToolTipText(10).split("\r\n");
    if (lines.size() != 4) {
      ADD_FAILURE() << lines.join('|').toStdString();
      return 0;
    }
    EXPECT_TRUE(lines[1].endsWith("0A"));
    EXPECT_TRUE(lines[2].endsWith("10"));
    EXPECT_TRUE(lines[3].endsWith("  LF "));

    click(13);
    click('A');
    EXPECT_EQ(editor.edit()->text(), "\\x0DA");
    EXPECT_EQ(table->selectedItem(), 'A');

    // Eight escapes fill 32 characters; the ninth is refused.
    editor.edit()->clear();
    for (int i = 0; i < 8; ++i) click(1);
    EXPECT_EQ(editor.edit()->text().size(), 32);
    prompt.clear();
    click(2);
    EXPECT_EQ(Texts(), QStringList{window->text(8208)});
    EXPECT_EQ(editor.edit()->text().size(), 32);

    // A 33rd typed character is cut off; a pasted escape is never split.
    editor.edit()->setText(QString(32, u'a'));
    prompt.clear();
    editor.edit()->setFocus();
    editor.edit()->end(false);
    QTest::keyClick(editor.edit(), Qt::Key_B);
    EXPECT_EQ(Texts(), QStringList{window->text(8208)});
    EXPECT_EQ(editor.edit()->text(), QString(32, u'a'));
    editor.edit()->setText(QString(30, u'a') + "\\x0D");
    EXPECT_EQ(editor.edit()->text(), QString(30, u'a'));

    // A grab: the orange header, the selected item in blue.
    click(13);
    table->verticalScrollBar()->setValue(0);
    const QImage shot = table->viewport()->grab().toImage();
    EXPECT_EQ(QColor(shot.pixel(5, 5)), QColor(255, 153, 53));
    const QRect cell = table->CellRect(13, 0);
    bool blue = false;
    for (int y = cell.top(); y <= cell.bottom(); ++y)
      for (int x = cell.left(); x <= cell.right(); ++x) {
        const QColor c(shot.pixel(x, y));
        blue = blue || (c.blue() > 200 && c.red() < 120 && c.green() < 120);
      }
    EXPECT_TRUE(blue);
    SaveScreenshot(editor, "ascii_editor");

    // OK with character 127: 9921, still open, still the open dialog.
    editor.edit()->setText(QStringLiteral("ab") + QChar(127));
    prompt.clear();
    editor.accept();
    EXPECT_EQ(Texts(), QStringList{window->text(9921)});
    EXPECT_TRUE(editor.isVisible());
    EXPECT_EQ(state().m_nOpenDialog, 2);
    EXPECT_EQ(HelpTopicStringId(state().m_nHelpContext, state().m_nWizardStep, 0, 0), 421);  // the editor's topic
    EXPECT_EQ(editor.edit()->selectedText(), editor.edit()->text());

    editor.edit()->setText("\\x0DA");
    editor.accept();
    return editor.result();
  });
  EXPECT_EQ(editor.Run(), QDialog::Accepted);
  EXPECT_TRUE(ran);
  EXPECT_EQ(AsciiEditorResult(), "\\x0DA");
  EXPECT_EQ(state().m_nOpenDialog, 0);
  EXPECT_EQ(state().m_nHelpContext, 0);
}

TEST_F(AsciiEditor, ADisconnectClosesIt) {
  CAsciiDlg editor(*window);
  prompt.setDialogHandler([&](QDialog& d) {
    emit window->userInterfaceReset();
    EXPECT_FALSE(d.isVisible());
    return d.result();
  });
  EXPECT_EQ(editor.Run(), QDialog::Rejected);
  EXPECT_EQ(state().m_nOpenDialog, 0);
}

}  // namespace
}  // namespace vt::test
