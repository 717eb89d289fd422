#include "cli/cli_commands.h"

#include "cli/cli_convert.h"
#include "cli/cli_gallery.h"
#include "cli/cli_patterns.h"
#include "cli/cli_period.h"
#include "cli/cli_render.h"
#include "cli/cli_surprise.h"

namespace trochodraw::cli {

const std::vector<TCommand>& Commands() {
  static const std::vector<TCommand> commands = {
      {"render", "run the drawing machine and write the figure", RunRender},
      {"patterns", "list the pattern library or show pattern properties", RunPatterns},
      {"convert", "read a picture file and write it in another format", RunConvert},
      {"period", "tell after how many ticks the figure closes", RunPeriod},
      {"gallery", "draw every pattern of the library on one contact sheet", RunGallery},
      {"surprise", "make random patterns whose figures close soon and fit", RunSurprise},
  };
  return commands;
}

}  // namespace trochodraw::cli
