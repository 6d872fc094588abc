#include "quality_parameter_dlg.h"

#include <QGroupBox>
#include <algorithm>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <vector>

#include "ok_cancel_row.h"
#include "resources/program_bitmaps.h"
#include "window/main_window.h"

namespace {

QRadioButton* MakeRadio(QWidget* parent, int id) {
  auto* radio = new QRadioButton(parent);
  radio->setObjectName(QStringLiteral("id%1").arg(id));
  return radio;
}

}  // namespace

CQualityParameterDlg::CQualityParameterDlg(CVarnisDatamatrixDlg& dlg) : QDialog(dlg.messageOwner()), dlg_(dlg) {
  setObjectName(QStringLiteral("CQualityParameterDlg"));
  const QPixmap strip = ProgramBitmaps::bitmap(ProgramBitmaps::kQualityChecks);
  constexpr int size = ProgramBitmaps::kQualityCheckSize;
  for (int i = 0; i < 3; ++i) images_[static_cast<std::size_t>(i)] = QIcon(strip.copy(i * size, 0, size, size));

  auto* layout = new QVBoxLayout(this);
  treeLabel_ = new QLabel(this);
  treeLabel_->setObjectName(QStringLiteral("id1260"));
  layout->addWidget(treeLabel_);
  tree_ = new QTreeWidget(this);
  tree_->setObjectName(QStringLiteral("id1255"));
  tree_->setHeaderHidden(true);
  tree_->setColumnCount(1);
  tree_->setIconSize(QSize(size, size));
  tree_->setRootIsDecorated(true);
  tree_->setMinimumSize(300, 260);
  layout->addWidget(tree_, 1);

  overallBox_ = new QGroupBox(this);
  overallBox_->setObjectName(QStringLiteral("id1261"));
  auto* radios = new QVBoxLayout(overallBox_);
  noOverall_ = MakeRadio(overallBox_, 1257);
  overallAll_ = MakeRadio(overallBox_, 1258);
  overallSelected_ = MakeRadio(overallBox_, 1259);
  radios->addWidget(noOverall_);
  radios->addWidget(overallAll_);
  radios->addWidget(overallSelected_);
  layout->addWidget(overallBox_);

  const OkCancelButtons buttons = AddOkCancelRow(*this, *layout);
  ok_ = buttons.ok;
  cancel_ = buttons.cancel;
  connect(noOverall_, &QRadioButton::clicked, this, [this] { mode_ = kNoOverall; });
  connect(overallAll_, &QRadioButton::clicked, this, [this] { mode_ = kOverallAll; });
  connect(overallSelected_, &QRadioButton::clicked, this, [this] { mode_ = kOverallSelected; });
  connect(tree_, &QTreeWidget::itemClicked, this, [this](QTreeWidgetItem* item, int) { OnItemClicked(item); });
  // A disconnect closes the dialog; nothing is taken.
  connect(&dlg_, &CVarnisDatamatrixDlg::userInterfaceReset, this, &QDialog::reject);
}

QRadioButton* CQualityParameterDlg::radio(int id) const {
  switch (id) {
    case 1257: return noOverall_;
    case 1258: return overallAll_;
    case 1259: return overallSelected_;
    default: return nullptr;
  }
}

void CQualityParameterDlg::SetData(const QualityTreeMap& map, int mode, const QString& codeName) {
  map_ = map;
  mode_ = mode;
  codeName_ = codeName;
}

void CQualityParameterDlg::GetData(QualityTreeMap& map, int& mode) const {
  map = map_;
  mode = mode_;
}

int CQualityParameterDlg::Run() {
  OnInitDialog();
  return dlg_.prompt().runDialog(*this);
}

void CQualityParameterDlg::OnInitDialog() {
  LoadLanguageTexts();
  // Any other stored mode (2 among them) shows as no overall quality.
  QRadioButton* checked = mode_ == kOverallAll ? overallAll_ : mode_ == kOverallSelected ? overallSelected_ : noOverall_;
  for (QRadioButton* r : {noOverall_, overallAll_, overallSelected_}) {
    r->setAutoExclusive(false);
    r->setChecked(r == checked);
    r->setAutoExclusive(true);
  }
  FillTree();
}

void CQualityParameterDlg::LoadLanguageTexts() {
  const QString title = dlg_.text(20035);
  setWindowTitle(map_.empty() ? title : QStringLiteral("%1: %2").arg(title, codeName_));
  treeLabel_->setText(title);
  overallBox_->setTitle(dlg_.text(8201));
  noOverall_->setText(dlg_.text(8193));
  overallAll_->setText(dlg_.text(8194));
  overallSelected_->setText(dlg_.text(8195));
  ok_->setText(dlg_.text(9203));
  cancel_->setText(dlg_.text(9204));
}

// A group of level L is the parent of the rows of level L + 1 that follow it;
// the root (the code's name) is the parent of level 1.
void CQualityParameterDlg::FillTree() {
  tree_->clear();
  if (map_.empty()) return;
  auto* root = new QTreeWidgetItem(tree_, QStringList(codeName_));
  root->setIcon(0, images_[kImageGroup]);
  root->setData(0, kImageRole, kImageGroup);
  std::vector<QTreeWidgetItem*> parents{root};
  for (const auto& [key, row] : map_) {
    const int level = std::max(1, row.level);
    QTreeWidgetItem* parent = parents[static_cast<std::size_t>(std::min<int>(level, static_cast<int>(parents.size())) - 1)];
    auto* item = new QTreeWidgetItem(parent, QStringList(QString::fromStdU16String(row.text)));
    if (row.selected == QualityTreeItem::kHeading) {
      item->setIcon(0, images_[kImageGroup]);
      item->setData(0, kImageRole, kImageGroup);
      parents.resize(static_cast<std::size_t>(level));
      parents.push_back(item);
      continue;
    }
    const Image image = row.selected != 0 ? kImageOn : kImageOff;
    item->setIcon(0, images_[image]);
    item->setData(0, kImageRole, image);
    item->setData(0, kKeyRole, key);
  }
  tree_->expandAll();
}

void CQualityParameterDlg::OnItemClicked(QTreeWidgetItem* item) {
  if (!item) return;
  tree_->setCurrentItem(item);
  const int image = item->data(0, kImageRole).toInt();
  if (image == kImageGroup) return;
  const auto found = map_.find(item->data(0, kKeyRole).toInt());
  if (found == map_.end()) return;
  const Image flipped = image == kImageOn ? kImageOff : kImageOn;
  item->setIcon(0, images_[flipped]);
  item->setData(0, kImageRole, flipped);
  found->second.selected = flipped == kImageOn ? 1 : 0;
}
