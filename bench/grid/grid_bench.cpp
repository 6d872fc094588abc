// The saved-connections grid at its limit (128 connections: a header and four
// rows each, 513 rows in one column 218 pixels wide): a full paint and a
// line-down scroll with the repaint it asks for. Beside each, a stock
// QTableWidget of the same rows doing the same, as the figure to compare with.
#include "controls/grid_ctrl.h"

#include <QApplication>
#include <QHeaderView>
#include <QImage>
#include <QPainter>
#include <QScrollBar>
#include <QTableWidget>
#include <benchmark/benchmark.h>
#include <memory>

#include "comparison.h"

namespace {

constexpr int kConnections = 128;
constexpr int kRows = 1 + 4 * kConnections;
constexpr int kColumnWidth = 218;
constexpr int kRowHeight = 18;
const QSize kViewport(240, 320);

QString RowText(int row) {
  const int connection = (row - 1) / 4;
  switch ((row - 1) % 4) {
    case 0: return QStringLiteral("Sensor %1").arg(connection);
    case 1: return QStringLiteral("  192.168.%1.%2").arg(connection / 200).arg(connection % 200 + 1);
    case 2: return QStringLiteral("  Port 8080");
    default: return QStringLiteral("  Hall %1").arg(connection % 7);
  }
}

std::unique_ptr<CGridCtrl> SavedConnectionsGrid() {
  auto grid = std::make_unique<CGridCtrl>();
  grid->resize(kViewport);
  grid->m_OwnerRole = GridOwnerRole::SavedConnections;
  grid->m_MouseMode = GridMouseMode::kClickableRectangle;
  grid->SetColumnCount(1);
  grid->SetRowCount(kRows);
  grid->SetFixedRowCount(1);
  grid->SetColumnWidth(0, kColumnWidth);
  grid->SetCellText(0, 0, QStringLiteral("Saved connections"));
  for (int r = 0; r < kRows; ++r) grid->SetRowHeight(r, kRowHeight);
  for (int r = 1; r < kRows; ++r) {
    grid->SetCellText(r, 0, RowText(r));
    grid->SetCellTextColor(r, 0, 0);
  }
  grid->show();
  QApplication::processEvents();
  grid->ResetScrollBars();
  grid->SetCellState(5, 0, CellStateFlags::kSelected);
  return grid;
}

std::unique_ptr<QTableWidget> StockTable() {
  auto table = std::make_unique<QTableWidget>(kRows - 1, 1);
  table->resize(kViewport);
  table->setHorizontalHeaderLabels({QStringLiteral("Saved connections")});
  table->verticalHeader()->hide();
  table->setColumnWidth(0, kColumnWidth);
  table->verticalHeader()->setDefaultSectionSize(kRowHeight);
  table->setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
  for (int r = 1; r < kRows; ++r) table->setItem(r - 1, 0, new QTableWidgetItem(RowText(r)));
  table->selectRow(4);
  table->show();
  QApplication::processEvents();
  return table;
}

void Paint(QWidget* viewport, QImage& image) {
  QPainter painter(&image);
  viewport->render(&painter);
}

void BM_GridFullPaint(benchmark::State& state) {
  auto grid = SavedConnectionsGrid();
  QImage image(grid->viewport()->size(), QImage::Format_RGB32);
  for (auto _ : state) Paint(grid->viewport(), image);
  state.SetLabel("CGridCtrl, 513 rows");
}
BENCHMARK(BM_GridFullPaint);

void BM_StockTableFullPaint(benchmark::State& state) {
  auto table = StockTable();
  QImage image(table->viewport()->size(), QImage::Format_RGB32);
  for (auto _ : state) Paint(table->viewport(), image);
  state.SetLabel("QTableWidget, compared with");
}
BENCHMARK(BM_StockTableFullPaint);

// One line down, then the part below the header painted (the table's
// viewport has no header in it); from the top again at the end.
void BM_GridLineDown(benchmark::State& state) {
  auto grid = SavedConnectionsGrid();
  QImage image(grid->viewport()->size(), QImage::Format_RGB32);
  const QRegion scrolled(QRect(0, kRowHeight, kViewport.width(), kViewport.height()));
  for (auto _ : state) {
    const int before = grid->GetScrollPos32(1);
    grid->OnVScroll(ScrollCode::kLineDown);
    if (grid->GetScrollPos32(1) == before) grid->OnVScroll(ScrollCode::kTop);
    QPainter painter(&image);
    grid->viewport()->render(&painter, QPoint(), scrolled);
  }
  state.SetLabel("CGridCtrl");
}
BENCHMARK(BM_GridLineDown);

void BM_StockTableLineDown(benchmark::State& state) {
  auto table = StockTable();
  table->verticalScrollBar()->setSingleStep(kRowHeight);
  QImage image(table->viewport()->size(), QImage::Format_RGB32);
  QScrollBar* bar = table->verticalScrollBar();
  for (auto _ : state) {
    if (bar->value() == bar->maximum())
      bar->setValue(0);
    else
      bar->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    Paint(table->viewport(), image);
  }
  state.SetLabel("QTableWidget, compared with");
}
BENCHMARK(BM_StockTableLineDown);

const bool compared = vt::bench::AddComparison({{"CGridCtrl full paint", "BM_GridFullPaint"},
                                                 {"QTableWidget", "BM_StockTableFullPaint"}}) &&
                      vt::bench::AddComparison({{"CGridCtrl line down", "BM_GridLineDown"},
                                                 {"QTableWidget", "BM_StockTableLineDown"}});

}  // namespace
