#include "cli/cli_commands.h"

#include "cli/cli_convert.h"
#include "cli/cli_patterns.h"
#include "cli/cli_render.h"

namespace trochodraw::cli {

const std::vector<TCommand>& Commands() {
  static const std::vector<TCommand> commands = {
      {"render", "run the drawing machine and write the figure", RunRender},
      {"convert", "read a picture file and write it in another format", RunConvert},
      {"patterns", "list the pattern library or show pattern properties", RunPatterns},
  };
  return commands;
}

}  // namespace trochodraw::cli
