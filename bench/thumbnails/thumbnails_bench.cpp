// The last-readings grid of the function test (32 rows of 48 pixels, the
// picture column 68 wide) with 32 frames in the result-image store: a full
// paint of its viewport with the thumbnails, and beside it the same paint
// without them, the figure to compare with. Then a capture into the full
// list after a new picture: the view draws its surface for it, and the
// frame the store keeps shares that surface, so the next draw copies the
// 640 x 480 surface first; beside it the same draw without a capture.
#include <QApplication>
#include <QImage>
#include <QPainter>
#include <benchmark/benchmark.h>
#include <memory>

#include "comparison.h"
#include "controls/grid_ctrl.h"
#include "core/main_dialog_state.h"
#include "view/direct_x.h"
#include "view/result_image_store.h"

namespace {

QImage Grey(int level) {
  QImage picture(640, 480, QImage::Format_Grayscale8);
  picture.fill(level);
  return picture;
}

struct Page {
  Page() {
    view = std::make_unique<CDirectX>(state, state.colours, [](int) { return QString(); });
    view->InitDirectDraw();
    ResultImageStoreHost host;
    host.view = view.get();
    host.colours = &state.colours;
    store.setHost(host);
    grid.m_OwnerRole = GridOwnerRole::FunctionTest;
    grid.SetColumnCount(2);
    grid.SetFixedColumnCount(1);
    grid.SetRowCount(ResultImageStore::kMaxFrames);
    grid.SetColumnWidth(0, 41);
    grid.SetColumnWidth(1, 68);
    for (int r = 0; r < ResultImageStore::kMaxFrames; ++r) {
      grid.SetRowHeight(r, 48);
      grid.SetCellText(r, 0, QString::number(r + 1));
    }
    grid.SetThumbnailPainter([this] { return shown; }, [this](QPainter& p) { store.DrawThumbnails(p); });
    grid.resize(130, 420);
    store.setGrid(&grid);
    for (int k = 0; k < ResultImageStore::kMaxFrames; ++k) Capture(k);
    grid.show();
    QApplication::processEvents();
  }
  int Capture(int k) {
    view->ShowPicture(Grey(40 + 6 * (k % 32)));
    return store.AddFrame(k % 3 == 0 ? 0 : 1);
  }

  MainDialogState state;
  std::unique_ptr<CDirectX> view;
  ResultImageStore store;
  CGridCtrl grid;
  int shown = 1;
};

void PaintGrid(benchmark::State& state, int shown, const char* label) {
  Page page;
  page.shown = shown;
  QImage image(page.grid.viewport()->size(), QImage::Format_RGB32);
  for (auto _ : state) {
    QPainter painter(&image);
    page.grid.viewport()->render(&painter);
  }
  state.SetLabel(label);
}

void BM_GridWith32Thumbnails(benchmark::State& state) { PaintGrid(state, 1, "32 frames, thumbnails drawn"); }
BENCHMARK(BM_GridWith32Thumbnails)->Unit(benchmark::kMicrosecond);

void BM_GridWithoutThumbnails(benchmark::State& state) { PaintGrid(state, 0, "same grid, compared with"); }
BENCHMARK(BM_GridWithoutThumbnails)->Unit(benchmark::kMicrosecond);

// A new picture, then its capture with the list full (the oldest frame
// drops out): the surface drawn, copied first when the last frame shares it.
void NextDraw(benchmark::State& state, bool capture) {
  Page page;
  const QImage pictures[2] = {Grey(90), Grey(160)};
  int k = 0;
  for (auto _ : state) {
    page.view->ShowPicture(pictures[k % 2]);
    if (capture)
      benchmark::DoNotOptimize(page.store.AddFrame(k % 2));
    else
      benchmark::DoNotOptimize(page.view->surface());
    ++k;
  }
}
void BM_CaptureIntoFullList(benchmark::State& state) {
  NextDraw(state, true);
  state.SetLabel("surface drawn and copied: copy of the 640 x 480 surface");
}
BENCHMARK(BM_CaptureIntoFullList)->Unit(benchmark::kMicrosecond);

void BM_NextDrawWithoutCapture(benchmark::State& state) {
  NextDraw(state, false);
  state.SetLabel("the surface drawn alone, compared with");
}
BENCHMARK(BM_NextDrawWithoutCapture)->Unit(benchmark::kMicrosecond);

const bool compared =
    vt::bench::AddComparison({{"grid with 32 thumbnails", "BM_GridWith32Thumbnails"},
                              {"the same grid without", "BM_GridWithoutThumbnails"}}) &&
    vt::bench::AddComparison({{"capture into the full list, surface drawn and copied", "BM_CaptureIntoFullList"},
                              {"the surface drawn alone", "BM_NextDrawWithoutCapture"}});

}  // namespace
