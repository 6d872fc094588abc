#pragma once
// The saved connections in the panel's grid as the operator finds them:
// by the name row (every fourth row) and a click on it.
#include <gtest/gtest.h>

#include "connection/bookmark.h"
#include "controls/grid_ctrl.h"
#include "real_click.h"

// The name row of the listed connection, or -1.
inline int NameRowOf(CBookmark& panel, const QString& name) {
  CGridCtrl& grid = *panel.grid();
  for (int row = 1; row < grid.GetRowCount(); row += 4)
    if (grid.GetCellText(row, 0) == name) return row;
  return -1;
}

// A click on the connection's name row, as the operator picks it.
inline void ClickConnection(CBookmark& panel, const QString& name) {
  const int row = NameRowOf(panel, name);
  ASSERT_GE(row, 1) << name.toStdString() << " is not listed";
  CGridCtrl& grid = *panel.grid();
  grid.ScrollCellIntoView(row, 0);
  GridRect cell;
  ASSERT_TRUE(grid.GetCellRect(row, 0, &cell));
  ClickAt(*grid.viewport(), QPoint((cell.left + cell.right) / 2, (cell.top + cell.bottom) / 2));
  ASSERT_NE(panel.SelectedConnection(), nullptr);
  ASSERT_EQ(panel.SelectedConnection()->name, name);
}
