#include "cli/cli_surprise.h"

#include <chrono>
#include <iostream>
#include <string>

#include "cli/cli_args.h"
#include "cli/cli_patterns.h"
#include "cli/cli_status.h"
#include "explore/pattern_exchange.h"
#include "explore/surprise.h"

namespace trochodraw::cli {

namespace {

const char* const kUsage =
    "usage: trochodraw-cli surprise [options] [-o FILE]\n"
    "  makes random patterns whose figures close within --max-ticks ticks, fit the figure, are\n"
    "  neither tiny scribbles nor a near-single line, and writes them as a pattern file (to\n"
    "  standard output without -o) that patterns --patterns-file and patterns import read\n"
    "  --count N             how many (default 9)\n"
    "  --max-ticks N         the longest period allowed (default 20000)\n"
    "  --seed S              the same seed gives the same patterns (default: from the clock;\n"
    "                        the seed used is said on standard error)\n"
    "  --figure-size WxH     the figure they must fit (default 640x480)\n"
    "  --threads N           worker threads (default: one per core)\n"
    "  -o FILE               the pattern file to write (replaced whole)\n";

}  // namespace

int RunSurprise(int argc, char** argv) {
  std::string output;
  TSurpriseConstraints c;
  int count = 9, threads = 0;
  uint64_t seed = 0;
  bool seeded = false, quiet = false;
  try {
    TArgs a(argc, argv, 1);
    while (!a.Done()) {
      const std::string opt = a.Next();
      if (opt == "-o" || opt == "--output") {
        output = a.Value(opt);
      } else if (opt == "--count") {
        count = static_cast<int>(a.Integer(opt, 1, 1000));
      } else if (opt == "--max-ticks") {
        c.MaxTicks = static_cast<uint64_t>(a.Integer(opt, 1, 10000000));
      } else if (opt == "--seed") {
        seed = static_cast<uint64_t>(a.Integer(opt, 0, INT64_MAX));
        seeded = true;
      } else if (opt == "--figure-size") {
        a.Size(opt, c.FigureWidth, c.FigureHeight, 100000);
      } else if (opt == "--threads") {
        threads = static_cast<int>(a.Integer(opt, 1, 256));
      } else if (opt == "--quiet") {
        quiet = true;
      } else if (opt == "-h" || opt == "--help") {
        std::cout << kUsage << kQuietUsage;
        return 0;
      } else {
        throw EUsage("unknown option: " + opt);
      }
    }
  } catch (const EUsage& e) {
    std::cerr << "trochodraw-cli surprise: " << e.what() << "\n";
    return 2;
  }
  if (!seeded)
    seed = static_cast<uint64_t>(std::chrono::system_clock::now().time_since_epoch().count()) % 1000000000ULL;
  try {
    const TPatternArray list = SurprisePatterns(seed, count, c, threads);
    const TFormatSettings fs = SystemFormatSettings();
    std::ostream& status = StatusStream(quiet);
    if (output.empty()) {
      std::cout << PatternFileText(list, fs) << std::flush;
    } else {
      WritePatternFile(output, list, fs);
      status << "wrote " << output << " (" << list.size() << " patterns)\n";
    }
    status << "seed: " << seed << "\n";
  } catch (const std::exception& e) {
    std::cerr << "trochodraw-cli surprise: " << e.what() << "\n";
    return 1;
  }
  return 0;
}

}  // namespace trochodraw::cli
