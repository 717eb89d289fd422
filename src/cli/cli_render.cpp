#include "cli/cli_render.h"

#include <cstdio>
#include <fstream>
#include <iostream>
#include <memory>
#include <string>

#include "cli/cli_animation.h"
#include "cli/cli_args.h"
#include "cli/cli_machine_options.h"
#include "cli/cli_mosaic.h"
#include "cli/cli_period.h"
#include "cli/cli_status.h"
#include "cli/cli_vector.h"
#include "imagefiles/save_figure.h"
#include "machine/figure_runner.h"
#include "machine/simulation.h"

namespace trochodraw::cli {

namespace {

struct TRenderOptions {
  std::string Output;
  std::string MechanismOutput;
  std::string PathOutput;
  int64_t Ticks = 3000;
  bool Complete = false, NearComplete = false;
  double Tolerance = 0.5;
  int Width = 640, Height = 480;
  int MechanismWidth = 350, MechanismHeight = 400;
  double Angles[4] = {};
  TMachineOptions Machine;
  bool Progress = false;
  bool Quiet = false;
  TVectorOutputs Vector;
  TAnimationOutputs Animation;
  TMosaicOptions Mosaic;
};

const char* const kUsage =
    "usage: trochodraw-cli render [options] -o FILE|--svg FILE|--pdf FILE|--hpgl FILE|--gcode FILE|--stats|\n"
    "                                       --animate FILE\n"
    "  Says what it wrote on standard error; standard output carries only the path of --path -\n"
    "  and the statistics of --stats.\n"
    "  --pattern NAME                 start from the first saved pattern of that name\n"
    "  --patterns-file PATH           pattern library to read (default: the user's Gyrotracer.ini;\n"
    "                                 without either option: the first built-in pattern)\n"
    "  --radius1 P --radius2 P        wheel radii in percent (1 to 100)\n"
    "  --rpm1 R --rpm2 R              speeds (-100 to 100)\n"
    "  --mode two-wheel|outer-planetary|inner-planetary\n"
    "  --mechanism pantograph|t-bar\n"
    "  --angles A1,A2,A1A,A2A         start angles of Wheel1, Wheel2, Planet1, Planet2\n"
    "  --scale S  --offset X,Y\n"
    "  --size WxH                     figure size (default 640x480)\n"
    "  --mechanism-width W            width of the mechanism pane (default 350)\n"
    "  --ticks N                      timer ticks to run (default 3000)\n"
    "  --complete                     run exactly one whole figure (see the period command)\n"
    "  --near-complete                run until the figure looks closed: every angle back within\n"
    "                                 --tolerance DEG degrees (default 0.5) of its start\n"
    "  --accelerate  --no-antialias\n"
    "  --background RRGGBB            figure background (default FFFFFF)\n"
    "  --line-mode single|step|phase1|phase2|distance  --colour RRGGBB\n"
    "  --start-colour RRGGBB --end-colour RRGGBB --steps N --pixel-range N --pixel-offset N --pen-width N\n"
    "  --mechanism-image FILE         also write the mechanism pane after the last tick\n"
    "  -o and --mechanism-image convert the picture to 24 bits first for TIFF and TGA (the\n"
    "  program's Save Image As takes these formats only after a mosaic)\n"
    "  --path FILE|-                  write the pen path as CSV\n"
    "  --progress                     a progress bar on standard error\n";

void ParseOptions(TArgs& a, TRenderOptions& o, TSimulation& sim, TLineColoring& lc) {
  TTickSettings& s = sim.Settings;
  while (!a.Done()) {
    const std::string opt = a.Next();
    if (ParseMachineOption(opt, a, o.Machine)) continue;
    if (opt == "-o" || opt == "--output") {
      o.Output = a.Value(opt);
    } else if (opt == "--size") {
      a.Size(opt, o.Width, o.Height, 100000);
    } else if (opt == "--mechanism-width") {
      o.MechanismWidth = static_cast<int>(a.Integer(opt, 1, 10000));
    } else if (opt == "--mechanism-height") {
      o.MechanismHeight = static_cast<int>(a.Integer(opt, 1, 10000));
    } else if (opt == "--ticks") {
      o.Ticks = a.Integer(opt, 0, 100000000);
    } else if (opt == "--complete") {
      o.Complete = true;
    } else if (opt == "--near-complete") {
      o.NearComplete = true;
    } else if (opt == "--tolerance") {
      o.Tolerance = a.Real(opt, 0, 180);
    } else if (opt == "--accelerate") {
      s.Accelerate = true;
    } else if (opt == "--no-antialias") {
      s.Antialias = false;
    } else if (opt == "--background") {
      sim.BackColor = a.Colour(opt);
    } else if (opt == "--line-mode") {
      const std::string v = a.Value(opt);
      if (v == "single") lc.Settings.Mode = lcSingle;
      else if (v == "step") lc.Settings.Mode = lcStep;
      else if (v == "phase1") lc.Settings.Mode = lcPhase1;
      else if (v == "phase2") lc.Settings.Mode = lcPhase2;
      else if (v == "distance") lc.Settings.Mode = lcDistance;
      else throw EUsage("option --line-mode: unknown mode: " + v);
    } else if (opt == "--colour" || opt == "--color") {
      lc.Settings.SingleColor = a.Colour(opt);
    } else if (opt == "--start-colour" || opt == "--start-color") {
      lc.Settings.StartColor = a.Colour(opt);
    } else if (opt == "--end-colour" || opt == "--end-color") {
      lc.Settings.EndColor = a.Colour(opt);
    } else if (opt == "--steps") {
      lc.Settings.StepSpin = static_cast<int32_t>(a.Integer(opt, -2147483647, 2147483647));
    } else if (opt == "--pixel-range") {
      lc.Settings.PixelRange = static_cast<int32_t>(a.Integer(opt, -2147483647, 2147483647));
    } else if (opt == "--pixel-offset") {
      lc.Settings.PixelOffset = static_cast<int32_t>(a.Integer(opt, -2147483647, 2147483647));
    } else if (opt == "--pen-width") {
      lc.Settings.PenWidth = static_cast<int32_t>(a.Integer(opt, 1, 10));
    } else if (opt == "--mechanism-image") {
      o.MechanismOutput = a.Value(opt);
    } else if (opt == "--path") {
      o.PathOutput = a.Value(opt);
    } else if (opt == "--progress") {
      o.Progress = true;
    } else if (opt == "--quiet") {
      o.Quiet = true;
    } else if (o.Vector.Parse(opt, a)) {
    } else if (o.Animation.Parse(opt, a)) {
    } else if (ParseMosaicOption(opt, a, o.Mosaic)) {
    } else if (opt == "-h" || opt == "--help") {
      std::cout << kUsage << kQuietUsage << TVectorOutputs::kUsage << TAnimationOutputs::kUsage << kMosaicUsage;
      std::exit(0);
    } else {
      throw EUsage("unknown option: " + opt);
    }
  }
  if (o.Complete && o.NearComplete) throw EUsage("--complete and --near-complete exclude each other");
  o.Vector.Check();
  o.Animation.Check();
  if (o.Output.empty() && !o.Vector.Any() && !o.Animation.Any())
    throw EUsage("render needs -o FILE, --svg FILE, --pdf FILE, --hpgl FILE, --gcode FILE, --stats or --animate FILE");
  if (o.PathOutput == "-" && o.Vector.Stats()) throw EUsage("--path - and --stats both write to standard output");
  CheckMosaicOptions(o.Mosaic);
}

void ShowProgress(uint64_t done, uint64_t total) {
  const int width = 40;
  const int filled = total ? static_cast<int>(done * width / total) : width;
  std::fprintf(stderr, "\r[%s%s] %3d%%", std::string(static_cast<size_t>(filled), '#').c_str(),
               std::string(static_cast<size_t>(width - filled), ' ').c_str(),
               total ? static_cast<int>(done * 100 / total) : 100);
  if (done == total) std::fputc('\n', stderr);
}

}  // namespace

int RunRender(int argc, char** argv) {
  TLineColoring lc;
  TSimulation sim(lc);
  TRenderOptions o;
  try {
    TArgs args(argc, argv, 1);
    ParseOptions(args, o, sim, lc);
    SetUpMachine(o.Machine, sim.Settings, o.Angles);
    if (o.Complete || o.NearComplete) o.Ticks = static_cast<int64_t>(CompleteFigureTicks(sim.Settings, o.NearComplete, o.Tolerance));
  } catch (const EUsage& e) {
    std::cerr << "trochodraw-cli render: " << e.what() << "\n";
    return 2;
  } catch (const std::exception& e) {
    std::cerr << "trochodraw-cli render: " << e.what() << "\n";
    return 1;
  }
  try {
    sim.Settings.Machine.MechanismWidth = o.MechanismWidth;
    sim.MechanismImage = TBitmap(o.MechanismWidth, o.MechanismHeight);
    sim.FigureImage = TBitmap(o.Width, o.Height);
    const TColor back = sim.BackColor;
    o.Vector.Attach(sim);
    sim.Initialise();
    sim.BackColor = back;
    sim.ClearFigure(false);
    sim.PrevPoint = {0.0, 0.0};
    sim.SetAngles(o.Angles[0], o.Angles[1], o.Angles[2], o.Angles[3]);
    sim.RefreshMechanism();

    std::unique_ptr<std::ofstream> pathFile;
    std::ostream* path = nullptr;
    if (!o.PathOutput.empty()) {
      if (o.PathOutput == "-") {
        path = &std::cout;
      } else {
        pathFile = std::make_unique<std::ofstream>(o.PathOutput);
        if (!*pathFile) throw EImageError("Cannot create file " + o.PathOutput);
        path = pathFile.get();
      }
      *path << "tick,step,x,y,drawn\n";
      sim.OnSubStep = [&](int64_t tick, int step, bool drawn) {
        char line[128];
        std::snprintf(line, sizeof line, "%lld,%d,%.17g,%.17g,%d\n", static_cast<long long>(tick), step,
                      sim.PrevPoint.X, sim.PrevPoint.Y, drawn ? 1 : 0);
        *path << line;
      };
    }
    const uint64_t total = static_cast<uint64_t>(o.Ticks);
    if (o.Animation.Any()) {
      o.Animation.Run(sim, total, [&](uint64_t done, uint64_t frames) {
        if (o.Progress) ShowProgress(done, frames);
      });
    } else {
      TFigureRunner::Run(
          sim, total,
          [&](uint64_t done, uint64_t) {
            if (o.Progress) ShowProgress(done, total);
            return true;
          },
          total / 100 + 1);
    }
    RunMosaic(sim.FigureImage, o.Mosaic, o.Progress);
    if (o.Mosaic.Enabled) o.Vector.MarkMosaic();
    if (path) {
      path->flush();
      if (!*path) throw EImageError("Write error on " + o.PathOutput);
    }
    std::ostream& status = StatusStream(o.Quiet);
    if (!o.Output.empty()) {
      SaveFigureConverted(sim.FigureImage, o.Output);
      status << "wrote " << o.Output << " (" << o.Width << "x" << o.Height << ", " << o.Ticks << " ticks)\n";
    }
    o.Vector.Write(sim, status, std::cout);
    o.Animation.Report(status);
    if (!o.MechanismOutput.empty()) {
      SaveFigureConverted(sim.MechanismImage, o.MechanismOutput);
      status << "wrote " << o.MechanismOutput << "\n";
    }
  } catch (const std::exception& e) {
    std::cerr << "trochodraw-cli render: " << e.what() << "\n";
    return 1;
  }
  return 0;
}

}  // namespace trochodraw::cli
