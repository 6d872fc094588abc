#pragma once
// CConfigFuncTestSeq: the last readings of the function test. Row n of the
// grid stands for position n - 1 of the window's stored images and shows
// that reading's picture framed in its verdict's colour. Display shows the
// chosen readings again in the view with their messages; Save writes each
// as a picture and a small page.
#include <QWidget>
#include <functional>
#include <vector>

class CGridCtrl;
class CVarnisDatamatrixDlg;
class ImageStoreService;
class QLabel;
class QPushButton;
struct GridNotifyRecord;

class CConfigFuncTestSeq : public QWidget {
  Q_OBJECT
public:
  static constexpr int kRows = 32;
  static constexpr int kRowHeight = 48;
  static constexpr int kNumberWidth = 41;
  static constexpr int kPictureWidth = 68;

  explicit CConfigFuncTestSeq(QWidget* parent = nullptr);
  ~CConfigFuncTestSeq() override;

  void Attach(CVarnisDatamatrixDlg& dlg);
  // Whether a row may be shown again: the live image off and the test off.
  void setDisplayAllowed(std::function<bool()> allowed) { displayAllowed_ = std::move(allowed); }
  void LoadLanguageTexts();
  // Display and Save on or off; on only while readings are kept (without
  // one they would do nothing).
  void EnableButtons(bool enable);
  // The kept readings changed (a reading stored, the store emptied).
  void RefreshButtons() { EnableButtons(buttonsWanted_); }
  void EnableList(bool enable);
  // Back to the first row, the highlight on row 1 alone, the grid focused.
  void HighlightFirstRow();
  void HighlightRow(int row);

  void OnDisplay();
  void OnSave();

  CGridCtrl* grid() const { return grid_; }
  QPushButton* displayButton() const { return display_; }
  QPushButton* saveButton() const { return save_; }
  QLabel* label() const { return label_; }
  // Set by Display, cleared when a test starts or stops.
  bool m_bDisplay = false;

protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

private:
  int OnGridNotify(const GridNotifyRecord& n);
  // The rows from the first whose picture cell is selected or focused.
  std::vector<int> ChosenRows() const;
  bool DisplayAllowed() const { return !displayAllowed_ || displayAllowed_(); }
  ImageStoreService* store() const;
  QString SaveFolder() const;
  bool busy() const;

  CVarnisDatamatrixDlg* dlg_ = nullptr;
  CGridCtrl* grid_ = nullptr;
  QLabel* label_ = nullptr;
  QPushButton* display_ = nullptr;
  QPushButton* save_ = nullptr;
  std::function<bool()> displayAllowed_;
  bool buttonsWanted_ = true;
};
