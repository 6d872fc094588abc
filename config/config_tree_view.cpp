#include "config/config_tree_view.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <functional>

#include "config/config_manager.h"
#include "core/sensor_command.h"
#include "window/direct_call.h"
#include "window/main_window.h"

namespace {
constexpr int kEdgePixels = 10;

// The tree's key presses, taken on the application before other filters see them.
class TreeKeys : public QObject {
public:
  TreeKeys(QObject* tree, std::function<bool(QKeyEvent*)> onKey, QObject* parent)
      : QObject(parent), tree_(tree), onKey_(std::move(onKey)) {}
  bool eventFilter(QObject* watched, QEvent* event) override {
    return watched == tree_ && event->type() == QEvent::KeyPress && onKey_(static_cast<QKeyEvent*>(event));
  }

private:
  QObject* tree_;
  std::function<bool(QKeyEvent*)> onKey_;
};

QString Q(const std::u16string& s) { return QString::fromStdU16String(s); }
}  // namespace

CConfigTreeView::CConfigTreeView(CConfigManager& manager, QWidget* parent) : QWidget(parent), manager_(manager) {
  setObjectName(QStringLiteral("CConfigTreeView"));
  tree_ = new QTreeWidget(this);
  tree_->setObjectName(QStringLiteral("id1037"));
  tree_->setHeaderHidden(true);
  tree_->setColumnCount(1);
  tree_->setIndentation(21);
  tree_->setIconSize(QSize(16, 16));
  tree_->setUniformRowHeights(true);
  tree_->setStyleSheet(QStringLiteral("QTreeView::item { height: 19px; }"));
  tree_->setSelectionMode(QAbstractItemView::SingleSelection);
  tree_->setDragEnabled(false);
  tree_->setContextMenuPolicy(Qt::DefaultContextMenu);
  tree_->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
  tree_->header()->setStretchLastSection(false);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(tree_);
  tree_->installEventFilter(this);
  keys_ = new TreeKeys(tree_, [this](QKeyEvent* key) { return OnKey(key); }, this);
  tree_->viewport()->installEventFilter(this);
  tree_->verticalScrollBar()->installEventFilter(this);
  // The selection, not the current item: a click on empty space leaves the
  // current item but selects nothing, and the commands follow that.
  connect(tree_, &QTreeWidget::itemSelectionChanged, this, [this] {
    if (!filling_) UpdateCommandStates(selectedItem());
  });
  connect(tree_, &QTreeWidget::itemExpanded, this, [this](QTreeWidgetItem* i) { OnExpanded(i, true); });
  connect(tree_, &QTreeWidget::itemCollapsed, this, [this](QTreeWidgetItem* i) { OnExpanded(i, false); });
  dragImage_ = new QLabel(nullptr, Qt::ToolTip | Qt::FramelessWindowHint);
  dragImage_->setObjectName(QStringLiteral("dragImage"));
  dragImage_->setAttribute(Qt::WA_TransparentForMouseEvents);
  connect(this, &QObject::destroyed, dragImage_, &QObject::deleteLater);
}

void CConfigTreeView::LoadIcons(const QString& stripPath) {
  const QPixmap strip(stripPath);
  icons_.clear();
  for (int i = 0; i < TreeIcon::kCount; ++i)
    icons_.push_back(strip.isNull() ? QIcon() : QIcon(strip.copy(i * 16, 0, 16, 16)));
}

QIcon CConfigTreeView::icon(int index) const {
  return index >= 0 && index < icons_.size() ? icons_[index] : QIcon();
}

void CConfigTreeView::ReloadTexts() {
  if (CVarnisDatamatrixDlg* dlg = manager_.window()) setWindowTitle(dlg->text(1073));
}

int CConfigTreeView::IconOf(const QTreeWidgetItem* item) {
  return item ? item->data(0, IconRole).toInt() : -1;
}

void CConfigTreeView::SetIcon(QTreeWidgetItem* item, int icon) {
  if (!item) return;
  item->setData(0, IconRole, icon);
  item->setIcon(0, this->icon(icon));
}

QTreeWidgetItem* CConfigTreeView::selectedItem() const {
  const QList<QTreeWidgetItem*> selected = tree_->selectedItems();
  return selected.isEmpty() ? nullptr : selected.front();
}

QTreeWidgetItem* CConfigTreeView::itemOfGroup(int group) const {
  return group >= 1 && group <= kConfigGroups ? groups_[static_cast<std::size_t>(group - 1)] : nullptr;
}

QTreeWidgetItem* CConfigTreeView::itemOfConfig(int number) const {
  if (!root_) return nullptr;
  for (int i = 0; i < root_->childCount(); ++i) {
    QTreeWidgetItem* top = root_->child(i);
    if (top->data(0, KindRole).toInt() == ConfigItem && top->data(0, NumberRole).toInt() == number) return top;
    for (int j = 0; j < top->childCount(); ++j)
      if (top->child(j)->data(0, NumberRole).toInt() == number) return top->child(j);
  }
  return nullptr;
}

void CConfigTreeView::ShowRootText() {
  if (!root_) return;
  const MainDialogState& s = manager_.window()->state();
  // Until the sensor page writes the sensor name and location, the type names the root.
  root_->setText(0, Q(s.m_strTreeRootText.empty() ? s.m_strSensorType : s.m_strTreeRootText));
}

void CConfigTreeView::FillTree() {
  // The tree's keys come before the main window's (which swallows Esc):
  // the filter installed last on the application runs first.
  qApp->removeEventFilter(keys_);
  qApp->installEventFilter(keys_);
  filling_ = true;
  MainDialogState& s = manager_.window()->state();
  const ConfigStore& store = manager_.store();
  if (!root_) {
    root_ = new QTreeWidgetItem(tree_);
    root_->setData(0, KindRole, RootItem);
    SetIcon(root_, TreeIcon::kSensor);
    tree_->setCurrentItem(root_);
  }
  ShowRootText();
  // The items go: no handle of them may outlive the refill.
  highlighted_ = dragItem_ = dropTarget_ = pressItem_ = nullptr;
  dragging_ = false;
  for (QTreeWidgetItem* child : root_->takeChildren()) delete child;
  for (int g = 1; g <= kConfigGroups; ++g) {
    auto* item = new QTreeWidgetItem(root_);
    item->setText(0, Q(store.groupNames[static_cast<std::size_t>(g)]));
    item->setData(0, KindRole, GroupItem);
    item->setData(0, GroupRole, g);
    SetIcon(item, TreeIcon::kGroup);
    groups_[static_cast<std::size_t>(g - 1)] = item;
  }
  root_->setExpanded(true);
  for (const auto& slot : store.configSlots) {
    if (!slot) continue;
    const CConfig& c = *slot;
    QTreeWidgetItem* parent = c.group >= 1 ? itemOfGroup(c.group) : root_;
    if (!parent) continue;
    auto* item = new QTreeWidgetItem(parent);
    item->setText(0, Q(ConfigItemText(c)));
    item->setData(0, KindRole, ConfigItem);
    item->setData(0, GroupRole, c.group);
    item->setData(0, NumberRole, c.number);
    SetIcon(item, ConfigIcon(c));
    if (c.group >= 1) {
      if (c.active) SetIcon(parent, TreeIcon::kActiveGroup);
      if (expanded_[static_cast<std::size_t>(c.group - 1)]) parent->setExpanded(true);
    }
  }
  tree_->setCurrentItem(root_);
  root_->setSelected(true);
  filling_ = false;
  s.m_bLeavingConfigView = 0;
  UpdateCommandStates(root_);
}

void CConfigTreeView::OnExpanded(QTreeWidgetItem* item, bool expanded) {
  if (dragging_ || filling_ || !item || item->data(0, KindRole).toInt() != GroupItem) return;
  const int g = item->data(0, GroupRole).toInt();
  if (g >= 1 && g <= kConfigGroups) expanded_[static_cast<std::size_t>(g - 1)] = expanded ? 1 : 0;
}

void CConfigTreeView::UpdateCommandStates(QTreeWidgetItem* item) {
  if (manager_.window()->state().m_bLeavingConfigView) return;
  const int icon = item ? IconOf(item) : -1;
  const bool parentIsRoot = item && item->parent() == root_;
  const SelectionKind kind = SelectionKindOf(item ? icon : -1, parentIsRoot);
  bool groupHasConfig = false;
  bool active = false;
  if (kind == SelectionKind::Group) {
    groupHasConfig = item->childCount() > 0;
    active = icon == TreeIcon::kActiveGroup;
  } else if (kind == SelectionKind::Ungrouped) {
    active = icon == TreeIcon::kActiveConfig || icon == TreeIcon::kActiveConfigCut;
  }
  // By what the item is, not by its icon: a cut mark must not take the
  // trigger window from an ungrouped configuration.
  m_bTriggerWindowAllowed = kind == SelectionKind::Root || kind == SelectionKind::Ungrouped;
  manager_.ApplyCommandStates(CommandStatesFor(kind, groupHasConfig, active, manager_.clipboardFilled()));
}

void CConfigTreeView::RemoveCutMark() {
  if (!root_) return;
  for (int i = 0; i < root_->childCount(); ++i) {
    QTreeWidgetItem* top = root_->child(i);
    const int icon = IconOf(top);
    if (top->data(0, KindRole).toInt() == ConfigItem) {
      if (UncutIcon(icon) != icon) SetIcon(top, UncutIcon(icon));
      continue;
    }
    for (int j = 0; j < top->childCount(); ++j) {
      QTreeWidgetItem* child = top->child(j);
      if (UncutIcon(IconOf(child)) != IconOf(child)) SetIcon(child, UncutIcon(IconOf(child)));
    }
  }
}

void CConfigTreeView::MarkAsCut(int number) {
  RemoveCutMark();
  if (QTreeWidgetItem* item = itemOfConfig(number)) SetIcon(item, CutIcon(IconOf(item)));
}

int CConfigTreeView::ClearActiveMark(int& kind) {
  if (root_)
    for (int i = 0; i < root_->childCount(); ++i) {
      QTreeWidgetItem* top = root_->child(i);
      const int icon = IconOf(top);
      if (icon == TreeIcon::kActiveGroup) {
        SetIcon(top, TreeIcon::kGroup);
        break;
      }
      if (icon == TreeIcon::kActiveConfig || icon == TreeIcon::kActiveConfigCut) {
        SetIcon(top, TreeIcon::kConfig);
        break;
      }
    }
  const int icon = IconOf(selectedItem());
  if (icon == TreeIcon::kConfig || icon == TreeIcon::kActiveConfig || icon == TreeIcon::kActiveConfigCut ||
      icon == TreeIcon::kConfigCut)
    kind = 0;
  else if (icon == TreeIcon::kGroup || icon == TreeIcon::kActiveGroup)
    kind = 1;
  return 0;
}

int CConfigTreeView::GetSelectedItemType() const {
  const int icon = IconOf(selectedItem());
  if (icon == TreeIcon::kSensor) return 0;
  if (icon == TreeIcon::kGroup || icon == TreeIcon::kActiveGroup) return 1;
  return -1;
}

int CConfigTreeView::dragNumber() const {
  return dragItem_ ? dragItem_->data(0, NumberRole).toInt() : -1;
}

int CConfigTreeView::dropGroup() const {
  QTreeWidgetItem* target = dropTarget_;
  if (!target) return 0;
  const int kind = target->data(0, KindRole).toInt();
  if (kind == GroupItem) return target->data(0, GroupRole).toInt();
  if (kind == ConfigItem) return target->data(0, GroupRole).toInt();
  return 0;
}

// --- Keys, context menu and drag ---

bool CConfigTreeView::eventFilter(QObject* watched, QEvent* event) {
  const bool viewport = watched == tree_->viewport();
  switch (event->type()) {
    case QEvent::KeyPress:
      if (watched == tree_) return OnKey(static_cast<QKeyEvent*>(event));
      break;
    case QEvent::ContextMenu:
      if (watched == tree_ || viewport) {
        auto* menu = static_cast<QContextMenuEvent*>(event);
        const bool keyboard = menu->reason() == QContextMenuEvent::Keyboard;
        OnContextMenu(keyboard, viewport ? menu->pos() : tree_->viewport()->mapFrom(tree_, menu->pos()));
        return true;
      }
      break;
    case QEvent::MouseButtonPress:
      if (viewport) {
        auto* mouse = static_cast<QMouseEvent*>(event);
        tree_->setFocus();
        if (mouse->button() == Qt::LeftButton) {
          pressPos_ = mouse->position().toPoint();
          pressItem_ = tree_->itemAt(pressPos_);
        }
      }
      break;
    case QEvent::MouseMove:
      if (viewport) {
        auto* mouse = static_cast<QMouseEvent*>(event);
        const QPoint pos = mouse->position().toPoint();
        if (dragging_) {
          DragMove(pos, mouse->modifiers());
          return true;
        }
        if ((mouse->buttons() & Qt::LeftButton) && pressItem_ &&
            (pos - pressPos_).manhattanLength() >= QApplication::startDragDistance()) {
          QTreeWidgetItem* item = pressItem_;
          pressItem_ = nullptr;
          BeginDrag(item);
          if (dragging_) DragMove(pos, mouse->modifiers());
          return true;
        }
      }
      break;
    case QEvent::MouseButtonRelease:
      if (viewport) {
        pressItem_ = nullptr;
        if (dragging_) {
          Drop();
          return true;
        }
      }
      break;
    case QEvent::Wheel:
      if (dragging_) dragImage_->hide();
      break;
    default:
      break;
  }
  return QWidget::eventFilter(watched, event);
}

bool CConfigTreeView::OnKey(QKeyEvent* key) {
  MainDialogState& s = manager_.window()->state();
  QTreeWidgetItem* item = selectedItem();
  const int icon = IconOf(item);
  const bool isConfig = item && item->data(0, KindRole).toInt() == ConfigItem;
  const bool ctrl = key->modifiers() & Qt::ControlModifier;
  if (dragging_ && key->key() == Qt::Key_Escape) {
    CancelDrag();
    return true;
  }
  switch (key->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
      return true;
    case Qt::Key_Escape:
      RemoveCutMark();
      // A copy stays on the clipboard; a cut is dropped.
      if (manager_.clipboardFilled() && !manager_.clipboardIsCopy()) manager_.ClearClipboard();
      return true;
    case Qt::Key_Delete:
      if (s.m_bLeavingConfigView) return true;
      if (isConfig) {
        if (!manager_.deletePending()) manager_.DeleteSelectedConfig();
        return true;
      }
      return item != nullptr;
    default:
      break;
  }
  if (ctrl && (key->key() == Qt::Key_C || key->key() == Qt::Key_X) && isConfig && icon != TreeIcon::kGroup) {
    const int r = key->key() == Qt::Key_C ? manager_.Copy() : manager_.Cut();
    (void)r;  // the key is the command's either way
    return true;
  }
  if (ctrl && key->key() == Qt::Key_V) {
    if (manager_.clipboardFilled() && !isConfig) manager_.PasteClipboardConfig();
    return true;
  }
  return false;
}

void CConfigTreeView::OnContextMenu(bool keyboard, QPoint viewportPos) {
  CVarnisDatamatrixDlg* dlg = manager_.window();
  SetDropHighlight(nullptr);
  QTreeWidgetItem* item = keyboard ? selectedItem() : tree_->itemAt(viewportPos);
  if (!keyboard) {
    tree_->clearSelection();
    if (item) {
      tree_->setCurrentItem(item);
      item->setSelected(true);
    }
  }
  if (dlg->state().m_bLeavingConfigView) return;
  UpdateCommandStates(item);
  QMenu* menu = dlg->popupOfText(200);
  if (!menu) return;
  lastMenuPos_ = keyboard ? mapToGlobal(QPoint(5, 5)) : tree_->viewport()->mapToGlobal(viewportPos);
  menu->popup(lastMenuPos_);
}

void CConfigTreeView::BeginDrag(QTreeWidgetItem* item) {
  dragItem_ = item;
  tree_->clearSelection();
  const int icon = IconOf(item);
  if (icon == TreeIcon::kGroup || icon == TreeIcon::kSensor || icon == TreeIcon::kActiveGroup) {
    manager_.Message(6033);
    dragItem_ = nullptr;
    return;
  }
  m_bTriggerWindowAllowed = item->parent() == root_;
  // The image dragged with the cursor: the item's icon and text.
  const QRect rect = tree_->visualItemRect(item);
  QPixmap pixmap(rect.width() + 4, rect.height());
  pixmap.fill(Qt::transparent);
  {
    QPainter p(&pixmap);
    p.setOpacity(0.7);
    this->icon(icon).paint(&p, QRect(2, (rect.height() - 16) / 2, 16, 16));
    p.drawText(QRect(22, 0, rect.width(), rect.height()), Qt::AlignVCenter, item->text(0));
  }
  dragImage_->setPixmap(pixmap);
  dragImage_->resize(pixmap.size());
  dropTarget_ = item;
  dragging_ = true;
  outside_ = false;
  copyDrag_ = false;
  tree_->viewport()->setCursor(Qt::BlankCursor);
}

void CConfigTreeView::DragMove(QPoint pos, Qt::KeyboardModifiers modifiers) {
  if (modifiers & Qt::ControlModifier) copyDrag_ = true;
  dragImage_->move(tree_->viewport()->mapToGlobal(pos) - QPoint(15, 15));
  if (tree_->viewport()->rect().contains(pos)) {
    dropTarget_ = tree_->itemAt(pos);
    if (dropTarget_) dropTarget_->setExpanded(true);
    SetDropHighlight(dropTarget_);
    dragImage_->show();
    if (pos.y() < kEdgePixels)
      tree_->verticalScrollBar()->triggerAction(QAbstractSlider::SliderSingleStepSub);
    else if (pos.y() > tree_->viewport()->height() - kEdgePixels)
      tree_->verticalScrollBar()->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    outside_ = false;
  } else {
    SetDropHighlight(nullptr);
    outside_ = true;
  }
}

void CConfigTreeView::SetDropHighlight(QTreeWidgetItem* item) {
  if (highlighted_ == item) return;
  if (highlighted_) highlighted_->setBackground(0, QBrush());
  highlighted_ = item;
  if (item) item->setBackground(0, palette().brush(QPalette::Highlight));
}

void CConfigTreeView::CancelDrag() {
  dragImage_->hide();
  RemoveCutMark();
  tree_->viewport()->unsetCursor();
  SetDropHighlight(nullptr);
  dragging_ = false;
  dragItem_ = nullptr;
  dropTarget_ = nullptr;
}

void CConfigTreeView::Drop() {
  dragImage_->hide();
  SetDropHighlight(nullptr);
  tree_->viewport()->unsetCursor();
  // The list read after the last change first: when it refills the tree,
  // the dragged item is gone and the drop does nothing.
  WaitForOutstandingCommands(manager_.window()->state());
  if (dragging_ && dropTarget_ != dragItem_ && !outside_) {
    // The drop target's group: the root (no item), a group, or a configuration's parent.
    const bool toRoot = dropGroup() == 0;
    int r = copyDrag_ ? manager_.Copy() : manager_.Cut();
    // The root takes a configuration that uses the trigger window: a copy
    // goes on as Paste onto the root does; a cut is refused there as the
    // move into its own group.
    if (r == -1 && toRoot) r = 0;
    if (r == -1) {
      manager_.Message(toRoot ? 6035 : 5999);
      manager_.ClearClipboard();
      RemoveCutMark();
    } else if (r == 0 && copyDrag_) {
      manager_.window()->state().m_bPasteAsCopy = 1;
      if (manager_.CheckFreeSlot() != 0) {
        manager_.Message(6036);
        manager_.setMayPasteIntoGroup(0);
        RemoveCutMark();
      } else if (manager_.dialogs()) {
        manager_.dialogs()->RunNewItem(false);
      }
    } else if (r == 0) {
      if (manager_.MoveOrCopyClipboard({}, {}) == -1) {
        manager_.Message(6035);
        manager_.setMayPasteIntoGroup(0);
        RemoveCutMark();
        manager_.ClearClipboard();
      }
    }
  }
  dragging_ = false;
  dragItem_ = nullptr;
  dropTarget_ = nullptr;
  tree_->viewport()->update();
}
