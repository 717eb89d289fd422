#include <cstring>
#include <iostream>
#include <string>

#include "cli/cli_commands.h"

namespace {

void Usage(std::ostream& out) {
  out << "usage: trochodraw-cli COMMAND [options]\n"
         "commands:\n";
  for (const auto& c : trochodraw::cli::Commands()) out << "  " << c.Name << "  " << c.Summary << "\n";
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2 || !std::strcmp(argv[1], "-h") || !std::strcmp(argv[1], "--help")) {
    Usage(argc < 2 ? std::cerr : std::cout);
    return argc < 2 ? 2 : 0;
  }
  for (const auto& c : trochodraw::cli::Commands())
    if (argv[1] == std::string(c.Name)) return c.Run(argc - 1, argv + 1);
  std::cerr << "trochodraw-cli: unknown command: " << argv[1] << "\n";
  Usage(std::cerr);
  return 2;
}
