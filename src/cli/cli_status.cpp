#include "cli/cli_status.h"

#include <iostream>

namespace trochodraw::cli {

const char* const kQuietUsage =
    "  --quiet                        no status lines; without it they go to standard error, so that\n"
    "                                 standard output holds only data written there\n";

std::ostream& StatusStream(bool Quiet) {
  // A stream without a buffer takes every write and keeps nothing.
  static std::ostream discard(nullptr);
  return Quiet ? discard : std::cerr;
}

}  // namespace trochodraw::cli
