#pragma once
// Grids shaped as their owners shape them, a handler that records every
// notification, and pixel helpers over grab().
#include "controls/grid_ctrl.h"

#include <QApplication>
#include <QImage>
#include <QPixmap>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>
#include <vector>

struct NotifyRecorder {
  std::vector<GridNotifyRecord> records;
  std::function<int(const GridNotifyRecord&)> answer;  // optional
  GridNotifyHandler Handler() {
    return [this](const GridNotifyRecord& r) {
      records.push_back(r);
      return answer ? answer(r) : 0;
    };
  }
  int Count(int code) const {
    int n = 0;
    for (const auto& r : records) n += r.code == code;
    return n;
  }
  const GridNotifyRecord* Last(int code) const {
    for (auto it = records.rbegin(); it != records.rend(); ++it)
      if (it->code == code) return &*it;
    return nullptr;
  }
};

class GridTest : public ::testing::Test {
 protected:
  // A shown grid of rows x cols cells of 20 x 60 pixels, fixedRows header
  // rows, in a viewport of about width x height.
  CGridCtrl& MakeGrid(int rows, int cols, int fixedRows = 0, int fixedCols = 0, int width = 300,
                      int height = 200) {
    grid = std::make_unique<CGridCtrl>();
    grid->resize(width + 2, height + 2);  // one pixel of sunken frame on each side
    grid->SetNotifyHandler(recorder.Handler());
    grid->SetColumnCount(cols);
    grid->SetRowCount(rows);
    grid->SetFixedRowCount(fixedRows);
    grid->SetFixedColumnCount(fixedCols);
    for (int r = 0; r < rows; ++r) grid->SetRowHeight(r, 20);
    for (int c = 0; c < cols; ++c) grid->SetColumnWidth(c, 60);
    grid->show();
    grid->activateWindow();
    grid->setFocus();
    QApplication::processEvents();
    grid->ResetScrollBars();
    return *grid;
  }

  void Fill(int fromRow, int toRow) {
    for (int r = fromRow; r <= toRow; ++r)
      for (int c = 0; c < grid->GetColumnCount(); ++c)
        grid->SetCellText(r, c, QString::number(r * 10 + c));
  }

  QImage Grab() {
    QApplication::processEvents();
    return grid->viewport()->grab().toImage();
  }

  // Centre of a cell in viewport coordinates.
  QPoint CentreOf(int row, int col) {
    GridRect r;
    EXPECT_TRUE(grid->GetCellRect(row, col, &r)) << row << "," << col;
    return QPoint((r.left + r.right) / 2, (r.top + r.bottom) / 2);
  }

  void Click(int row, int col, Qt::MouseButton button = Qt::LeftButton) {
    QTest::mouseClick(grid->viewport(), button, Qt::NoModifier, CentreOf(row, col));
  }

  std::vector<int> SelectedRows() {
    std::vector<int> rows;
    for (int r = 0; r < grid->GetRowCount(); ++r)
      for (int c = 0; c < grid->GetColumnCount(); ++c)
        if (grid->IsCellSelected(r, c)) {
          rows.push_back(r);
          break;
        }
    return rows;
  }

  int CountSelected() {
    int n = 0;
    for (int r = 0; r < grid->GetRowCount(); ++r)
      for (int c = 0; c < grid->GetColumnCount(); ++c) n += grid->IsCellSelected(r, c);
    return n;
  }

  NotifyRecorder recorder;
  std::unique_ptr<CGridCtrl> grid;
};

inline QColor Rgb(COLORREF c) { return FromColorRef(c); }
