#include "cli/cli_commands.h"

#include "cli/cli_render.h"

namespace trochodraw::cli {

const std::vector<TCommand>& Commands() {
  static const std::vector<TCommand> commands = {
      {"render", "run the drawing machine and write the figure", RunRender},
  };
  return commands;
}

}  // namespace trochodraw::cli
