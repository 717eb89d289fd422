#include <cstring>
#include <iostream>
#include <string>

#include "cli/cli_commands.h"

namespace {

void Usage(std::ostream& out) {
  out << "usage: trochodraw-cli COMMAND [options]\n"
         "       trochodraw-cli help COMMAND\n"
         "       trochodraw-cli --version\n"
         "commands:\n";
  for (const auto& c : trochodraw::cli::Commands()) out << "  " << c.Name << "  " << c.Summary << "\n";
}

const trochodraw::cli::TCommand* Find(const std::string& Name) {
  for (const auto& c : trochodraw::cli::Commands())
    if (Name == c.Name) return &c;
  return nullptr;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2 || !std::strcmp(argv[1], "-h") || !std::strcmp(argv[1], "--help")) {
    Usage(argc < 2 ? std::cerr : std::cout);
    return argc < 2 ? 2 : 0;
  }
  const std::string first = argv[1];
  if (first == "--version") {
    std::cout << "trochodraw-cli " << TROCHODRAW_VERSION << "\n";
    return 0;
  }
  if (first == "help") {
    if (argc < 3) {
      Usage(std::cout);
      return 0;
    }
    const auto* c = Find(argv[2]);
    if (!c) {
      std::cerr << "trochodraw-cli: unknown command: " << argv[2] << "\n";
      Usage(std::cerr);
      return 2;
    }
    // Every command prints its own help for --help.
    char help[] = "--help";
    char* args[] = {argv[2], help, nullptr};
    return c->Run(2, args);
  }
  if (const auto* c = Find(first)) return c->Run(argc - 1, argv + 1);
  std::cerr << "trochodraw-cli: unknown command: " << first << "\n";
  Usage(std::cerr);
  return 2;
}
