#include "cli/cli_period.h"

#include <iostream>
#include <stdexcept>
#include <string>

#include "cli/cli_args.h"
#include "cli/cli_machine_options.h"
#include "machine/figure_period.h"

namespace trochodraw::cli {

namespace {

const char* const kUsage =
    "usage: trochodraw-cli period [--pattern NAME | machine options] [--accelerate] [--tolerance DEG]\n"
    "  prints after how many timer ticks the machine is back where it started, as key: value lines:\n"
    "  period-ticks (or 'more than 1e18'), wheel1-turns, wheel2-turns, planet1-turns and\n"
    "  planet2-turns (planetary modes only), near-ticks (the first tick at which every angle that\n"
    "  matters has gone round and is back within the tolerance), tolerance, seconds (the period\n"
    "  at the timer's pace of 10 ms a tick)\n"
    "  --pattern NAME  --patterns-file PATH\n"
    "  --radius1 P --radius2 P  --rpm1 R --rpm2 R  --mode two-wheel|outer-planetary|inner-planetary\n"
    "  --mechanism pantograph|t-bar  --angles A1,A2,A1A,A2A  --scale S  --offset X,Y\n"
    "                                 the machine, as for render (see render --help)\n"
    "  --accelerate                   ticks of the accelerated machine (ten times as far a tick)\n"
    "  --tolerance DEG                near closure tolerance in degrees (default 0.5, 0 to 180)\n";

const char* const kNothingMoves = "nothing moves: both wheel speeds are 0";

// Exact decimal seconds of Ticks timer intervals of Interval ms: 3450 -> "34.5".
std::string SecondsText(uint64_t Ticks, int Interval) {
  std::string s = IntegerText(TInt128(Ticks) * Interval);
  while (s.size() < 4) s.insert(s.begin(), '0');
  std::string out = s.substr(0, s.size() - 3) + "." + s.substr(s.size() - 3);
  while (out.back() == '0') out.pop_back();
  if (out.back() == '.') out.pop_back();
  return out;
}

std::string ToleranceText(double Tolerance) {
  char buf[32];
  std::snprintf(buf, sizeof buf, "%.15g", Tolerance);
  return buf;
}

}  // namespace

uint64_t CompleteFigureTicks(const TTickSettings& Settings, bool Near, double Tolerance) {
  const TFigurePeriod p = FigurePeriod(Settings);
  if (!p.Moves) throw std::runtime_error(kNothingMoves);
  if (!Near) {
    if (!p.Exact) throw std::runtime_error("the figure closes after more than 1e18 ticks; try --near-complete");
    return p.Ticks;
  }
  const TNearClosure n = NearClosure(Settings, Tolerance, UINT64_MAX);
  if (!n.Found)
    throw std::runtime_error("the figure does not come within " + ToleranceText(Tolerance) +
                             " degrees of closing in a search this long; try a larger --tolerance");
  return n.Ticks;
}

int RunPeriod(int argc, char** argv) {
  TMachineOptions machine;
  TTickSettings settings;
  double angles[4] = {};
  double tolerance = 0.5;
  bool accelerate = false;
  try {
    TArgs a(argc, argv, 1);
    while (!a.Done()) {
      const std::string opt = a.Next();
      if (ParseMachineOption(opt, a, machine)) continue;
      if (opt == "--accelerate") {
        accelerate = true;
      } else if (opt == "--tolerance") {
        tolerance = a.Real(opt, 0, 180);
      } else if (opt == "-h" || opt == "--help") {
        std::cout << kUsage;
        return 0;
      } else {
        throw EUsage("unknown option: " + opt);
      }
    }
    SetUpMachine(machine, settings, angles);
  } catch (const EUsage& e) {
    std::cerr << "trochodraw-cli period: " << e.what() << "\n";
    return 2;
  } catch (const std::exception& e) {
    std::cerr << "trochodraw-cli period: " << e.what() << "\n";
    return 1;
  }
  settings.Accelerate = accelerate;
  const TFigurePeriod p = FigurePeriod(settings);
  if (!p.Moves) {
    std::cerr << "trochodraw-cli period: " << kNothingMoves << "\n";
    return 1;
  }
  const TNearClosure n = NearClosure(settings, tolerance, UINT64_MAX);
  const std::string unknown = "more than 1e18";
  std::cout << "period-ticks: " << (p.Exact ? IntegerText(p.Ticks) : unknown) << "\n";
  // Turns are exact only with the exact period; beyond it they are as unknown as the period.
  for (int k = 0; k < 2; ++k)
    std::cout << "wheel" << k + 1 << "-turns: " << (p.Exact ? IntegerText(p.WheelTurns[k]) : "unknown") << "\n";
  if (p.PlanetsMatter)
    for (int k = 0; k < 2; ++k)
      std::cout << "planet" << k + 1 << "-turns: " << (p.Exact ? IntegerText(p.PlanetTurns[k]) : "unknown") << "\n";
  std::cout << "near-ticks: " << (n.Found ? IntegerText(n.Ticks) : "not found") << "\n";
  std::cout << "tolerance: " << ToleranceText(tolerance) << "\n";
  std::cout << "seconds: " << (p.Exact ? SecondsText(p.Ticks, settings.TimerInterval) : "more than 1e16") << "\n";
  return 0;
}

}  // namespace trochodraw::cli
