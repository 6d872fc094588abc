// Teach and "Use code properties" of the 2-D family tabs through the
// window's own controls: the teach button, as the last reading enables it,
// and item 32799 of the page's context menu, over result-table fixtures.
#include "family_tab_fixture.h"

#include <QMenu>
#include <QPushButton>
#include <functional>

#include "codedef/config_code_def_tab3_aztec.h"
#include "codedef/config_code_def_tab3_pdf417.h"
#include "codedef/config_code_def_tab3_qr.h"

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

}  // namespace
}  // namespace vt::test
