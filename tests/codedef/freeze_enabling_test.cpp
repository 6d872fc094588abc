// Live then Freeze on the code definition page gives every family tab its
// controls back as the family has them: what the family keeps off (the QR
// sizes that follow from the versions, Micro QR's model list, a bar code's
// counts and height) stays off, and the sensor gets what the tab shows.
#include "family_tab_fixture.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QToolButton>

#include "codedef/config_code_def_tab3_pharma_etc.h"
#include "codedef/config_code_def_tab3_qr.h"

namespace vt::test {
namespace {

struct FreezeCase {
  const char* name;
  int codeType;
  int getCommand;
  std::function<void(CodeTab*)> before;  // on the tab before Live
};
void PrintTo(const FreezeCase& c, std::ostream* os) { *os << c.name; }

// Each control of the tab (labels aside) with its enabled state.
std::string Enabling(CodeTab* tab) {
  QStringList out;
  for (QWidget* w : tab->findChildren<QWidget*>()) {
    if (qobject_cast<QLabel*>(w)) continue;
    const QString name = w->objectName().isEmpty() ? QString(w->metaObject()->className()) : w->objectName();
    out << QStringLiteral("%1:%2").arg(name).arg(w->isEnabled() ? 1 : 0);
  }
  return out.join(' ').toStdString();
}

struct FreezeEnabling : FamilyTabFixture, ::testing::WithParamInterface<FreezeCase> {
  QAbstractButton* PageButton(int id) { return codeDefinition->findChild<QAbstractButton*>(QStringLiteral("id%1").arg(id)); }
  // Live (1082) or Freeze (1081) clicked and its command answered.
  void Press(int button, int command, bool live) {
    const int before = Count(command);
    ClickAt(PageButton(button));
    ASSERT_TRUE(WaitHandled(command, before + 1));
    ASSERT_TRUE(Idle());
    ASSERT_EQ(codeDefinition->live(), live);
  }
  void Live() { Press(1082, CMD_START_LIVE_IMAGE, true); }
  void Freeze() { Press(1081, CMD_STOP_LIVE_IMAGE, false); }
  void LiveThenFreeze() {
    ASSERT_NO_FATAL_FAILURE(Live());
    ASSERT_NO_FATAL_FAILURE(Freeze());
  }
};

TEST_P(FreezeEnabling, FreezeGivesBackWhatTheFamilyHad) {
  const FreezeCase& c = GetParam();
  OpenConfiguration(c.codeType);
  ASSERT_NO_FATAL_FAILURE(EnterCodeTab(c.getCommand));
  CodeTab* tab = codeDefinition->codeTab();
  if (c.before) c.before(tab);
  const std::string frozen = Enabling(tab);
  ASSERT_NO_FATAL_FAILURE(Live());
  EXPECT_EQ(Enabling(tab).find(":1"), std::string::npos) << Enabling(tab);
  ASSERT_NO_FATAL_FAILURE(Freeze());
  EXPECT_EQ(Enabling(tab), frozen);
  EXPECT_TRUE(Texts().isEmpty()) << Texts().join('|').toStdString();
}

const FreezeCase kFreezeCases[] = {
    {"DataMatrix", CODE_TYPE_ECC200, CMD_GET_ECC200_DATA, {}},
    {"Pdf417", CODE_TYPE_PDF417, CMD_GET_PDF417_DATA, {}},
    {"QrCode", CODE_TYPE_QR, CMD_GET_QRCODE_DATA, {}},
    {"MicroQr", CODE_TYPE_MICRO_QR, CMD_GET_QRCODE_DATA, {}},
    {"Aztec", CODE_TYPE_AZTEC, CMD_GET_AZTEC_DATA, {}},
    {"Ean13", CODE_TYPE_EAN13, CMD_GET_BARCODE_DATA, {}},
    {"PharmaCode", CODE_TYPE_PHARMACODE, CMD_GET_BARCODE_DATA, {}},
    {"Code128Automatic", CODE_TYPE_CODE128, CMD_GET_BARCODE_DATA,
     [](CodeTab* tab) {
       auto* barCode = qobject_cast<CConfigCodeDefTab3PharmaEtc*>(tab);
       if (!barCode->automatic()->isChecked()) FamilyTabFixture::ClickCheck(barCode->automatic());
     }},
};

INSTANTIATE_TEST_SUITE_P(Families, FreezeEnabling, ::testing::ValuesIn(kFreezeCases),
                         [](const auto& info) { return std::string(info.param.name); });

// One click on the greyed size spin after Freeze changes nothing: the sensor
// gets the size that goes with the version.
TEST_F(FreezeEnabling, TheQrSizesStayWithTheVersionsAfterFreeze) {
  using Tab = CConfigCodeDefTab3QR;
  OpenConfiguration(CODE_TYPE_QR);
  ASSERT_NO_FATAL_FAILURE(EnterCodeTab(CMD_GET_QRCODE_DATA));
  auto* tab = CodeTabAs<Tab>();
  ASSERT_NE(tab, nullptr);
  tab->modelType()->setCurrentIndex(1);  // versions 1..40, sizes 21..177
  ASSERT_EQ(tab->edit(Tab::SizeMax)->text(), "177");
  ASSERT_NO_FATAL_FAILURE(LiveThenFreeze());
  EXPECT_FALSE(tab->spin(Tab::SizeMin)->isEnabled());
  EXPECT_FALSE(tab->spin(Tab::SizeMax)->isEnabled());
  auto* down = tab->spin(Tab::SizeMax)->findChild<QToolButton*>(QStringLiteral("down"));
  ClickAt(down);
  EXPECT_EQ(tab->edit(Tab::SizeMax)->text(), "177");
  SaveScreenshot(*codeDefinition, "code_definition_tab2_qr_frozen");
  ASSERT_NO_FATAL_FAILURE(LeaveToTab0(CMD_SET_QRCODE_DATA));
  const QStringList sent = ItemTexts(CodeData(vt::sim::CodeFamily::QrCode));
  EXPECT_EQ(sent[2], "40");   // version to
  EXPECT_EQ(sent[4], "177");  // size to
}

}  // namespace
}  // namespace vt::test
