#pragma once
// CConfigTreeView: the sensor, its 8 groups and the configurations as a
// tree. It marks items (cut, active), reports the selection, enables the
// configuration commands for it, and takes keys, the context menu and
// drag and drop (own mouse tracking, so tests drive it with QTest).
#include <QPoint>
#include <QPointer>
#include <QWidget>
#include <array>

#include "core/config_store.h"

class CConfigManager;
class QLabel;
class QTreeWidget;
class QTreeWidgetItem;

class CConfigTreeView : public QWidget {
  Q_OBJECT
public:
  // Item data: what the item is, its group and number (never parsed from texts).
  enum Role { KindRole = Qt::UserRole + 1, GroupRole, NumberRole, IconRole };
  enum Kind { RootItem = 0, GroupItem = 1, ConfigItem = 2 };

  explicit CConfigTreeView(CConfigManager& manager, QWidget* parent = nullptr);

  QTreeWidget* tree() const { return tree_; }
  void LoadIcons(const QString& stripPath);
  void ReloadTexts();

  void FillTree();
  // The root names the sensor as the sensor page last read or wrote it.
  void ShowRootText();
  void UpdateCommandStates(QTreeWidgetItem* item);
  void RemoveCutMark();
  void MarkAsCut(int number);
  // Resets the active icon; kind 0 configuration, 1 group (else unchanged).
  int ClearActiveMark(int& kind);
  // 0 root, 1 group, -1 otherwise.
  int GetSelectedItemType() const;
  QTreeWidgetItem* selectedItem() const;
  QTreeWidgetItem* itemOfConfig(int number) const;
  QTreeWidgetItem* itemOfGroup(int group) const;
  QTreeWidgetItem* rootItem() const { return root_; }
  static int IconOf(const QTreeWidgetItem* item);
  void SetIcon(QTreeWidgetItem* item, int icon);
  QIcon icon(int index) const;

  // Drag state, as the manager's cut, copy and move read it.
  bool dragging() const { return dragging_; }
  int dragNumber() const;
  // The group a drop lands in: 1..8, 0 no group.
  int dropGroup() const;
  void clearDragging() { dragging_ = false; }
  bool m_bTriggerWindowAllowed = true;
  // Where the context menu was last shown (global), for tests.
  QPoint lastMenuPosition() const { return lastMenuPos_; }

protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

private:
  bool OnKey(QKeyEvent* key);
  void OnContextMenu(bool keyboard, QPoint viewportPos);
  void BeginDrag(QTreeWidgetItem* item);
  void DragMove(QPoint viewportPos, Qt::KeyboardModifiers modifiers);
  void Drop();
  void CancelDrag();
  void SetDropHighlight(QTreeWidgetItem* item);
  void OnExpanded(QTreeWidgetItem* item, bool expanded);

  CConfigManager& manager_;
  QTreeWidget* tree_ = nullptr;
  QTreeWidgetItem* root_ = nullptr;
  std::array<QTreeWidgetItem*, kConfigGroups> groups_{};
  std::array<int, kConfigGroups> expanded_{};
  QList<QIcon> icons_;
  bool dragging_ = false;
  bool outside_ = false;
  bool copyDrag_ = false;
  QTreeWidgetItem* dragItem_ = nullptr;
  QTreeWidgetItem* dropTarget_ = nullptr;
  QTreeWidgetItem* highlighted_ = nullptr;
  QTreeWidgetItem* pressItem_ = nullptr;
  QPoint pressPos_;
  QLabel* dragImage_ = nullptr;
  QPoint lastMenuPos_;
  bool filling_ = false;
  QObject* keys_ = nullptr;  // the key filter on the application
};
