#include "cli/cli_args.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <sstream>

namespace trochodraw::cli {

TArgs::TArgs(int argc, char** argv, int first) {
  for (int i = first; i < argc; ++i) FArgs.emplace_back(argv[i]);
}

std::string TArgs::Next() { return FArgs[FPos++]; }

std::string TArgs::Value(const std::string& Option) {
  if (Done()) throw EUsage("option " + Option + " needs a value");
  return Next();
}

double ParseReal(const std::string& Option, const std::string& Text) {
  if (Text.empty()) throw EUsage("option " + Option + ": empty value");
  char* end = nullptr;
  errno = 0;
  const double v = std::strtod(Text.c_str(), &end);
  if (end == Text.c_str() || *end != '\0' || errno == ERANGE || !std::isfinite(v))
    throw EUsage("option " + Option + ": not a number: " + Text);
  return v;
}

double TArgs::Real(const std::string& Option, double Lo, double Hi) {
  const std::string t = Value(Option);
  const double v = ParseReal(Option, t);
  if (v < Lo || v > Hi) {
    std::ostringstream m;
    m << "option " << Option << ": " << t << " is outside " << Lo << " to " << Hi;
    throw EUsage(m.str());
  }
  return v;
}

int64_t TArgs::Integer(const std::string& Option, int64_t Lo, int64_t Hi) {
  const std::string t = Value(Option);
  char* end = nullptr;
  errno = 0;
  const long long v = std::strtoll(t.c_str(), &end, 10);
  if (t.empty() || *end != '\0' || errno == ERANGE) throw EUsage("option " + Option + ": not a whole number: " + t);
  if (v < Lo || v > Hi)
    throw EUsage("option " + Option + ": " + t + " is outside " + std::to_string(Lo) + " to " + std::to_string(Hi));
  return v;
}

TColor TArgs::Colour(const std::string& Option) {
  std::string t = Value(Option);
  if (!t.empty() && t[0] == '#') t.erase(0, 1);
  if (t.size() != 6 || t.find_first_not_of("0123456789abcdefABCDEF") != std::string::npos)
    throw EUsage("option " + Option + ": colour must be RRGGBB: " + t);
  const unsigned long v = std::strtoul(t.c_str(), nullptr, 16);
  return RGBColor(uint8_t(v >> 16), uint8_t(v >> 8), uint8_t(v));
}

std::vector<double> TArgs::Reals(const std::string& Option, size_t Count) {
  const std::string t = Value(Option);
  std::vector<double> out;
  std::stringstream ss(t);
  std::string item;
  while (std::getline(ss, item, ',')) out.push_back(ParseReal(Option, item));
  if (out.size() != Count || (!t.empty() && t.back() == ','))
    throw EUsage("option " + Option + " needs " + std::to_string(Count) + " comma-separated numbers: " + t);
  return out;
}

void TArgs::Size(const std::string& Option, int& W, int& H, int Max) {
  const std::string t = Value(Option);
  const auto x = t.find_first_of("xX");
  auto num = [&](const std::string& s) {
    char* end = nullptr;
    errno = 0;
    const long v = std::strtol(s.c_str(), &end, 10);
    if (s.empty() || *end != '\0' || errno == ERANGE || v < 1 || v > Max)
      throw EUsage("option " + Option + ": size must be WxH with sides 1 to " + std::to_string(Max) + ": " + t);
    return static_cast<int>(v);
  };
  if (x == std::string::npos) throw EUsage("option " + Option + ": size must be WxH: " + t);
  W = num(t.substr(0, x));
  H = num(t.substr(x + 1));
}

}  // namespace trochodraw::cli
