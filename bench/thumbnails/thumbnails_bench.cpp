// The last-readings grid of the function test (32 rows of 48 pixels, the
// picture column 68 wide) with 32 frames in the result-image store: a full
// paint of its viewport with the thumbnails, and beside it the same paint
// without them, the figure to compare with. Also one capture of the view.
#include <QApplication>
#include <QImage>
#include <QPainter>
#include <benchmark/benchmark.h>
#include <memory>

#include "controls/grid_ctrl.h"
#include "core/main_dialog_state.h"
#include "view/direct_x.h"
#include "view/result_image_store.h"

namespace {

QApplication& App() {
  static int argc = 1;
  static char name[] = "thumbnails_bench";
  static char* argv[] = {name, nullptr};
  qputenv("QT_QPA_PLATFORM", "offscreen");
  static QApplication app(argc, argv);
  return app;
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
    QImage picture(640, 480, QImage::Format_Grayscale8);
    picture.fill(40 + 6 * (k % 32));
    view->ShowPicture(picture);
    return store.AddFrame(k % 3 == 0 ? 0 : 1);
  }

  bool appMade = (App(), true);  // before the first widget
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

// One capture with the list full (the oldest frame drops out).
void BM_CaptureIntoFullList(benchmark::State& state) {
  Page page;
  int k = 0;
  for (auto _ : state) benchmark::DoNotOptimize(page.store.AddFrame(k++ % 2));
  state.SetLabel("copy of the 640 x 480 surface");
}
BENCHMARK(BM_CaptureIntoFullList)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
