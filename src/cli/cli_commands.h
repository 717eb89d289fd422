#pragma once

#include <vector>

namespace trochodraw::cli {

struct TCommand {
  const char* Name;
  const char* Summary;
  int (*Run)(int argc, char** argv);
};

const std::vector<TCommand>& Commands();

}  // namespace trochodraw::cli
