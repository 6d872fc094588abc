#pragma once
// CGlobalEthernetSettings: the EtherNet/IP settings: consuming assembly
// length, idle header, the three control bytes and, with segmentation on,
// the segments (offset, length) in a grid. OK stores into the record;
// Escape stores nothing.
#include <QDialog>
#include <vector>

#include "controls/grid_types.h"
#include "settings/segment_rules.h"

class CGlobalSensorSettings;
class CGridCtrl;
class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;

class CGlobalEthernetSettings : public QDialog {
  Q_OBJECT
public:
  enum Button { kEdit = 1229, kAdd = 1230, kDel = 1231, kDown = 1232, kUp = 1233 };

  CGlobalEthernetSettings(CGlobalSensorSettings& settings, QWidget* parent);
  void OnInitDialog();
  void accept() override;  // OK: the row check and the length check, then store
  void Cancel();           // Escape, or the settings dialog closing

  // The checks of the edited row; false after its message (the cell in edit again).
  bool RowCheck();
  void OnEdit();
  void OnAdd(bool beforeSelected = false);
  void OnDel();
  void OnMove(int delta);
  void OnControlByte(QCheckBox* box);
  void OnSegmentation();
  void OnIdleHeader();
  bool CheckLength();
  void EnableSegmentControls(bool on);

  CGridCtrl* grid() const { return grid_; }
  QLineEdit* lengthEdit() const { return length_; }
  QLineEdit* sizeEdit() const { return size_; }
  QCheckBox* segmentation() const { return segmentation_; }
  QCheckBox* controlByte(int i) const { return bytes_[i]; }  // 0 answer, 1 decode, 2 status
  QPushButton* button(Button b) const;
  QMenu* contextMenu() const { return menu_; }
  std::vector<SegmentRow> Rows() const;
  CCellID editedCell() const { return edited_; }

protected:
  void closeEvent(QCloseEvent* event) override;
  void reject() override;
  bool eventFilter(QObject* watched, QEvent* event) override;

private:
  int ControlBytes() const;
  void UpdateSize();
  void Renumber();
  void SelectRow(int row);
  void EditCell(int row, int col);
  int Message(int textId);
  int OnGridNotify(const GridNotifyRecord& n);
  void OnGridClick(int row, int col);
  void OnGridRightClick(int row, int col);

  CGlobalSensorSettings& settings_;
  QCheckBox* idle_ = nullptr;          // 1218
  QLineEdit* size_ = nullptr;          // 1238
  QCheckBox* bytes_[3] = {};           // 1224 answer, 1225 decode, 1226 status
  QLineEdit* length_ = nullptr;        // 1215
  QCheckBox* segmentation_ = nullptr;  // 1219
  QGroupBox* group_ = nullptr;         // 1237
  QLabel* labels_[5] = {};             // 1216, 1217, 1222, 1227 (and the unused slot)
  std::vector<QPushButton*> buttons_;  // 1229..1233
  QPushButton* ok_ = nullptr;          // 1
  QPushButton* escape_ = nullptr;      // 2
  CGridCtrl* grid_ = nullptr;          // 1236
  QMenu* menu_ = nullptr;              // 198
  CCellID current_{-1, 1};
  CCellID edited_{-1, -1};
  bool rowError_ = false;
  bool closing_ = false;
  bool editPending_ = false;
};
