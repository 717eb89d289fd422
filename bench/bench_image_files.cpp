// Saving and reading a 1600 x 1200 figure in PNG, GIF, JPEG and BMP, side by side with the
// independent tool that writes (or reads) the same pixels in the same format. After the run a
// table gives each of our times and sizes as a ratio to the tool's.
#include <benchmark/benchmark.h>
#include <sys/resource.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include "imagefiles/gif_codec.h"
#include "imagefiles/preview_load.h"
#include "imagefiles/save_figure.h"
#include "bench_mobius.h"
#include "machine/simulation.h"

namespace {

using namespace trochodraw;
namespace fs = std::filesystem;

// The first built-in pattern drawn large with the distance colouring, then every white region
// filled with a colour of its own, as a mosaic fill leaves the figure.
TBitmap MakeFigure() {
  TLineColoring lc;
  lc.Settings.Mode = lcDistance;
  TSimulation sim(lc);
  SetUpMobius(sim, 1600, 1200, 7.0, true);
  for (int t = 0; t < 3000; ++t) sim.Timer1Timer();
  TBitmap fig = sim.FigureImage;
  fig.SetPixelFormat(TPixelFormat::pf24bit);
  uint32_t seed = 1;
  std::vector<std::pair<int, int>> stack;
  for (int y0 = 0; y0 < fig.Height(); ++y0)
    for (int x0 = 0; x0 < fig.Width(); ++x0) {
      if (fig.GetPixel(x0, y0) != clWhite) continue;
      seed = seed * 1103515245u + 12345u;
      const TColor c = RGBColor(uint8_t(seed >> 24), uint8_t(seed >> 16), uint8_t(seed >> 8));
      stack.assign(1, {x0, y0});
      fig.SetPixel(x0, y0, c == clWhite ? clSilver : c);
      while (!stack.empty()) {
        const auto [x, y] = stack.back();
        stack.pop_back();
        for (const auto& [dx, dy] : {std::pair{1, 0}, {-1, 0}, {0, 1}, {0, -1}}) {
          const int nx = x + dx, ny = y + dy;
          if (nx < 0 || ny < 0 || nx >= fig.Width() || ny >= fig.Height() || fig.GetPixel(nx, ny) != clWhite) continue;
          fig.SetPixel(nx, ny, c == clWhite ? clSilver : c);
          stack.push_back({nx, ny});
        }
      }
    }
  return fig;
}

void WritePPM(const TBitmap& B, const fs::path& File) {
  std::ofstream out(File, std::ios::binary);
  out << "P6\n" << B.Width() << " " << B.Height() << "\n255\n";
  std::vector<char> row(size_t(B.Width()) * 3);
  for (int y = 0; y < B.Height(); ++y) {
    for (int x = 0; x < B.Width(); ++x) {
      const TColor c = B.GetPixel(x, y);
      row[size_t(x) * 3] = char(RedOf(c));
      row[size_t(x) * 3 + 1] = char(GreenOf(c));
      row[size_t(x) * 3 + 2] = char(BlueOf(c));
    }
    out.write(row.data(), std::streamsize(row.size()));
  }
}

struct TFormat {
  std::string Name, Extension;
  std::string Writer;  // the tool writing the same pixels: %IN and %OUT are replaced
  std::string Reader;  // the tool decoding the file: %IN
};

const std::vector<TFormat>& Formats() {
  static const std::vector<TFormat> f = {
      {"PNG", "png", "pnmtopng -compression 7 %IN > %OUT", "pngtopnm %IN > /dev/null"},
      {"GIF", "gif", "ppmtogif %IN > %OUT 2>/dev/null", "giftopnm %IN > /dev/null"},
      {"JPEG", "jpg", "cjpeg -quality 100 -dct float %IN > %OUT", "djpeg -pnm %IN > /dev/null"},
      {"BMP", "bmp", "ppmtobmp -bpp 24 %IN > %OUT 2>/dev/null", "bmptopnm %IN > /dev/null 2>&1"},
  };
  return f;
}

struct TState {
  fs::path Dir;
  TBitmap Figure;
  std::map<std::string, uintmax_t> OurSize, ToolSize;
};

TState& State() {
  static TState s = [] {
    TState st;
    st.Dir = fs::temp_directory_path() / ("trochodraw-bench-" + std::to_string(::getpid()));
    fs::create_directories(st.Dir);
    st.Figure = MakeFigure();
    WritePPM(st.Figure, st.Dir / "figure.ppm");
    // The GIF tool takes at most 256 colours: it gets the pixels our GIF holds.
    const auto gif = EncodeGIF(st.Figure);
    WritePPM(DecodeGIF(gif.data(), gif.size()), st.Dir / "figure-gif.ppm");
    return st;
  }();
  return s;
}

std::string Replace(std::string S, const std::string& Key, const std::string& Value) {
  for (size_t at; (at = S.find(Key)) != std::string::npos;) S.replace(at, Key.size(), Value);
  return S;
}

void Shell(benchmark::State& St, const std::string& Command) {
  if (std::system(Command.c_str()) != 0) St.SkipWithError(("failed: " + Command).c_str());
}

double ChildCpuMillis() {
  rusage u{};
  getrusage(RUSAGE_CHILDREN, &u);
  return (u.ru_utime.tv_sec + u.ru_stime.tv_sec) * 1e3 + (u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e3;
}

// Runs the tool's command in the loop and notes the processor time the tool itself took
// (the benchmark's own CPU column only counts this process).
void RunTool(benchmark::State& St, const std::string& Command) {
  const double before = ChildCpuMillis();
  for (auto _ : St) Shell(St, Command);
  St.counters["tool_cpu_ms"] = (ChildCpuMillis() - before) / double(St.iterations());
}

void BM_SaveOurs(benchmark::State& St, const TFormat& F) {
  TState& s = State();
  const fs::path out = s.Dir / ("ours." + F.Extension);
  for (auto _ : St) SaveFigure(s.Figure, out.string());
  s.OurSize[F.Name] = fs::file_size(out);
  St.counters["bytes"] = double(s.OurSize[F.Name]);
}

void BM_SaveTool(benchmark::State& St, const TFormat& F) {
  TState& s = State();
  const fs::path in = s.Dir / (F.Name == "GIF" ? "figure-gif.ppm" : "figure.ppm");
  const fs::path out = s.Dir / ("tool." + F.Extension);
  RunTool(St, Replace(Replace(F.Writer, "%IN", in.string()), "%OUT", out.string()));
  if (fs::exists(out)) s.ToolSize[F.Name] = fs::file_size(out);
  St.counters["bytes"] = double(s.ToolSize[F.Name]);
}

void BM_LoadOurs(benchmark::State& St, const TFormat& F) {
  TState& s = State();
  const fs::path file = s.Dir / ("ours." + F.Extension);
  if (!fs::exists(file)) SaveFigure(s.Figure, file.string());
  for (auto _ : St) benchmark::DoNotOptimize(PreviewLoad(file.string()));
}

void BM_LoadTool(benchmark::State& St, const TFormat& F) {
  TState& s = State();
  const fs::path file = s.Dir / ("ours." + F.Extension);
  if (!fs::exists(file)) SaveFigure(s.Figure, file.string());
  RunTool(St, Replace(F.Reader, "%IN", file.string()));
}

// What starting a program costs, so the table can also show the tools without it.
void BM_SpawnOnly(benchmark::State& St) { RunTool(St, "true"); }

// Keeps the median wall time and the processor time of each benchmark for the table.
class TRecordingReporter : public benchmark::ConsoleReporter {
 public:
  struct TTimes {
    double Wall = -1, Cpu = -1;
  };
  std::map<std::string, TTimes> Times;
  void ReportRuns(const std::vector<Run>& Runs) override {
    for (const auto& r : Runs) {
      if (r.error_occurred || r.aggregate_name != "median") continue;
      TTimes& t = Times[r.run_name.function_name];
      t.Wall = r.GetAdjustedRealTime();
      const auto tool = r.counters.find("tool_cpu_ms");
      t.Cpu = tool != r.counters.end() ? double(tool->second) : r.GetAdjustedCPUTime();
    }
    ConsoleReporter::ReportRuns(Runs);
  }
};

void PrintTable(const TRecordingReporter& R) {
  const TState& s = State();
  auto at = [&](const std::string& name) {
    const auto it = R.Times.find(name);
    return it == R.Times.end() ? TRecordingReporter::TTimes{} : it->second;
  };
  const auto spawn = at("SpawnOnly");
  std::printf("\n1600x1200 24-bit figure, medians of 5 runs. ratio = ours / tool. Wall: the tool's time\n"
              "includes starting it (%.2f ms for an empty program); cpu: our process against the\n"
              "tool's process. bytes: our file against the tool's.\n",
              spawn.Wall);
  std::printf("%-5s %-5s %9s %9s %6s | %9s %9s %6s | %9s %9s %6s\n", "", "", "wall ms", "tool", "ratio", "cpu ms",
              "tool", "ratio", "bytes", "tool", "ratio");
  for (const auto& f : Formats()) {
    for (const char* side : {"save", "load"}) {
      const bool save = side[0] == 's';
      const auto ours = at(std::string(save ? "SaveOurs/" : "LoadOurs/") + f.Name);
      const auto tool = at(std::string(save ? "SaveTool/" : "LoadTool/") + f.Name);
      std::printf("%-5s %-5s %9.2f %9.2f %6.2f | %9.2f %9.2f %6.2f", f.Name.c_str(), side, ours.Wall, tool.Wall,
                  ours.Wall / tool.Wall, ours.Cpu, tool.Cpu, ours.Cpu / tool.Cpu);
      if (save && s.OurSize.count(f.Name) && s.ToolSize.count(f.Name))
        std::printf(" | %9ju %9ju %6.2f", s.OurSize.at(f.Name), s.ToolSize.at(f.Name),
                    double(s.OurSize.at(f.Name)) / double(s.ToolSize.at(f.Name)));
      std::printf("\n");
    }
  }
}

}  // namespace

int main(int argc, char** argv) {
  for (const auto& f : Formats()) {
    benchmark::RegisterBenchmark(("SaveOurs/" + f.Name).c_str(), BM_SaveOurs, f)->UseRealTime()->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);
    benchmark::RegisterBenchmark(("SaveTool/" + f.Name).c_str(), BM_SaveTool, f)->UseRealTime()->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);
  }
  for (const auto& f : Formats()) {
    benchmark::RegisterBenchmark(("LoadOurs/" + f.Name).c_str(), BM_LoadOurs, f)->UseRealTime()->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);
    benchmark::RegisterBenchmark(("LoadTool/" + f.Name).c_str(), BM_LoadTool, f)->UseRealTime()->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);
  }
  benchmark::RegisterBenchmark("SpawnOnly", BM_SpawnOnly)->UseRealTime()->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);
  benchmark::Initialize(&argc, argv);
  TRecordingReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  PrintTable(reporter);
  std::error_code ec;
  fs::remove_all(State().Dir, ec);
  benchmark::Shutdown();
  return 0;
}
