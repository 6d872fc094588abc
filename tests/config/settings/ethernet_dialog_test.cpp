// The EtherNet/IP dialog: its grid filled from the stored text and stored
// back, the row checks, Add, Del, Up and Down, and the length on OK.
#include "settings_fixture.h"

#include <QMenu>

#include "controls/grid_ctrl.h"
#include "settings/ethernet_dialog.h"

namespace {

class EthernetFixture : public SettingsFixture {
protected:
  CGlobalEthernetSettings& Eth() {
    CGlobalEthernetSettings& e = *dialog().processPage()->ethernet();
    return e;
  }
  void OpenEthernet() {
    Open();
    Eth().OnInitDialog();
    Eth().show();
  }
  QString Cell(int row, int col) { return Eth().grid()->GetCellText(row, col); }
  // Types into a cell as an edit would leave it, and marks the row edited.
  void EditRow(int row, const QString& offset, const QString& length) {
    Eth().grid()->SetCellText(row, 1, offset);
    Eth().grid()->SetCellText(row, 2, length);
    Eth().grid()->ClearSelectedRange();
    Eth().grid()->SelectCellRange(row, 0, row, 2, true, true);
    Eth().OnEdit();
  }
};

TEST_F(EthernetFixture, FillsTwoRowsAndStoresThemUnchanged) {
  OpenEthernet();
  ASSERT_EQ(Eth().grid()->GetRowCount(), 3);
  EXPECT_EQ(Cell(1, 0), "1");
  EXPECT_EQ(Cell(1, 1), "10");
  EXPECT_EQ(Cell(1, 2), "20");
  EXPECT_EQ(Cell(2, 1), "30");
  EXPECT_EQ(Cell(2, 2), "40");
  EXPECT_EQ(Eth().sizeEdit()->text(), QStringLiteral("60 %1").arg(Text(7846)));
  SaveScreenshot(Eth(), "ethernet_settings");
  Eth().accept();
  EXPECT_EQ(state().m_SensorGlobalRecords.procIf.AssemblySegments.view(), "10#20#30#40");
  EXPECT_EQ(state().m_SensorGlobalRecords.procIf.NumberOfAssemblySegments, 2);
}

TEST_F(EthernetFixture, RowChecksRefuseWithTheirMessage) {
  struct Case {
    const char* offset;
    const char* length;
    int message;  // 0: passes
  } cases[] = {{"449", "1", 0}, {"450", "0", 9940}, {"0", "410", 0}, {"0", "451", 9941}, {"300", "200", 9942}};
  for (const Case& c : cases) {
    OpenEthernet();
    EditRow(1, c.offset, c.length);
    prompt.clear();
    EXPECT_EQ(Eth().RowCheck(), c.message == 0) << c.offset << "/" << c.length;
    EXPECT_EQ(Messages(), c.message ? QStringList{Text(c.message)} : QStringList{}) << c.offset;
    Eth().Cancel();
    dialog().OnEscape();
  }
}

TEST_F(EthernetFixture, ThirdControlByteOverTheLimitIsRefused) {
  OpenEthernet();
  EditRow(1, "0", "200");
  EditRow(2, "200", "249");  // 449 bytes
  ASSERT_TRUE(Eth().RowCheck());
  Eth().controlByte(0)->click();
  EXPECT_TRUE(Eth().controlByte(0)->isChecked());  // 450
  prompt.clear();
  Eth().controlByte(1)->click();
  EXPECT_EQ(Messages(), QStringList{Text(9943)});
  EXPECT_FALSE(Eth().controlByte(1)->isChecked());
}

TEST_F(EthernetFixture, AddDelUpDownAndTheOnlySegment) {
  OpenEthernet();
  Eth().button(CGlobalEthernetSettings::kAdd)->setEnabled(true);
  Eth().OnAdd();
  ASSERT_EQ(Eth().grid()->GetRowCount(), 4);
  EXPECT_EQ(Cell(3, 0), "3");
  EXPECT_EQ(Cell(3, 1), "0");
  // The menu's Add inserts before the selected row.
  Eth().grid()->ClearSelectedRange();
  Eth().grid()->SelectCellRange(2, 0, 2, 2, true, true);
  Eth().OnAdd(true);
  EXPECT_EQ(Cell(2, 1), "0");
  EXPECT_EQ(Cell(3, 1), "30");
  EXPECT_EQ(Cell(3, 0), "3");
  // Up moves the selected row and renumbers.
  Eth().grid()->ClearSelectedRange();
  Eth().grid()->SelectCellRange(3, 0, 3, 2, true, true);
  Eth().OnMove(-1);
  EXPECT_EQ(Cell(2, 1), "30");
  EXPECT_EQ(Cell(2, 0), "2");
  Eth().OnMove(1);
  EXPECT_EQ(Cell(3, 1), "30");
  // Delete down to one segment; the last one stays.
  for (int n = 0; n < 3; ++n) {
    Eth().grid()->ClearSelectedRange();
    Eth().grid()->SelectCellRange(1, 0, 1, 2, true, true);
    Eth().OnDel();
  }
  EXPECT_EQ(Eth().grid()->GetRowCount(), 2);
  prompt.clear();
  Eth().grid()->SelectCellRange(1, 0, 1, 2, true, true);
  Eth().OnDel();
  EXPECT_EQ(Messages(), QStringList{Text(9944)});
  EXPECT_EQ(Eth().grid()->GetRowCount(), 2);
}

// Edit opens the selected row's cell again; the size text follows the rows and the control bytes.
TEST_F(EthernetFixture, EditReopensACellAndTheSizeFollows) {
  OpenEthernet();
  Eth().grid()->ClearSelectedRange();
  Eth().grid()->SelectCellRange(2, 0, 2, 2, true, true);
  Eth().OnEdit();
  EXPECT_EQ(Eth().editedCell().row, 2);
  EXPECT_EQ(Eth().editedCell().col, 1);
  Eth().grid()->SetCellText(2, 2, "060");
  Eth().controlByte(0)->click();
  EXPECT_TRUE(Eth().controlByte(0)->isChecked());
  EXPECT_EQ(Eth().sizeEdit()->text(), QStringLiteral("81 %1").arg(Text(7846)));
  EXPECT_EQ(Cell(2, 2), "60");
  Eth().accept();
  EXPECT_EQ(state().m_SensorGlobalRecords.procIf.AssemblySegments.view(), "10#20#30#60");
  EXPECT_EQ(state().m_SensorGlobalRecords.procIf.UseAnswerControleByte, 1);
}

TEST_F(EthernetFixture, LengthIsCheckedOnOkAndEscapeStoresNothing) {
  for (const char* length : {"0", "451", "999"}) {
    OpenEthernet();
    Eth().lengthEdit()->setText(length);
    prompt.clear();
    Eth().accept();
    EXPECT_EQ(Messages(), QStringList{Text(9945)}) << length;
    EXPECT_TRUE(Eth().isVisible());
    EXPECT_EQ(state().m_SensorGlobalRecords.procIf.ConsumingAssemblyLength, 32);
    Eth().Cancel();
    dialog().OnEscape();
  }
  OpenEthernet();
  Eth().lengthEdit()->setText("64");
  Eth().Cancel();
  EXPECT_EQ(state().m_SensorGlobalRecords.procIf.ConsumingAssemblyLength, 32);
}

TEST_F(EthernetFixture, SegmentCountFromTheSensorIsClamped) {
  state().m_SensorGlobalRecords.procIf.NumberOfAssemblySegments = 1000000;
  ASSERT_EQ(PackGlobalRecords(state()), 0);
  OpenEthernet();
  EXPECT_EQ(Eth().grid()->GetRowCount(), 451);
}

}  // namespace
