// The quality-parameter dialog and the quality output around it: each
// family's tree shown and handed back unchanged, a click flipping a
// parameter but never a group, the overall-quality modes, a type without
// parameters, the check images as painted; the quality lists read from the
// sensor into the settings, the dialog over them, and the write back that
// sends nothing for a list never read.
#include "family_tab_fixture.h"

#include <QGroupBox>
#include <QPushButton>
#include <QTabBar>
#include <QTreeWidget>
#include <functional>

#include "codedef/output/config_process_interface.h"
#include "codedef/output/config_process_interface_tab2.h"
#include "codedef/output/quality_output.h"
#include "codedef/output/quality_parameter_dlg.h"
#include "controls/process_interface_tab_ctrl.h"
#include "core/code_types.h"
#include "resources/program_bitmaps.h"
#include "sim/slot_parameters.h"

// Qt's keyword macro must not meet the quality records' members.
#pragma push_macro("slots")
#undef slots
#include "records/quality_slots.h"

namespace vt::test {
namespace {

QualityPair& Slot(QualitySettings& q, int slot) { return q.slots[static_cast<std::size_t>(slot)]; }
int Flag(const QualitySettings& q, int slot) { return q.slots[static_cast<std::size_t>(slot)].appendIt; }

// Every other parameter on, the overall mode as given.
QualitySettings Pattern(int mode) {
  QualitySettings q;
  for (int i = 1; i < QualitySettings::kSlotCount; ++i) Slot(q, i) = {i % 2, 1 + i % 4};
  Slot(q, 0) = {mode, 4};
  return q;
}

std::vector<int> AppendFlags(const QualitySettings& q) {
  std::vector<int> out;
  for (const QualityPair& p : q.slots) out.push_back(p.appendIt);
  return out;
}

// Each parameter's "append_it" and "grade" of the sensor's record against the settings.
void ExpectSettingsHold(const QualitySettings& q, const QualityTemplate& form, const XmlRpc::XmlRpcValue& record) {
  XmlRpc::XmlRpcValue r = record;
  ASSERT_EQ(static_cast<std::size_t>(r.size()), form.itemCount);
  for (const QualitySlot& s : form.slots) {
    const QualityPair& p = q.slots[static_cast<std::size_t>(s.slot)];
    EXPECT_EQ(p.appendIt, r[s.appendItPos].asInt()) << "slot " << s.slot;
    EXPECT_EQ(p.grade, r[s.appendItPos + 1].asInt()) << "slot " << s.slot;
  }
}

#pragma pop_macro("slots")

// The items of the tree in order, depth first.
std::vector<QTreeWidgetItem*> Rows(QTreeWidget* tree) {
  std::vector<QTreeWidgetItem*> out;
  std::function<void(QTreeWidgetItem*)> walk = [&](QTreeWidgetItem* item) {
    out.push_back(item);
    for (int i = 0; i < item->childCount(); ++i) walk(item->child(i));
  };
  for (int i = 0; i < tree->topLevelItemCount(); ++i) walk(tree->topLevelItem(i));
  return out;
}

int ImageOf(QTreeWidgetItem* item) { return item->data(0, CQualityParameterDlg::kImageRole).toInt(); }

QTreeWidgetItem* RowOfKey(QTreeWidget* tree, int key) {
  for (QTreeWidgetItem* item : Rows(tree))
    if (ImageOf(item) != CQualityParameterDlg::kImageGroup && item->data(0, CQualityParameterDlg::kKeyRole).toInt() == key)
      return item;
  return nullptr;
}

void Click(QTreeWidget* tree, QTreeWidgetItem* item) {
  tree->scrollToItem(item);
  QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, tree->visualItemRect(item).center());
}

struct QualityDialog : CodeDefinitionFixture {
  QualityTextLookup Texts() {
    return [this](int id) { return window->text(id).toStdU16String(); };
  }
  // Runs the dialog; `inside` looks and clicks, then OK (accept) or Cancel.
  int Run(CQualityParameterDlg& dialog, const std::function<void(CQualityParameterDlg&)>& inside, bool accept) {
    prompt.setDialogHandler([&](QDialog&) -> int {
      inside(dialog);
      QTest::mouseClick(dialog.findChild<QPushButton*>(accept ? "id1" : "id2"), Qt::LeftButton);
      return dialog.result();
    });
    return dialog.Run();
  }
  XmlRpc::XmlRpcValue SensorQuality(vt::sim::QualityForm form) {
    return sensor.model.access([&](vt::sim::SensorData& d) { return SlotRecords(d, 0).qualityOf(form); });
  }
  void SetSensorQualityItem(vt::sim::QualityForm form, int position, int value) {
    sensor.model.access([&](vt::sim::SensorData& d) { SlotRecords(d, 0).qualityOf(form)[position] = value; });
  }
  // The family's parameters read from the sensor as the Quality button's
  // enabling does it with a stored quality output.
  void ReadQualityFromSensor(int codeType, int getCommand) {
    state().m_Configuration.processInterface.Append2dQuality = 1;
    const int gets = Count(getCommand);
    PrepareQualityParameters(*window, codeType);
    ASSERT_TRUE(WaitHandled(getCommand, gets + 1));
    ASSERT_TRUE(Idle());
  }
};

TEST_F(QualityDialog, EachFamilysTreeIsShownAndHandedBackUnchanged) {
  struct Case {
    int codeType;
    bool compositeOn;
    int parameters;  // rows with a check image
    int groups;      // headings, without the root
  };
  const Case cases[] = {
      {CODE_TYPE_ECC200, false, 8, 0},  {CODE_TYPE_QR, false, 8, 0},     {CODE_TYPE_AZTEC, false, 8, 0},
      {CODE_TYPE_PDF417, false, 7, 0},  {CODE_TYPE_EAN13, false, 8, 0},  {CODE_TYPE_GS1_DATABAR_OMNIDIR, false, 8, 0},
      {CODE_TYPE_GS1_DATABAR_OMNIDIR, true, 23, 3},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.codeType);
    const QualitySettings settings = Pattern(3);
    const QualityTreeMap map = BuildQualityTree(c.codeType, settings, c.compositeOn, Texts());
    CQualityParameterDlg dialog(*window);
    dialog.SetData(map, 3, QStringLiteral("Code %1").arg(c.codeType));
    const int result = Run(dialog, [&](CQualityParameterDlg& d) {
      EXPECT_EQ(d.windowTitle(), QStringLiteral("Quality parameters: Code %1").arg(c.codeType));
      ASSERT_EQ(d.tree()->topLevelItemCount(), 1);
      EXPECT_EQ(d.tree()->topLevelItem(0)->text(0), QStringLiteral("Code %1").arg(c.codeType));
      int parameters = 0, groups = -1;  // the root is a group too
      for (QTreeWidgetItem* item : Rows(d.tree())) {
        EXPECT_TRUE(item->parent() == nullptr || item->parent()->isExpanded());
        if (ImageOf(item) == CQualityParameterDlg::kImageGroup) {
          ++groups;
          continue;
        }
        ++parameters;
        const auto row = map.find(item->data(0, CQualityParameterDlg::kKeyRole).toInt());
        ASSERT_NE(row, map.end());
        EXPECT_EQ(item->text(0), QString::fromStdU16String(row->second.text));
        EXPECT_FALSE(item->text(0).isEmpty());
        EXPECT_EQ(ImageOf(item), row->second.selected);
      }
      EXPECT_EQ(parameters, c.parameters);
      EXPECT_EQ(groups, c.groups);
    }, true);
    EXPECT_EQ(result, QDialog::Accepted);
    QualityTreeMap back;
    int mode = -1;
    dialog.GetData(back, mode);
    EXPECT_EQ(mode, 3);
    ASSERT_EQ(back.size(), map.size());
    for (const auto& [key, row] : map) EXPECT_EQ(back.at(key).selected, row.selected) << key;
    QualitySettings read = settings;
    ReadQualityTree(c.codeType, back, read);
    // Composite rows not shown are read back as off.
    std::vector<int> expected = AppendFlags(settings);
    if (HasCodeFlag(c.codeType, CODE_FLAG_COMPOSITE) && !c.compositeOn)
      for (int slot = 13; slot < QualitySettings::kSlotCount; ++slot)
        if (slot < 15 || slot > 22) expected[static_cast<std::size_t>(slot)] = 0;
    EXPECT_EQ(AppendFlags(read), expected);
  }
}

TEST_F(QualityDialog, AClickFlipsAParameterNeverAGroup) {
  // Composite rows: a heading at level 1 (key 12), one at level 2 under another (key 52).
  const QualityTreeMap map = BuildQualityTree(CODE_TYPE_GS1_DATABAR_OMNIDIR, Pattern(1), true, Texts());
  ASSERT_EQ(map.at(12).selected, QualityTreeItem::kHeading);
  ASSERT_EQ(map.at(52).selected, QualityTreeItem::kHeading);
  const int first = map.at(13).selected;
  const int nested = map.at(57).selected;
  CQualityParameterDlg dialog(*window);
  dialog.SetData(map, 1, QStringLiteral("GS1 DataBar"));
  Run(dialog, [&](CQualityParameterDlg& d) {
    QTreeWidget* tree = d.tree();
    QTreeWidgetItem* row13 = RowOfKey(tree, 13);
    QTreeWidgetItem* row57 = RowOfKey(tree, 57);
    ASSERT_TRUE(row13 && row57);
    // Key 57 sits under the level-2 heading, which sits under the level-1 one.
    EXPECT_EQ(row57->parent()->text(0), QString::fromStdU16String(map.at(52).text));
    EXPECT_EQ(row57->parent()->parent()->text(0), QString::fromStdU16String(map.at(44).text));
    Click(tree, row13);
    EXPECT_EQ(ImageOf(row13), 1 - first);
    EXPECT_EQ(tree->currentItem(), row13);
    Click(tree, row57);
    Click(tree, row57);
    EXPECT_EQ(ImageOf(row57), nested);
    // Headings and the root stay as they are.
    for (QTreeWidgetItem* group : {row57->parent(), row57->parent()->parent(), tree->topLevelItem(0)}) {
      Click(tree, group);
      EXPECT_EQ(ImageOf(group), CQualityParameterDlg::kImageGroup);
    }
  }, true);
  QualityTreeMap back;
  int mode = 0;
  dialog.GetData(back, mode);
  EXPECT_EQ(back.at(13).selected, 1 - first);
  EXPECT_EQ(back.at(57).selected, nested);
  EXPECT_EQ(back.at(12).selected, QualityTreeItem::kHeading);
  EXPECT_EQ(back.at(52).selected, QualityTreeItem::kHeading);
  for (const auto& [key, row] : map) {
    if (key == 13) continue;
    EXPECT_EQ(back.at(key).selected, row.selected) << key;
  }
}

TEST_F(QualityDialog, OverallModesShowAsRadiosAndAClickChoosesOne) {
  struct Case {
    int stored;
    int checked;  // radio shown
    int click;    // radio clicked, 0 none
    int mode;     // handed back
  };
  const Case cases[] = {
      {0, 1257, 0, 0},    {1, 1258, 0, 1},    {3, 1259, 0, 3},    {2, 1257, 0, 2},
      {2, 1257, 1259, 3}, {0, 1257, 1258, 1}, {3, 1259, 1257, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.stored << " click " << c.click);
    CQualityParameterDlg dialog(*window);
    dialog.SetData(BuildQualityTree(CODE_TYPE_ECC200, Pattern(c.stored), false, Texts()), c.stored, "ECC");
    Run(dialog, [&](CQualityParameterDlg& d) {
      for (int id : {1257, 1258, 1259}) EXPECT_EQ(d.radio(id)->isChecked(), id == c.checked) << id;
      if (c.click) QTest::mouseClick(d.radio(c.click), Qt::LeftButton, {}, QPoint(6, d.radio(c.click)->height() / 2));
    }, true);
    QualityTreeMap map;
    int mode = -1;
    dialog.GetData(map, mode);
    EXPECT_EQ(mode, c.mode);
  }
}

TEST_F(QualityDialog, ATypeWithoutParametersShowsAnEmptyTreeAndABareTitle) {
  EXPECT_TRUE(BuildQualityTree(CODE_TYPE_NONE, Pattern(1), false, Texts()).empty());
  const QualitySettings before = state().m_QualitySettings = Pattern(1);
  bool ran = false;
  prompt.setDialogHandler(DialogHandler<CQualityParameterDlg>([&](CQualityParameterDlg& dialog) -> int {
    ran = true;
    EXPECT_EQ(dialog.windowTitle(), "Quality parameters");
    EXPECT_EQ(dialog.tree()->topLevelItemCount(), 0);
    EXPECT_EQ(dialog.findChild<QLabel*>("id1260")->text(), "Quality parameters");
    EXPECT_EQ(dialog.findChild<QGroupBox*>("id1261")->title(), "Overall quality");
    EXPECT_TRUE(dialog.radio(1258)->isChecked());
    SaveScreenshot(dialog, "quality_parameters_empty");
    dialog.reject();
    return dialog.result();
  }));
  EXPECT_FALSE(RunQualityDialog(*window, CODE_TYPE_NONE, "None"));
  EXPECT_TRUE(ran);
  EXPECT_EQ(AppendFlags(state().m_QualitySettings), AppendFlags(before));
}

// The check images as the tree paints them: an empty box, a ticked one, a
// yellow folder, drawn by the program itself.
TEST_F(QualityDialog, TheTreePaintsTheProgramsOwnCheckImages) {
  const QPixmap strip = ProgramBitmaps::bitmap(ProgramBitmaps::kQualityChecks);
  ASSERT_EQ(strip.size(), QSize(49, 16));
  const QualityTreeMap map = BuildQualityTree(CODE_TYPE_GS1_DATABAR_OMNIDIR, Pattern(1), true, Texts());
  CQualityParameterDlg dialog(*window);
  dialog.SetData(map, 1, QStringLiteral("GS1 DataBar Omnidirectional"));
  struct Look {
    int black = 0, white = 0, yellow = 0;
  };
  // The picture left of the row's text: its image.
  const auto look = [](QTreeWidget* tree, QTreeWidgetItem* item) {
    const QRect row = tree->visualItemRect(item);
    const QImage image = tree->viewport()->grab(QRect(row.left(), row.top(), 18, row.height())).toImage();
    Look l;
    for (int y = 0; y < image.height(); ++y)
      for (int x = 0; x < image.width(); ++x) {
        const QColor c = image.pixelColor(x, y);
        if (c.red() < 60 && c.green() < 60 && c.blue() < 60) ++l.black;
        if (c.red() > 250 && c.green() > 250 && c.blue() > 250) ++l.white;
        if (c.red() > 200 && c.green() > 150 && c.blue() < 120) ++l.yellow;
      }
    return l;
  };
  Run(dialog, [&](CQualityParameterDlg& d) {
    QTreeWidget* tree = d.tree();
    QTreeWidgetItem* off = nullptr;
    QTreeWidgetItem* on = nullptr;
    for (QTreeWidgetItem* item : Rows(tree)) {
      if (ImageOf(item) == CQualityParameterDlg::kImageOff && !off) off = item;
      if (ImageOf(item) == CQualityParameterDlg::kImageOn && !on) on = item;
    }
    ASSERT_TRUE(off && on);
    const Look empty = look(tree, off), ticked = look(tree, on), folder = look(tree, tree->topLevelItem(0));
    EXPECT_GT(empty.white, 40);
    EXPECT_LT(empty.black, 20);  // the box's dark inner edge only
    EXPECT_GT(ticked.black, empty.black + 8);
    EXPECT_EQ(empty.yellow, 0);
    EXPECT_GT(folder.yellow, 60);
    // A click paints the other image.
    Click(tree, off);
    EXPECT_GT(look(tree, off).black, empty.black + 8);
    Click(tree, off);
    d.resize(360, 520);
    SaveScreenshot(d, "quality_parameters");
  }, false);
}

// The lists read from the sensor fill the settings, each family at its own
// positions; the sensor's stored mode 2 shows as no overall quality.
TEST_F(QualityDialog, TheFamilysListReadFromTheSensorFillsTheSettings) {
  using vt::sim::QualityForm;
  struct Case {
    int codeType;
    int getCommand;
    QualityForm form;
    const QualityTemplate* positions;
  };
  const Case cases[] = {
      {CODE_TYPE_ECC200, CMD_GET_ECC200_QR_QUALITY, QualityForm::Ecc200QrAztec, &kEcc200Quality},
      {CODE_TYPE_PDF417, CMD_GET_PDF417_QUALITY, QualityForm::Pdf417, &kPdf417Quality},
      {CODE_TYPE_EAN13, CMD_GET_QUALITY_PARAMS, QualityForm::BarCode, &kBarcodeQuality},
      {CODE_TYPE_GS1_DATABAR_OMNIDIR, CMD_GET_QUALITY_PARAMS, QualityForm::Composite, &kCompositeQuality},
  };
  OpenConfiguration(CODE_TYPE_ECC200);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.codeType);
    // The configuration in edit reads another code type.
    sensor.model.access([&](vt::sim::SensorData& d) { SlotRecords(d, 0).configData[32] = c.codeType; });
    state().m_nCodeType = c.codeType;
    SetSensorQualityItem(c.form, 1, 2);
    ReadQualityFromSensor(c.codeType, c.getCommand);
    if (HasFatalFailure()) return;
    ExpectSettingsHold(state().m_QualitySettings, *c.positions, SensorQuality(c.form));
    EXPECT_TRUE(prompt.messages().isEmpty());
  }
  // The stored mode 2 shows as no overall quality, and OK keeps it.
  prompt.setDialogHandler(DialogHandler<CQualityParameterDlg>([&](CQualityParameterDlg& dialog) -> int {
    EXPECT_TRUE(dialog.radio(1257)->isChecked());
    dialog.accept();
    return dialog.result();
  }));
  EXPECT_TRUE(RunQualityDialog(*window, CODE_TYPE_GS1_DATABAR_OMNIDIR, "GS1"));
  EXPECT_EQ(OverallQualityMode(state().m_QualitySettings), 2);
}

TEST_F(QualityDialog, OkTakesTheTickedParametersAndCancelNothing) {
  OpenConfiguration(CODE_TYPE_ECC200);
  ReadQualityFromSensor(CODE_TYPE_ECC200, CMD_GET_ECC200_QR_QUALITY);
  if (HasFatalFailure()) return;
  const QualitySettings held = state().m_QualitySettings;
  const QString name = QualityCodeName(*window, CODE_TYPE_ECC200);
  EXPECT_EQ(name, tab1().codeTypeList()->itemText(CODE_TYPE_ECC200));
  EXPECT_FALSE(name.isEmpty());
  // Key 17 is slot 1 (the decode).
  const auto clickSlot1AndMode = [&](CQualityParameterDlg& dialog) -> int {
    EXPECT_EQ(dialog.windowTitle(), "Quality parameters: " + name);
    EXPECT_EQ(ImageOf(RowOfKey(dialog.tree(), 17)), Flag(held, 1));
    Click(dialog.tree(), RowOfKey(dialog.tree(), 17));
    QTest::mouseClick(dialog.radio(1259), Qt::LeftButton, {}, QPoint(6, dialog.radio(1259)->height() / 2));
    return -1;
  };
  state().m_bQualityOutputChanged = 0;
  prompt.setDialogHandler(DialogHandler<CQualityParameterDlg>([&](CQualityParameterDlg& d) -> int {
    clickSlot1AndMode(d);
    d.reject();
    return d.result();
  }));
  EXPECT_FALSE(RunQualityDialog(*window, CODE_TYPE_ECC200, name));
  EXPECT_EQ(AppendFlags(state().m_QualitySettings), AppendFlags(held));
  EXPECT_EQ(state().m_bQualityOutputChanged, 0);

  prompt.setDialogHandler(DialogHandler<CQualityParameterDlg>([&](CQualityParameterDlg& d) -> int {
    clickSlot1AndMode(d);
    d.accept();
    return d.result();
  }));
  EXPECT_TRUE(RunQualityDialog(*window, CODE_TYPE_ECC200, name));
  std::vector<int> expected = AppendFlags(held);
  expected[1] = 1 - expected[1];
  expected[0] = 3;
  EXPECT_EQ(AppendFlags(state().m_QualitySettings), expected);
  EXPECT_EQ(state().m_bQualityOutputChanged, 1);
}

// The write back: a list never read (no quality output) is not sent, the
// library would refuse it; with an output the list is read first and the
// sensor then holds the new flags.
TEST_F(QualityDialog, TheSettingsGoToTheSensorOnlyOverAListOfItsOwn) {
  using vt::sim::QualityForm;
  OpenConfiguration(CODE_TYPE_PDF417);
  const XmlRpc::XmlRpcValue stored = SensorQuality(QualityForm::Pdf417);
  // No output: every parameter marked, overall of all; nothing goes out.
  state().m_Configuration.processInterface.Append2dQuality = 0;
  state().m_QualitySettings = Pattern(0);
  PrepareQualityParameters(*window, CODE_TYPE_PDF417);
  for (int slot : {5, 6, 8, 9, 10, 11, 12}) EXPECT_EQ(Flag(state().m_QualitySettings, slot), 1) << slot;
  EXPECT_EQ(Flag(state().m_QualitySettings, 2), 0);  // not a PDF417 parameter
  EXPECT_EQ(OverallQualityMode(state().m_QualitySettings), 1);
  EXPECT_EQ(state().m_nOutstandingCommands, 0);
  ASSERT_TRUE(state().m_PDF417Quality.empty());
  EXPECT_EQ(SendQualitySettings(*window, CODE_TYPE_PDF417), 0);
  QApplication::processEvents();
  EXPECT_EQ(Count(CMD_SET_PDF417_QUALITY), 0);
  EXPECT_EQ(state().m_nOutstandingCommands, 0);
  EXPECT_TRUE(prompt.messages().isEmpty());
  EXPECT_EQ(ItemTexts(SensorQuality(QualityForm::Pdf417)), ItemTexts(stored));

  // An output chosen: the list is read at once, the settings written into it and sent.
  state().m_Configuration.processInterface.Append2dQuality = 3;
  Slot(state().m_QualitySettings, 9).appendIt = 0;
  EXPECT_EQ(SendQualitySettings(*window, CODE_TYPE_PDF417), 0);
  ASSERT_TRUE(WaitHandled(CMD_SET_PDF417_QUALITY));
  ASSERT_TRUE(Idle());
  EXPECT_EQ(statuses[handled.size() - 1], 0);
  EXPECT_TRUE(prompt.messages().isEmpty());
  ExpectSettingsHold(state().m_QualitySettings, kPdf417Quality, SensorQuality(QualityForm::Pdf417));
  EXPECT_EQ(SensorQuality(QualityForm::Pdf417)[5].asInt(), 0);  // slot 9
  EXPECT_EQ(SensorQuality(QualityForm::Pdf417)[1].asInt(), 1);  // the overall mode
}


// The process-interface page beside the code definition page, whose code-type
// list names the code in the dialog's title.
struct QualityThroughThePage : QualityDialog {
  void AddPanels(MainPanels& panels) override {
    auto made = std::make_unique<CConfigProcessInterface>();
    page = made.get();
    panels.processInterface = std::move(made);
  }
  // Quality... on tab 2; `inside` works the dialog and says whether it ends with OK.
  void OpenQualityDialog(const std::function<bool(CQualityParameterDlg&)>& inside) {
    int opened = 0;
    prompt.setDialogHandler([&](QDialog& d) -> int {
      auto* dialog = dynamic_cast<CQualityParameterDlg*>(&d);
      if (!dialog) return d.result();
      ++opened;
      const bool ok = inside(*dialog);
      QTest::mouseClick(dialog->findChild<QPushButton*>(ok ? "id1" : "id2"), Qt::LeftButton);
      return dialog->result();
    });
    QTest::mouseClick(page->tab2()->qualityButton(), Qt::LeftButton);
    EXPECT_EQ(opened, 1);
    prompt.setDialogHandler({});
  }
  void TestOutput() {
    QTest::mouseClick(page->testButton(), Qt::LeftButton);
    ASSERT_TRUE(Idle());
  }
  CConfigProcessInterface* page = nullptr;
};

// A stored quality output: showing the configuration reads the family's
// parameters; Quality... shows the sensor's choice under the code's name; a
// click flips a parameter but not a group; OK and Test output put the new
// choice on the sensor; Cancel leaves everything as it was.
TEST_F(QualityThroughThePage, TheDialogShowsWhatTheSensorHoldsAndTestOutputSendsTheChoice) {
  using vt::sim::QualityForm;
  struct Case {
    int codeType;
    int storedOutput;
    int get;
    QualityForm form;
    const QualityTemplate* positions;
  };
  const Case cases[] = {
      {CODE_TYPE_ECC200, 1, CMD_GET_ECC200_QR_QUALITY, QualityForm::Ecc200QrAztec, &kEcc200Quality},
      {CODE_TYPE_PDF417, 3, CMD_GET_PDF417_QUALITY, QualityForm::Pdf417, &kPdf417Quality},
      {CODE_TYPE_EAN13, 1, CMD_GET_QUALITY_PARAMS, QualityForm::BarCode, &kBarcodeQuality},
  };
  OpenConfiguration(CODE_TYPE_ECC200);
  codeDefinition->hide();
  page->show();
  page->tabs()->tabBar()->setCurrentIndex(1);
  ASSERT_EQ(state().m_bExtendedConfig, 1);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.codeType);
    const int gets = Count(c.get);
    ReadAgain([&](XmlRpc::XmlRpcValue& config) {
      config[32] = c.codeType;
      config[29] = c.storedOutput;
    });
    if (HasFatalFailure()) return;
    EXPECT_EQ(Count(c.get), gets + 1);
    ASSERT_TRUE(page->tab2()->qualityButton()->isEnabled());
    const XmlRpc::XmlRpcValue held = SensorQuality(c.form);
    ExpectSettingsHold(state().m_QualitySettings, *c.positions, held);
    const QualitySettings before = state().m_QualitySettings;
    const int storedMode = OverallQualityMode(state().m_QualitySettings);
    const int shownRadio = storedMode == 1 ? 1258 : storedMode == 3 ? 1259 : 1257;
    const int newMode = storedMode == 3 ? 1 : 3;
    const QString name = tab1().codeTypeList()->itemText(c.codeType);
    ASSERT_FALSE(name.isEmpty());

    // Cancel: nothing changes; Test output sends the choice as the sensor holds it.
    OpenQualityDialog([&](CQualityParameterDlg& d) {
      Click(d.tree(), Rows(d.tree()).back());
      QTest::mouseClick(d.radio(newMode == 3 ? 1259 : 1258), Qt::LeftButton, {}, QPoint(6, d.radio(1259)->height() / 2));
      return false;
    });
    EXPECT_EQ(AppendFlags(state().m_QualitySettings), AppendFlags(before));
    EXPECT_EQ(state().m_bQualityOutputChanged, 0);
    const std::size_t sets = sensor.server.countCalls("xmlSetQualityParams");
    TestOutput();
    EXPECT_EQ(sensor.server.countCalls("xmlSetQualityParams"), sets + 1);
    EXPECT_EQ(ItemTexts(SensorQuality(c.form)), ItemTexts(held));

    // OK: the clicked parameter and the mode reach the sensor with Test output.
    int clickedKey = -1;
    OpenQualityDialog([&](CQualityParameterDlg& d) {
      EXPECT_EQ(d.windowTitle(), "Quality parameters: " + name);
      QTreeWidget* tree = d.tree();
      EXPECT_EQ(tree->topLevelItem(0)->text(0), name);
      const QualityTreeMap shown = BuildQualityTree(c.codeType, before, false, Texts());
      int parameters = 0;
      for (QTreeWidgetItem* row : Rows(tree)) {
        if (ImageOf(row) == CQualityParameterDlg::kImageGroup) continue;
        ++parameters;
        EXPECT_EQ(ImageOf(row), shown.at(row->data(0, CQualityParameterDlg::kKeyRole).toInt()).selected);
      }
      EXPECT_GT(parameters, 5);
      for (int id : {1257, 1258, 1259}) EXPECT_EQ(d.radio(id)->isChecked(), id == shownRadio) << id;
      QTreeWidgetItem* first = RowOfKey(tree, shown.begin()->first);
      if (!first) return false;
      clickedKey = first->data(0, CQualityParameterDlg::kKeyRole).toInt();
      const int image = ImageOf(first);
      Click(tree, first);
      EXPECT_EQ(ImageOf(first), 1 - image);
      Click(tree, tree->topLevelItem(0));
      EXPECT_EQ(ImageOf(tree->topLevelItem(0)), CQualityParameterDlg::kImageGroup);
      QTest::mouseClick(d.radio(newMode == 3 ? 1259 : 1258), Qt::LeftButton, {}, QPoint(6, d.radio(1259)->height() / 2));
      return true;
    });
    EXPECT_EQ(state().m_bQualityOutputChanged, 1);
    QualityTreeMap flipped = BuildQualityTree(c.codeType, before, false, Texts());
    ASSERT_TRUE(flipped.count(clickedKey));
    flipped.at(clickedKey).selected = 1 - flipped.at(clickedKey).selected;
    QualitySettings expected = before;
    ReadQualityTree(c.codeType, flipped, expected);
    OverallQualityMode(expected) = newMode;
    ASSERT_NE(AppendFlags(expected), AppendFlags(before));
    EXPECT_EQ(AppendFlags(state().m_QualitySettings), AppendFlags(expected));

    TestOutput();
    EXPECT_EQ(sensor.server.countCalls("xmlSetQualityParams"), sets + 2);
    EXPECT_TRUE(prompt.messages().isEmpty()) << SimWindowFixture::Texts().join('|').toStdString();
    ExpectSettingsHold(expected, *c.positions, SensorQuality(c.form));
    EXPECT_EQ(ConfigItem(29).asInt(), c.storedOutput);
    EXPECT_EQ(state().m_bQualityOutputChanged, 0);
  }
}

}  // namespace
}  // namespace vt::test
