#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

#include "render/color.h"

namespace trochodraw::cli {

// A usage mistake: one line naming the problem, exit status 2.
class EUsage : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Walks argv one option at a time; values are checked as they are taken.
class TArgs {
 public:
  TArgs(int argc, char** argv, int first);
  bool Done() const { return FPos >= FArgs.size(); }
  std::string Next();
  std::string Value(const std::string& Option);
  double Real(const std::string& Option, double Lo, double Hi);
  int64_t Integer(const std::string& Option, int64_t Lo, int64_t Hi);
  TColor Colour(const std::string& Option);
  std::vector<double> Reals(const std::string& Option, size_t Count);
  void Size(const std::string& Option, int& W, int& H, int Max);

 private:
  std::vector<std::string> FArgs;
  size_t FPos = 0;
};

double ParseReal(const std::string& Option, const std::string& Text);

}  // namespace trochodraw::cli
