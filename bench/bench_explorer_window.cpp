// How soon the main window's event loop answers while the Explorer draws the library on worker
// threads, against the same measurement with nothing drawing, in the same run (target: under
// 50 ms). Every 5 ms a timer posts an event to the window's thread; its latency is the time
// from posting until the loop handles it, as for a key press or a click, and the longest gap
// between two turns of the timer shows any stall of the loop itself.
#include <benchmark/benchmark.h>

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QTimer>
#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <vector>

#include "app/explorer_library_widget.h"
#include "app/explorer_window.h"
#include "app/main_window.h"
#include "app/program_forms.h"
#include "patterns/pattern.h"

using namespace trochodraw;

namespace {

class TProbe : public QObject {
 public:
  static constexpr QEvent::Type kType = static_cast<QEvent::Type>(QEvent::User + 71);
  struct TEvent : QEvent {
    explicit TEvent(qint64 At) : QEvent(kType), PostedAt(At) {}
    qint64 PostedAt;
  };
  QElapsedTimer Clock;
  std::vector<double> Latencies;  // milliseconds
  bool event(QEvent* E) override {
    if (E->type() != kType) return QObject::event(E);
    Latencies.push_back(static_cast<double>(Clock.nsecsElapsed() - static_cast<TEvent*>(E)->PostedAt) / 1e6);
    return true;
  }
};

struct TLatency {
  double Max = 0, P99 = 0, Seconds = 0;
  double MaxGap = 0;  // the longest wait between two turns of the 5 ms timer
  size_t Samples = 0;
};

// Posts probe events until Done says so (or 30 s pass) and gathers their latency.
template <class F>
TLatency Measure(F Done) {
  TProbe probe;
  probe.Clock.start();
  QTimer poster;
  poster.setInterval(5);
  qint64 last = 0, maxGap = 0;
  QObject::connect(&poster, &QTimer::timeout, [&] {
    const qint64 now = probe.Clock.nsecsElapsed();
    if (last) maxGap = std::max(maxGap, now - last);
    last = now;
    QCoreApplication::postEvent(&probe, new TProbe::TEvent(now));
  });
  poster.start();
  while (!Done() && probe.Clock.elapsed() < 30000) QApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
  QApplication::processEvents();
  TLatency l;
  l.Seconds = static_cast<double>(probe.Clock.elapsed()) / 1000.0;
  l.MaxGap = static_cast<double>(maxGap) / 1e6;
  std::vector<double>& v = probe.Latencies;
  l.Samples = v.size();
  if (!v.empty()) {
    std::sort(v.begin(), v.end());
    l.Max = v.back();
    l.P99 = v[std::min(v.size() - 1, v.size() * 99 / 100)];
  }
  return l;
}

void BM_ExplorerLibraryLatency(benchmark::State& State) {
  PatternList.clear();
  TProgramForms forms;
  TForm1& w = *forms.Main;
  w.show();
  QApplication::processEvents();
  TLatency idle, busy;
  double openMs = 0;
  for (auto _ : State) {
    QElapsedTimer wait;
    wait.start();
    idle = Measure([&] { return wait.elapsed() >= 1000; });
    // Opened for the first time: every picture is drawn.
    QElapsedTimer open;
    open.start();
    w.findChild<QAction*>("Explorer1")->trigger();
    openMs = static_cast<double>(open.nsecsElapsed()) / 1e6;
    TExplorerWindow* e = FindExplorer(w);
    busy = Measure([&] { return !e->LibraryTab->Batch.Busy(); });
    e->hide();
  }
  State.counters["idle_max_ms"] = idle.Max;
  State.counters["idle_p99_ms"] = idle.P99;
  State.counters["idle_gap_ms"] = idle.MaxGap;
  State.counters["drawing_gap_ms"] = busy.MaxGap;
  State.counters["open_ms"] = openMs;
  State.counters["drawing_max_ms"] = busy.Max;
  State.counters["drawing_p99_ms"] = busy.P99;
  State.counters["drawing_s"] = busy.Seconds;
  State.counters["samples"] = static_cast<double>(busy.Samples);
}
BENCHMARK(BM_ExplorerLibraryLatency)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  const auto Config = std::filesystem::temp_directory_path() / "trochodraw-bench-config";
  std::filesystem::create_directories(Config);
  ::setenv("XDG_CONFIG_HOME", Config.c_str(), 1);
  std::filesystem::remove(Config / "trochodraw" / "Gyrotracer.ini");
  if (!std::getenv("QT_QPA_PLATFORM")) ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
  QApplication App(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
