// Saving and reading a 1600 x 1200 figure in PNG, GIF, JPEG and BMP, side by side with the
// independent tool that writes (or reads) the same pixels in the same format. After the run a
// table gives each of our times and sizes as a ratio to the tool's.
#include <benchmark/benchmark.h>
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
#include "machine/simulation.h"

namespace {

using namespace trochodraw;
namespace fs = std::filesystem;

// The first built-in pattern, rendered as the command-line tool renders it, then every white
// region filled with a colour of its own, as a mosaic fill leaves the figure.
TBitmap MakeFigure() {
  TLineColoring lc;
  TSimulation sim(lc);
  sim.Settings.Machine.Radius1Percent = 75.06;
  sim.Settings.Machine.Radius2Percent = 75.06;
  sim.Settings.RPM1 = 77.6;
  sim.Settings.RPM2 = 77.6;
  sim.Settings.Machine.Mode = pmOuterPlanet;
  sim.Settings.Machine.Mechanism = amPantograph;
  sim.Settings.Scale = 2.0;
  sim.Settings.Accelerate = true;
  sim.MechanismImage = TBitmap(350, 400);
  sim.FigureImage = TBitmap(1600, 1200);
  sim.Initialise();
  sim.ClearFigure(false);
  sim.PrevPoint = {0.0, 0.0};
  sim.SetAngles(18.5, 335.5, 284.7, 327.7);
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
      {"BMP", "bmp", "ppmtobmp %IN > %OUT 2>/dev/null", "bmptopnm %IN > /dev/null 2>&1"},
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
  const std::string cmd = Replace(Replace(F.Writer, "%IN", in.string()), "%OUT", out.string());
  for (auto _ : St) Shell(St, cmd);
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
  const std::string cmd = Replace(F.Reader, "%IN", file.string());
  for (auto _ : St) Shell(St, cmd);
}

// What starting a program costs, so the table can also show the tools without it.
void BM_SpawnOnly(benchmark::State& St) {
  for (auto _ : St) Shell(St, "true");
}

// Keeps each run's real time per benchmark name for the table.
class TRecordingReporter : public benchmark::ConsoleReporter {
 public:
  std::map<std::string, double> Millis;
  void ReportRuns(const std::vector<Run>& Runs) override {
    for (const auto& r : Runs)
      if (!r.error_occurred) Millis[r.benchmark_name()] = r.GetAdjustedRealTime();
    ConsoleReporter::ReportRuns(Runs);
  }
};

void PrintTable(const TRecordingReporter& R) {
  const TState& s = State();
  auto at = [&](const std::string& name) {
    const auto it = R.Millis.find(name + "/real_time");
    return it == R.Millis.end() ? -1.0 : it->second;
  };
  const double spawn = at("SpawnOnly");
  std::printf("\n1600x1200 24-bit figure; time ratio = ours / tool (wall clock, tool includes starting it;\n"
              "'less spawn' subtracts %.2f ms for starting a program), size ratio = our file / tool's file\n",
              spawn);
  std::printf("%-6s %-6s %10s %10s %8s %12s %10s %10s %8s\n", "format", "side", "ours ms", "tool ms", "ratio",
              "ratio-spawn", "ours B", "tool B", "ratio");
  for (const auto& f : Formats()) {
    for (const char* side : {"save", "load"}) {
      const bool save = side[0] == 's';
      const double ours = at(std::string(save ? "SaveOurs/" : "LoadOurs/") + f.Name);
      const double tool = at(std::string(save ? "SaveTool/" : "LoadTool/") + f.Name);
      std::printf("%-6s %-6s %10.2f %10.2f %8.2f %12.2f", f.Name.c_str(), side, ours, tool, ours / tool,
                  ours / (tool - spawn));
      if (save && s.OurSize.count(f.Name) && s.ToolSize.count(f.Name))
        std::printf(" %10ju %10ju %8.2f", s.OurSize.at(f.Name), s.ToolSize.at(f.Name),
                    double(s.OurSize.at(f.Name)) / double(s.ToolSize.at(f.Name)));
      std::printf("\n");
    }
  }
}

}  // namespace

int main(int argc, char** argv) {
  for (const auto& f : Formats()) {
    benchmark::RegisterBenchmark(("SaveOurs/" + f.Name).c_str(), BM_SaveOurs, f)->UseRealTime()->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark(("SaveTool/" + f.Name).c_str(), BM_SaveTool, f)->UseRealTime()->Unit(benchmark::kMillisecond);
  }
  for (const auto& f : Formats()) {
    benchmark::RegisterBenchmark(("LoadOurs/" + f.Name).c_str(), BM_LoadOurs, f)->UseRealTime()->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark(("LoadTool/" + f.Name).c_str(), BM_LoadTool, f)->UseRealTime()->Unit(benchmark::kMillisecond);
  }
  benchmark::RegisterBenchmark("SpawnOnly", BM_SpawnOnly)->UseRealTime()->Unit(benchmark::kMillisecond);
  benchmark::Initialize(&argc, argv);
  TRecordingReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  PrintTable(reporter);
  std::error_code ec;
  fs::remove_all(State().Dir, ec);
  benchmark::Shutdown();
  return 0;
}
