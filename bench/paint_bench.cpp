// Painting the grid on the offscreen platform: a full 1920 x 1080 frame
// scrolled to the bottom of 65,536 rows x 20 columns against the same frame
// of a 100-row grid (the paint must not walk the rows above the view), and
// frames while the thumb is dragged through the whole grid.
#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include <memory>
#include <string>

#include "bench/ratio_reporter.h"
#include "platform/qt/qt_surface.h"
#include "platform/qt/qt_text.h"
#include "window/grid_wnd.h"

namespace maltrove {
namespace {

constexpr int kWidth = 1920;
constexpr int kHeight = 1080;
constexpr int kColumns = 20;

// The least a window must answer for painting and scrolling.
class BenchWindow : public platform::NativeWindow {
 public:
  platform::Size ClientSize() const override { return {kWidth, kHeight}; }
  void Invalidate(const platform::Rect&) override {}
  void InvalidateAll() override {}
  void SetTimer(int, int) override {}
  void KillTimer(int) override {}
  void CaptureMouse(bool) override {}
  void SetCursor(platform::CursorShape) override {}
  void TakeFocus() override {}
  platform::Point CursorPosition() const override { return {}; }
  platform::Point ClientToScreen(platform::Point p) const override { return p; }
  platform::Rect ScreenArea() const override { return {0, 0, kWidth, kHeight}; }
  std::shared_ptr<platform::Bitmap> LoadBitmap(const std::string&) override { return nullptr; }
  void ShowTip(const std::string&, const platform::Rect&, int) override {}
  void HideTip() override {}
  platform::FontDescription TipFont() const override { return {}; }
  std::unique_ptr<platform::EditorWindow> CreateEditor(const platform::EditorRequest&,
                                                       platform::EditorListener*) override {
    return nullptr;
  }
  void Post(int, int, int) override {}
  void NotifyAccessibility(platform::AccessibleChange, int, int) override {}
  platform::Size MeasureText(const std::string& text, const platform::FontDescription& font, int flags,
                             int wrap) override {
    return measurer_.MeasureText(text, font, flags, wrap);
  }

 private:
  platform::QtTextMeasurer measurer_;
};

struct Grid {
  CGridWnd wnd;
  BenchWindow window;
  explicit Grid(int rows) {
    CGridModel& m = wnd.model();
    m.setImmediateDrawMode(0);
    const int types[][2] = {{kDataString, kInputText},   {kDataNumeric, kInputText},
                            {kDataDateTime, kInputText}, {kDataString, kInputCheckBox},
                            {kDataString, kInputButton}};
    for (int c = 0; c < kColumns; ++c) {
      const auto& t = types[c % 5];
      m.insertColumn(-1, "열 " + std::to_string(c), 90, "", t[0], t[1], "", "", 0, "");
    }
    for (int r = 0; r < rows; ++r) {
      m.insertRow(-1);
      for (int c = 0; c < kColumns; ++c) {
        switch (c % 5) {
          case 0: m.setCellStringData(r, c, "한글 " + std::to_string(r)); break;
          case 1: m.setCellStringData(r, c, std::to_string(r * 7 % 100000)); break;
          case 2: m.setCellStringData(r, c, "2024-05-17"); break;
          case 3: m.setCellChecked(r, c, r % 2); break;
          default: m.setCellStringData(r, c, "보기"); break;
        }
      }
    }
    m.setImmediateDrawMode(1);
    wnd.Attach(&window);
  }
  ~Grid() { wnd.Attach(nullptr); }
};

void PaintFrame(CGridWnd& wnd, QImage& image) {
  QPainter painter(&image);
  platform::QtSurface surface(painter);
  wnd.OnPaint(surface);
}

Grid& Big() {
  static Grid grid(65536);
  return grid;
}

void BM_PaintBottomOf65536Rows(benchmark::State& state) {
  Grid& grid = Big();
  grid.wnd.ScrollTo(true, grid.wnd.verticalBar().limit());
  QImage image(kWidth, kHeight, QImage::Format_RGB32);
  for (auto _ : state) PaintFrame(grid.wnd, image);
}
BENCHMARK(BM_PaintBottomOf65536Rows)->Unit(benchmark::kMillisecond);

void BM_Paint100Rows(benchmark::State& state) {
  static Grid grid(100);
  QImage image(kWidth, kHeight, QImage::Format_RGB32);
  for (auto _ : state) PaintFrame(grid.wnd, image);
}
BENCHMARK(BM_Paint100Rows)->Unit(benchmark::kMillisecond);

// One iteration drags the thumb from the top to the bottom of the bar in
// pixel steps, painting a frame after every step.
void BM_ThumbDragThroughTheGrid(benchmark::State& state) {
  Grid& grid = Big();
  QImage image(kWidth, kHeight, QImage::Format_RGB32);
  int64_t frames = 0;
  for (auto _ : state) {
    grid.wnd.ScrollTo(true, 0);
    const platform::Rect thumb = grid.wnd.verticalBar().ThumbRect();
    const int x = thumb.left + 4;
    int y = thumb.top + 2;
    grid.wnd.OnMouseDown(x, y, 0);
    const int end = grid.wnd.verticalBar().rect().bottom;
    for (; y < end; y += 4) {
      grid.wnd.OnMouseMove(x, y, 0, true);
      PaintFrame(grid.wnd, image);
      ++frames;
    }
    grid.wnd.OnMouseUp(x, y, 0);
  }
  state.counters["frames_per_second"] =
      benchmark::Counter(static_cast<double>(frames), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_ThumbDragThroughTheGrid)->Unit(benchmark::kMillisecond)->Iterations(2);

// Holding Down: each key moves the focus, scrolls it into view and paints.
void KeyDownFrames(benchmark::State& state, Grid& grid) {
  QImage image(kWidth, kHeight, QImage::Format_RGB32);
  grid.wnd.setFocusCell(0, 0);
  const int last = grid.wnd.model().getRowCount() - 1;
  for (auto _ : state) {
    if (grid.wnd.getFocusedRowIndex() == last) grid.wnd.setFocusCell(0, 0);
    grid.wnd.OnKeyDown(platform::kVkDown, 0);
    PaintFrame(grid.wnd, image);
  }
}

void BM_KeyDownThrough65536Rows(benchmark::State& state) { KeyDownFrames(state, Big()); }
BENCHMARK(BM_KeyDownThrough65536Rows)->Unit(benchmark::kMillisecond);

void BM_KeyDownThrough100Rows(benchmark::State& state) {
  static Grid grid(100);
  KeyDownFrames(state, grid);
}
BENCHMARK(BM_KeyDownThrough100Rows)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace maltrove

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  maltrove::bench::KeepFreedMemory();
  maltrove::bench::RatioReporter reporter({
      {"paint at row 65,536 / paint of 100 rows (target <= 1.2)", "BM_PaintBottomOf65536Rows",
       "BM_Paint100Rows"},
      {"Down key at 65,536 rows / at 100 rows (target <= 1.5)", "BM_KeyDownThrough65536Rows",
       "BM_KeyDownThrough100Rows"}});
  return maltrove::bench::RunBenchmarks(argc, argv, &reporter);
}
