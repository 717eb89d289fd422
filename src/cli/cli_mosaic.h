#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "cli/cli_args.h"
#include "colouring/colour_band_palette.h"
#include "colouring/mosaic.h"
#include "render/bitmap.h"

namespace trochodraw::cli {

// The render options of the Coloring dialog's "Mosaic" tab.
struct TMosaicOptions {
  bool Enabled = false;
  TMosaicSettings Settings;
  std::optional<TColorCount> ColorCount;  // the "Color Count" choice; 32 bands otherwise
  std::optional<uint64_t> Seed;           // random colours from the clock otherwise
  std::string Given;                      // the first mosaic setting seen, for the usage check
};

extern const char* const kMosaicUsage;

// Takes Option and its value if it is one of the mosaic options; false when it is not.
bool ParseMosaicOption(const std::string& Option, TArgs& Args, TMosaicOptions& Options);
// Mosaic settings without --mosaic are a usage mistake.
void CheckMosaicOptions(const TMosaicOptions& Options);
// Runs "Mozaic Image" on the figure with the palette the Coloring dialog holds: 32 bands,
// depth scale 0 to half the figure's width.
void RunMosaic(TBitmap& Figure, const TMosaicOptions& Options, bool Progress);

}  // namespace trochodraw::cli
