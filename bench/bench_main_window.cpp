// The real main window running: milliseconds per timer tick, the repaint of the figure
// included, with Accelerate on and a 1600 x 1200 figure (target: well under the 10 ms
// interval, under 2 ms).
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QScrollArea>
#include <cstdlib>
#include <filesystem>
#include <memory>

#include "app/image_view_widget.h"
#include "app/main_window.h"
#include "app/program_forms.h"
#include "controls/fancy_speed_button.h"
#include "patterns/pattern.h"

using namespace trochodraw;

namespace {

void BM_MainWindowTick(benchmark::State& State) {
  const int Width = static_cast<int>(State.range(0));
  const bool Accelerate = State.range(1) != 0;
  PatternList.clear();
  TProgramForms Forms;
  TForm1& W = *Forms.Main;
  W.Sim.FigureImage.SetSize(Width, Width * 3 / 4);
  W.Sim.ClearFigure(false);
  FitImageToBitmap(*W.Image2);
  W.ScrollToFraction(W.ScrollBox1, 0.5, 0.5);
  W.AccBtn->SetDown(Accelerate);
  W.show();
  QApplication::processEvents();
  W.Timer1Timer();  // the first tick starts from (0, 0)
  QApplication::processEvents();
  for (auto _ : State) {
    W.Timer1Timer();
    // The figure's changed area is painted before the next tick, as the event loop does.
    QApplication::processEvents();
  }
  State.counters["ticks/s"] = benchmark::Counter(static_cast<double>(State.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_MainWindowTick)
    ->ArgNames({"width", "accelerate"})
    ->Args({1600, 1})
    ->Args({1600, 0})
    ->Args({640, 1})
    ->Iterations(1000)
    ->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  // The built-in patterns, whatever the user's pattern file holds.
  const auto Config = std::filesystem::temp_directory_path() / "trochodraw-bench-config";
  std::filesystem::create_directories(Config);
  ::setenv("XDG_CONFIG_HOME", Config.c_str(), 1);
  if (!std::getenv("QT_QPA_PLATFORM")) ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
  QApplication App(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  std::filesystem::remove_all(Config);
  return 0;
}
