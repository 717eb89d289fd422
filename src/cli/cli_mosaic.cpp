#include "cli/cli_mosaic.h"

#include <cstdio>

namespace trochodraw::cli {

const char* const kMosaicUsage =
    "  --mosaic gradient|random       fill the figure's regions after the ticks\n"
    "  --threshold T                  fill threshold, 0 to 1 (default 0.6)\n"
    "  --mosaic-background RRGGBB     colour of the outside (default 000000)\n"
    "  --colour-count 12|20|24|30|32  bands of the palette (default 32)\n"
    "  --seed N                       seed of the random colours (default: the clock)\n";

bool ParseMosaicOption(const std::string& Option, TArgs& Args, TMosaicOptions& Options) {
  if (Option == "--mosaic") {
    const std::string v = Args.Value(Option);
    if (v == "gradient")
      Options.Settings.Colors = mcGradient;
    else if (v == "random")
      Options.Settings.Colors = mcRandom;
    else
      throw EUsage("option --mosaic: unknown colouring: " + v + " (gradient or random)");
    Options.Enabled = true;
    return true;
  }
  if (Option == "--threshold") {
    Options.Settings.Threshold = Args.Real(Option, 0.0, 1.0);
  } else if (Option == "--mosaic-background") {
    Options.Settings.BackColor = Args.Colour(Option);
  } else if (Option == "--colour-count" || Option == "--color-count") {
    const std::string v = Args.Value(Option);
    if (v == "12")
      Options.ColorCount = dc12;
    else if (v == "20")
      Options.ColorCount = dc20;
    else if (v == "24")
      Options.ColorCount = dc24;
    else if (v == "30")
      Options.ColorCount = dc30;
    else if (v == "32")
      Options.ColorCount = dc32;
    else
      throw EUsage("option " + Option + ": " + v + " is not one of 12, 20, 24, 30, 32");
  } else if (Option == "--seed") {
    Options.Seed = static_cast<uint64_t>(Args.Integer(Option, 0, INT64_MAX));
  } else {
    return false;
  }
  if (Options.Given.empty()) Options.Given = Option;
  return true;
}

void CheckMosaicOptions(const TMosaicOptions& Options) {
  if (!Options.Enabled && !Options.Given.empty()) throw EUsage("option " + Options.Given + " needs --mosaic");
}

void RunMosaic(TBitmap& Figure, const TMosaicOptions& Options, bool Progress) {
  if (!Options.Enabled) return;
  TColorBandPalette palette;
  palette.SetColorCount(dc32);
  palette.SetRange(0, Figure.Width() / 2.0);
  if (Options.ColorCount) palette.ChooseColorCount(*Options.ColorCount);
  TMosaicRandom random = Options.Seed ? TMosaicRandom(*Options.Seed) : TMosaicRandom::FromClock();
  TFillProgress show;
  if (Progress)
    show = [](int percent) {
      std::fprintf(stderr, "\rmosaic %3d%%", percent);
      if (percent == 100) std::fputc('\n', stderr);
    };
  MozaicImage(Figure, palette, Options.Settings, random, show);
}

}  // namespace trochodraw::cli
