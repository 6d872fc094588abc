// Teach and "Use code properties" of the 2-D family tabs through the
// window's own controls: the teach button, as the last reading enables it,
// and item 32799 of the page's context menu, over result-table fixtures.
#include "family_tab_fixture.h"

#include <QMenu>
#include <QPushButton>
#include <functional>
#include <map>

#include "codedef/config_code_def_tab3_aztec.h"
#include "codedef/config_code_def_tab3_pdf417.h"
#include "codedef/config_code_def_tab3_qr.h"
#include "sim/reading_picture.h"
#include "sim/reply_script.h"

namespace vt::test {
namespace {

using Results = std::vector<CodeResultRecord>;

template <class Record>
Record Words(const char* polarity, const char* mirror) {
  Record r;
  r.texts0[0].Assign(polarity);
  r.texts0[1].Assign(mirror);
  return r;
}
CodeResultRecord Pdf417(const char* polarity, const char* mirror, int rows, int cols) {
  auto r = Words<Pdf417ResultRecord>(polarity, mirror);
  r.ints3 = {rows, cols};
  return r;
}
CodeResultRecord Qr(int size, int version, int model, int patterns) {
  auto r = Words<QrCodeResultRecord>("dark_on_light", "no");
  r.ints3 = {size, version, model, patterns};
  return r;
}
CodeResultRecord Aztec(const char* polarity, int size) {
  auto r = Words<AztecResultRecord>(polarity, "yes");
  r.ints3 = {size, size, 0};
  return r;
}

// What a tab shows: the list items of polarity and mirrored, then its numbers.
QStringList Shown(TwoDCodeTab* tab) {
  QStringList out{QString::number(tab->polarity()->currentIndex()), QString::number(tab->mirror()->currentIndex())};
  if (auto* qr = qobject_cast<CConfigCodeDefTab3QR*>(tab)) out << QString::number(qr->modelType()->currentIndex());
  if (auto* aztec = qobject_cast<CConfigCodeDefTab3Aztec*>(tab))
    return out << aztec->sizeFrom()->currentText() << aztec->sizeTo()->currentText();
  for (auto* edit : tab->findChildren<QLineEdit*>(Qt::FindDirectChildrenOnly))
    if (edit->objectName() != QStringLiteral("id1109")) out << edit->text();  // contrast is never taught
  return out;
}

struct TeachCase {
  const char* name;
  int codeType;
  int getCommand;
  Results results;
  int count;           // codes of the last reading
  QStringList taught;  // shown after Teach; empty: the button is off and nothing changes
  int menuIndex;       // the code the context menu is opened on
  QStringList used;    // shown after "Use code properties"
};

void PrintTo(const TeachCase& c, std::ostream* os) { *os << c.name; }

// A hundred kept of 150 read: only the last kept one has rows 90.
Results HundredKept() {
  Results out;
  for (int i = 0; i < kMaxCodesPerReading; ++i)
    out.push_back(Pdf417("dark_on_light", "yes", i == kMaxCodesPerReading - 1 ? 90 : 3 + i % 50, 1 + i % 30));
  return out;
}

const TeachCase kCases[] = {
    // PDF417 fields: columns from, to, rows from, to.
    {"Pdf417PolaritiesDiffer", CODE_TYPE_PDF417, CMD_GET_PDF417_DATA,
     {Pdf417("dark_on_light", "no", 6, 10), Pdf417("light_on_dark", "no", 12, 12), Pdf417("dark_on_light", "no", 8, 11)},
     3, {"2", "0", "10", "12", "6", "12"}, 1, {"1", "0", "12", "12", "12", "12"}},
    {"Pdf417NothingRead", CODE_TYPE_PDF417, CMD_GET_PDF417_DATA, {Pdf417("light_on_dark", "yes", 6, 10)}, 0, {}, 0,
     {"1", "1", "10", "10", "6", "6"}},
    {"Pdf417HundredOf150", CODE_TYPE_PDF417, CMD_GET_PDF417_DATA, HundredKept(), 150, {"0", "1", "1", "30", "3", "90"},
     99, {"0", "1", "10", "10", "90", "90"}},
    // QR fields: model item, versions from, to, sizes from, to, position patterns.
    {"QrModels1And2", CODE_TYPE_QR, CMD_GET_QRCODE_DATA, {Qr(25, 2, 1, 3), Qr(45, 7, 2, 2)}, 2,
     {"0", "0", "1", "2", "7", "25", "45", "2"}, 0, {"0", "0", "0", "2", "2", "25", "25", "3"}},
    // Aztec: the two size lists.
    {"AztecSizes", CODE_TYPE_AZTEC, CMD_GET_AZTEC_DATA,
     {Aztec("dark_on_light", 19), Aztec("light_on_dark", 15), Aztec("dark_on_light", 23)}, 3,
     {"2", "1", "15", "23"}, 2, {"0", "1", "23", "23"}},
};

struct TeachAndUse : FamilyTabFixture, ::testing::WithParamInterface<TeachCase> {
  // The last reading as the reply handler leaves it, then the page's teach rule.
  void Reading(const TeachCase& c) {
    for (std::size_t i = 0; i < c.results.size(); ++i) state().m_CodeResults[i] = c.results[i];
    state().m_nReadCount = c.count;
    state().m_ResultCodeTypes[0] = c.codeType;
    codeDefinition->UpdateTeachButton(c.codeType);
  }
  // The menu a right click on code `index` opens; its one item clicked.
  bool UseFromMenu(int codeType, int index) {
    codeDefinition->ShowContextMenu(window->mapToGlobal(QPoint(300, 300)), codeType, index);
    QMenu* menu = codeDefinition->contextMenu();
    if (!QTest::qWaitFor([&] { return menu->isVisible(); }, 5000)) return false;
    QAction* use = menu->actions().value(0);
    if (use == nullptr || use->objectName() != QStringLiteral("id32799")) return false;
    QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(use).center());
    return QTest::qWaitFor([&] { return !menu->isVisible(); }, 5000);
  }
};

TEST_P(TeachAndUse, TeachButtonAndContextMenu) {
  const TeachCase& c = GetParam();
  OpenConfiguration(c.codeType);
  EnterCodeTab(c.getCommand);
  auto* tab = qobject_cast<TwoDCodeTab*>(codeDefinition->codeTab());
  ASSERT_NE(tab, nullptr);
  const QStringList before = Shown(tab);
  Reading(c);
  EXPECT_EQ(tab->teachButton()->isEnabled(), c.count > 0);
  QTest::mouseClick(tab->teachButton(), Qt::LeftButton);
  EXPECT_EQ(Shown(tab), c.taught.isEmpty() ? before : c.taught);
  EXPECT_EQ(state().m_bValidationFailed, c.taught.isEmpty() ? 0 : 1);

  state().m_bValidationFailed = 0;
  ASSERT_TRUE(UseFromMenu(c.codeType, c.menuIndex));
  EXPECT_EQ(Shown(tab), c.used);
  EXPECT_EQ(state().m_bValidationFailed, 1);
  // Nothing is sent until the tab is left.
  EXPECT_TRUE(prompt.messages().isEmpty()) << Texts().join('|').toStdString();
}

INSTANTIATE_TEST_SUITE_P(Families, TeachAndUse, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

// Read code against the simulator, then Teach: the sensor's own result of
// each family is one the tab takes as it stands, the tab is left without a
// word and the sensor holds the code's values.
struct SensorCase {
  const char* name;
  int codeType, getCommand, setCommand;
  vt::sim::CodeFamily family;
  // The items of the family's list Teach fills, from the code the simulator painted.
  std::function<std::map<int, int>(const vt::sim::PaintedCode&)> taught;
  // A code result in the family's shape with a value the tab refuses.
  std::vector<XmlRpc::XmlRpcValue> refused;
};
void PrintTo(const SensorCase& c, std::ostream* os) { *os << c.name; }

std::map<int, int> FromTo(int from, int to, int v, std::map<int, int> more = {}) {
  more[from] = v;
  more[to] = v;
  return more;
}

struct TeachFromTheSensor : FamilyTabFixture, ::testing::WithParamInterface<SensorCase> {
  static constexpr const char* kText = "CODE-12345";
  // The configuration on tab 2, then Read code clicked and its reading shown.
  void ReadCode(const SensorCase& c) {
    OpenConfiguration(c.codeType);
    if (c.codeType == CODE_TYPE_MICRO_QR) {
      // Settings a Micro QR tab takes as they are: versions 1..4, one pattern.
      const std::map<int, int> micro{{1, 1}, {2, 4}, {3, 11}, {4, 17}, {14, 1}};
      for (const auto& [item, value] : micro) SetCodeItem(c.family, item, value);
    }
    ASSERT_NO_FATAL_FAILURE(EnterCodeTab(c.getCommand));
    tab = qobject_cast<TwoDCodeTab*>(codeDefinition->codeTab());
    ASSERT_NE(tab, nullptr);
    sensor.readings.setNextText(kText);
    const int reads = Count(CMD_GET_READ_CODE);
    ClickAt(codeDefinition->findChild<QAbstractButton*>(QStringLiteral("id1080")));
    ASSERT_TRUE(WaitHandled(CMD_GET_READ_CODE, reads + 1));
    ASSERT_TRUE(Idle());
  }
  // Teach clicked and the tab left: no word, and the sensor holds the code's values.
  void TeachAndLeave(const SensorCase& c) {
    ASSERT_TRUE(tab->teachButton()->isEnabled());
    ClickAt(tab->teachButton());
    EXPECT_EQ(state().m_bValidationFailed, 1);
    ASSERT_NO_FATAL_FAILURE(LeaveToTab0(c.setCommand));
    EXPECT_TRUE(Texts().isEmpty()) << Texts().join('|').toStdString();
    const XmlRpc::XmlRpcValue sent = CodeData(c.family);
    for (const auto& [item, value] : c.taught(vt::sim::PaintCode(c.codeType, kText)))
      EXPECT_EQ(XmlRpc::XmlRpcValue(sent[item]).asInt(), value) << "item " << item;
  }
  // The state of the context menu's item for code `index`.
  bool MenuOffers(int codeType, int index) {
    codeDefinition->ShowContextMenu(window->mapToGlobal(QPoint(300, 300)), codeType, index);
    QMenu* menu = codeDefinition->contextMenu();
    const bool offered = menu->actions().value(0)->isEnabled();
    menu->hide();
    return offered;
  }

  TwoDCodeTab* tab = nullptr;
};

TEST_P(TeachFromTheSensor, TheSensorsResultIsTaughtAndSent) {
  const SensorCase& c = GetParam();
  ASSERT_NO_FATAL_FAILURE(ReadCode(c));
  ASSERT_EQ(state().m_nReadCount, 1);
  ASSERT_NO_FATAL_FAILURE(TeachAndLeave(c));
}

// A code with a value the tab would refuse is left out of Teach and not
// offered by the menu; a reading with only such a code gives no Teach.
TEST_P(TeachFromTheSensor, ACodeTheTabRefusesIsLeftOut) {
  const SensorCase& c = GetParam();
  XmlRpc::XmlRpcValue refused;
  refused.setSize(0);
  for (const auto& v : c.refused) refused[refused.size()] = v;
  sensor.readings.setCodesPerReading(2);
  sensor.model.script().push("xmlGetCodeResult", vt::sim::ScriptedReply::value(refused));
  ASSERT_NO_FATAL_FAILURE(ReadCode(c));
  ASSERT_EQ(state().m_nReadCount, 2);
  EXPECT_FALSE(MenuOffers(c.codeType, 0));
  EXPECT_TRUE(MenuOffers(c.codeType, 1));
  // The refused code alone: nothing to teach.
  state().m_nReadCount = 1;
  codeDefinition->UpdateTeachButton(c.codeType);
  EXPECT_FALSE(tab->teachButton()->isEnabled());
  state().m_nReadCount = 2;
  codeDefinition->UpdateTeachButton(c.codeType);
  ASSERT_NO_FATAL_FAILURE(TeachAndLeave(c));
}

INSTANTIATE_TEST_SUITE_P(
    Families, TeachFromTheSensor,
    ::testing::Values(
        SensorCase{"DataMatrix", CODE_TYPE_ECC200, CMD_GET_ECC200_DATA, CMD_SET_ECC200_DATA,
                   vt::sim::CodeFamily::Ecc200,
                   [](const vt::sim::PaintedCode& p) { return FromTo(2, 3, p.rows, FromTo(0, 1, p.columns)); },
                   {0, "dark_on_light", "no", "T", 11, 12, 8.0, 8.0, 0.5, 70, 9, 10}},  // 11 rows: odd
        SensorCase{"Pdf417", CODE_TYPE_PDF417, CMD_GET_PDF417_DATA, CMD_SET_PDF417_DATA, vt::sim::CodeFamily::Pdf417,
                   [](const vt::sim::PaintedCode& p) { return FromTo(2, 3, p.rows, FromTo(0, 1, p.columns)); },
                   {0, "dark_on_light", "no", "T", 24, 103, 3.0, 3.0, 0.5, 70, 9, 10, 0}},  // 103 columns
        SensorCase{"QrCode", CODE_TYPE_QR, CMD_GET_QRCODE_DATA, CMD_SET_QRCODE_DATA, vt::sim::CodeFamily::QrCode,
                   [](const vt::sim::PaintedCode& p) {
                     return FromTo(1, 2, (p.rows - 17) / 4, FromTo(3, 4, p.rows, {{0, 2}, {14, 3}}));
                   },
                   // Version 21 of a 21-module symbol, model 170, 9 position patterns.
                   {0, "dark_on_light", "no", "T", 21, 21, 170, 9, 6.0, 6.0, 70, 9, 10, 21, 1, "QRCode"}},
        SensorCase{"MicroQr", CODE_TYPE_MICRO_QR, CMD_GET_QRCODE_DATA, CMD_SET_QRCODE_DATA,
                   vt::sim::CodeFamily::QrCode,
                   [](const vt::sim::PaintedCode& p) {
                     const int version = std::min((p.rows - 17) / 4, 4);
                     return FromTo(1, 2, version, FromTo(3, 4, 9 + 2 * version, {{14, 1}}));
                   },
                   // A QR Code symbol's values: version 2, 25 modules, 3 patterns.
                   {0, "dark_on_light", "no", "T", 25, 2, 2, 3, 6.0, 6.0, 70, 9, 10, 2, 1, "QRCode"}},
        SensorCase{"Aztec", CODE_TYPE_AZTEC, CMD_GET_AZTEC_DATA, CMD_SET_AZTEC_DATA, vt::sim::CodeFamily::Aztec,
                   [](const vt::sim::PaintedCode& p) { return FromTo(0, 1, p.rows); },
                   {0, "dark_on_light", "no", "T", 33, 33, 70, 6.0, 6.0, 0.5, 9, 10, 1, 10}}),  // no Aztec size
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace vt::test
