// Saving a 1600 x 1200 24-bit rendered figure as TIFF, PCX, IFF and TGA, and reading the
// files back, each next to the independent tool doing the same with the same pixels
// (pamtotiff -packbits, ppmtopcx -24bit, ppmtoilbm, ppmtotga -norle; tiff2rgba, pcxtoppm,
// ilbmtoppm, tgatoppm). After the run a table gives our time and size over the tool's.
// Then the worst 100 KB TIFF files we can make are read (or refused), each against our read
// of the figure's TIFF.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include "imagefiles/file_io.h"
#include "imagefiles/lbm_codec.h"
#include "imagefiles/pcx_codec.h"
#include "imagefiles/tga_codec.h"
#include "imagefiles/tiff_codec.h"
#include "bench_mobius.h"
#include "hostile_tiff_files.h"
#include "machine/simulation.h"

namespace trochodraw {
namespace {

constexpr int kWidth = 1600, kHeight = 1200;

TBitmap RenderFigure() {
  TLineColoring lc;
  lc.Settings.Mode = lcDistance;
  TSimulation sim(lc);
  SetUpMobius(sim, kWidth, kHeight, 2.0, true);
  for (int t = 0; t < 3000; ++t) sim.Timer1Timer();
  TBitmap figure = sim.FigureImage;
  figure.SetPixelFormat(TPixelFormat::pf24bit);
  return figure;
}

std::string Folder() {
  static const std::string dir = [] {
    char name[] = "/tmp/trochodraw-bench-XXXXXX";
    const char* made = ::mkdtemp(name);
    if (!made) std::abort();
    return std::string(made);
  }();
  return dir;
}

std::string PathOf(const std::string& Name) { return Folder() + "/" + Name; }

void WritePPM(const TBitmap& B, const std::string& Name) {
  std::vector<uint8_t> out;
  const std::string head = "P6\n" + std::to_string(B.Width()) + " " + std::to_string(B.Height()) + "\n255\n";
  out.assign(head.begin(), head.end());
  for (int y = 0; y < B.Height(); ++y)
    for (int x = 0; x < B.Width(); ++x) {
      const TColor c = B.GetPixel(x, y);
      out.insert(out.end(), {RedOf(c), GreenOf(c), BlueOf(c)});
    }
  WriteFileAtomically(Name, out);
}

// The rendered figure, its PPM (for the tools) and the 8-bit copy the IFF writer makes
// (so ppmtoilbm gets the same pixels our file holds).
struct TInputs {
  TBitmap Figure = RenderFigure();
  TBitmap Reduced = [this] {
    TBitmap b = Figure;
    b.SetPixelFormat(TPixelFormat::pf8bit);
    return b;
  }();
  TInputs() {
    WritePPM(Figure, PathOf("figure.ppm"));
    WritePPM(Reduced, PathOf("reduced.ppm"));
  }
};

const TInputs& Inputs() {
  static const TInputs inputs;
  return inputs;
}

bool Shell(const std::string& Command) { return std::system(("{ " + Command + "; } 2>/dev/null").c_str()) == 0; }

double FileSize(const std::string& Name) {
  std::error_code ec;
  const auto n = std::filesystem::file_size(Name, ec);
  return ec ? 0.0 : double(n);
}

struct TFormat {
  const char* Name;
  std::vector<uint8_t> (*Encode)(const TBitmap&);
  TBitmap (*Decode)(const uint8_t*, size_t);
  const char* File;
  const char* Writer;  // reads $IN, writes $OUT
  const char* Reader;  // reads $IN
};

std::vector<uint8_t> EncodeTIFFDefault(const TBitmap& B) { return EncodeTIFF(B); }
std::vector<uint8_t> EncodeLBMDefault(const TBitmap& B) { return EncodeLBM(B); }

const TFormat kFormats[] = {
    {"TIFF", EncodeTIFFDefault, DecodeTIFF, "figure.tif", "pamtotiff -packbits $IN > $OUT",
     "tiff2rgba $IN $IN.rgba.tif"},
    {"PCX", EncodePCX, DecodePCX, "figure.pcx", "ppmtopcx -24bit $IN > $OUT", "pcxtoppm $IN > /dev/null"},
    {"IFF", EncodeLBMDefault, DecodeLBM, "figure.lbm", "ppmtoilbm -aga $IN > $OUT", "ilbmtoppm $IN > /dev/null"},
    {"TGA", EncodeTGA, DecodeTGA, "figure.tga", "ppmtotga -rgb -norle $IN > $OUT", "tgatoppm $IN > /dev/null"},
};

std::string Fill(std::string Command, const std::string& In, const std::string& Out) {
  for (const auto& [key, value] : {std::pair<std::string, std::string>{"$IN", In}, {"$OUT", Out}})
    for (size_t at; (at = Command.find(key)) != std::string::npos;) Command.replace(at, key.size(), value);
  return Command;
}

void OurWrite(benchmark::State& State, const TFormat& F) {
  const TBitmap& figure = Inputs().Figure;
  const std::string out = PathOf(F.File);
  for (auto _ : State) WriteFileAtomically(out, F.Encode(figure));
  State.counters["bytes"] = FileSize(out);
}

void ToolWrite(benchmark::State& State, const TFormat& F) {
  const std::string in = PathOf(F.Encode == EncodeLBMDefault ? "reduced.ppm" : "figure.ppm");
  const std::string out = PathOf(std::string("tool-") + F.File);
  Inputs();
  for (auto _ : State)
    if (!Shell(Fill(F.Writer, in, out))) State.SkipWithError("the tool failed or is missing");
  State.counters["bytes"] = FileSize(out);
}

// Both readers read the file our writer made.
void OurRead(benchmark::State& State, const TFormat& F) {
  const std::string in = PathOf(F.File);
  WriteFileAtomically(in, F.Encode(Inputs().Figure));
  for (auto _ : State) {
    const std::vector<uint8_t> data = ReadWholeFile(in);
    benchmark::DoNotOptimize(F.Decode(data.data(), data.size()));
  }
}

void ToolRead(benchmark::State& State, const TFormat& F) {
  const std::string in = PathOf(F.File);
  WriteFileAtomically(in, F.Encode(Inputs().Figure));
  for (auto _ : State)
    if (!Shell(Fill(F.Reader, in, ""))) State.SkipWithError("the tool failed or is missing");
}

const std::vector<THostileTIFF>& Hostile() {
  static const std::vector<THostileTIFF> files = HostileTIFFs(100 * 1024);
  return files;
}

void HostileRead(benchmark::State& State, const THostileTIFF& F) {
  std::string outcome;
  for (auto _ : State) {
    try {
      const TBitmap b = DecodeTIFF(F.File.data(), F.File.size());
      outcome = "read " + std::to_string(b.Width()) + " x " + std::to_string(b.Height());
    } catch (const EImageError& e) {
      outcome = std::string("refused: ") + e.what();
    }
  }
  State.SetLabel(outcome);
  State.counters["bytes"] = double(F.File.size());
}

// What the densest file's picture costs to allocate, decoding aside.
void DensestBitmapAlone(benchmark::State& State) {
  const std::vector<uint8_t>& f = Hostile().front().File;
  const TBitmap shape = DecodeTIFF(f.data(), f.size());
  for (auto _ : State) benchmark::DoNotOptimize(TBitmap(shape.Width(), shape.Height(), shape.PixelFormat()).ScanLine(0));
}

// Collects the runs so the table of ratios can follow the usual output.
class TRatioReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& Runs) override {
    ConsoleReporter::ReportRuns(Runs);
    for (const Run& r : Runs) {
      if (r.error_occurred) continue;
      TResult& x = FResults[r.run_name.function_name];
      x.Seconds = r.GetAdjustedRealTime();
      const auto it = r.counters.find("bytes");
      if (it != r.counters.end()) x.Bytes = it->second;
    }
  }

  void PrintRatios() const {
    std::printf("\n%-6s %-6s %12s %12s %8s %12s %12s %8s\n", "format", "side", "ours ms", "tool ms", "time", "ours bytes",
                "tool bytes", "size");
    for (const TFormat& f : kFormats)
      for (const char* side : {"write", "read"}) {
        const std::string base = std::string(side) + "/" + f.Name;
        const auto ours = FResults.find(base + "/ours"), tool = FResults.find(base + "/tool");
        if (ours == FResults.end() || tool == FResults.end()) continue;
        const double ms = ours->second.Seconds, tms = tool->second.Seconds;
        std::printf("%-6s %-6s %12.2f %12.2f %8.2f", f.Name, side, ms, tms, ms / tms);
        if (ours->second.Bytes > 0 && tool->second.Bytes > 0)
          std::printf(" %12.0f %12.0f %8.2f", ours->second.Bytes, tool->second.Bytes, ours->second.Bytes / tool->second.Bytes);
        std::printf("\n");
      }
    std::printf("(time and size are ours over the tool's; the tools' times include starting the process)\n");
    const auto normal = FResults.find("read/TIFF/ours");
    if (normal == FResults.end()) return;
    std::printf("\n%-34s %10s %12s\n", "100 KB hostile TIFF", "ms", "over read");
    for (const auto& [name, r] : FResults)
      if (name.rfind("hostile/", 0) == 0)
        std::printf("%-34s %10.2f %12.2f\n", name.c_str() + 8, r.Seconds, r.Seconds / normal->second.Seconds);
    std::printf("(over read: the time over our read of the %d x %d figure's TIFF, %.2f ms)\n", kWidth, kHeight,
                normal->second.Seconds);
  }

 private:
  struct TResult {
    double Seconds = 0, Bytes = 0;
  };
  std::map<std::string, TResult> FResults;
};

// Wall time throughout: a tool's work happens in a child process the CPU timer does not see.
void Register() {
  for (const TFormat& f : kFormats) {
    const std::string n = f.Name;
    const std::pair<std::string, void (*)(benchmark::State&, const TFormat&)> runs[] = {
        {"write/" + n + "/ours", OurWrite},
        {"write/" + n + "/tool", ToolWrite},
        {"read/" + n + "/ours", OurRead},
        {"read/" + n + "/tool", ToolRead}};
    for (const auto& [name, body] : runs)
      benchmark::RegisterBenchmark(name.c_str(), body, f)->Unit(benchmark::kMillisecond)->UseRealTime();
  }
  for (const THostileTIFF& h : Hostile())
    benchmark::RegisterBenchmark(("hostile/" + h.Name).c_str(), HostileRead, h)
        ->Unit(benchmark::kMillisecond)
        ->UseRealTime();
  benchmark::RegisterBenchmark("hostile/its picture, allocated alone", DensestBitmapAlone)
      ->Unit(benchmark::kMillisecond)
      ->UseRealTime();
}

}  // namespace
}  // namespace trochodraw

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  trochodraw::Register();
  trochodraw::TRatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  reporter.PrintRatios();
  std::error_code ec;
  std::filesystem::remove_all(trochodraw::Folder(), ec);
  benchmark::Shutdown();
  return 0;
}
