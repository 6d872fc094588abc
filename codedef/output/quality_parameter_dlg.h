#pragma once
// CQualityParameterDlg: which print-quality parameters of the code family
// the sensor appends to its output, and how the overall quality is formed.
// The caller hands in the family's tree map (built by its quality converter),
// the overall-quality mode and the code's name, runs it, and on Accepted
// takes the map and the mode back. Rows are check images, not check boxes:
// a click on a parameter flips it, a group never changes.
#include <QDialog>
#include <QIcon>
#include <array>

#include "core/main_dialog_state.h"

class CVarnisDatamatrixDlg;
class QGroupBox;
class QLabel;
class QRadioButton;
class QTreeWidget;
class QTreeWidgetItem;

class CQualityParameterDlg : public QDialog {
  Q_OBJECT
public:
  // Overall-quality modes: none, of all parameters, of the selected ones.
  static constexpr int kNoOverall = 0;
  static constexpr int kOverallAll = 1;
  static constexpr int kOverallSelected = 3;
  // The check images: parameter off, parameter on, group.
  enum Image { kImageOff = 0, kImageOn = 1, kImageGroup = 2 };
  // Item data: the map key of a parameter row, and the image it shows.
  static constexpr int kKeyRole = Qt::UserRole;
  static constexpr int kImageRole = Qt::UserRole + 1;

  explicit CQualityParameterDlg(CVarnisDatamatrixDlg& dlg);

  void SetData(const QualityTreeMap& map, int mode, const QString& codeName);
  void GetData(QualityTreeMap& map, int& mode) const;

  // Fills the dialog and runs it through the program's prompt (modal).
  int Run();

  QTreeWidget* tree() const { return tree_; }
  QRadioButton* radio(int id) const;  // 1257, 1258, 1259
  const QIcon& image(Image which) const { return images_[which]; }

private:
  void OnInitDialog();
  void LoadLanguageTexts();
  void FillTree();
  void OnItemClicked(QTreeWidgetItem* item);

  CVarnisDatamatrixDlg& dlg_;
  std::array<QIcon, 3> images_;
  QTreeWidget* tree_ = nullptr;       // 1255
  QRadioButton* noOverall_ = nullptr;  // 1257
  QRadioButton* overallAll_ = nullptr;  // 1258
  QRadioButton* overallSelected_ = nullptr;  // 1259
  QGroupBox* overallBox_ = nullptr;   // 1261
  QLabel* treeLabel_ = nullptr;       // 1260
  class QPushButton* ok_ = nullptr;
  class QPushButton* cancel_ = nullptr;
  QualityTreeMap map_;
  int mode_ = kNoOverall;
  QString codeName_;
};
