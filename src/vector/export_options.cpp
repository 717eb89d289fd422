#include "vector/export_options.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cmath>
#include <cstdlib>

namespace trochodraw {

namespace {

std::string Lower(std::string S) {
  std::transform(S.begin(), S.end(), S.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return S;
}

// A positive decimal number filling the whole of Text, or NaN.
double Number(const std::string& Text) {
  if (Text.empty() || !(std::isdigit(static_cast<unsigned char>(Text[0])) || Text[0] == '.')) return NAN;
  char* end = nullptr;
  errno = 0;
  const double v = std::strtod(Text.c_str(), &end);
  if (*end != '\0' || errno == ERANGE) return NAN;
  return v;
}

constexpr double kLargestPageMM = 10000.0;

}  // namespace

TPageSize ParsePageSize(const std::string& Text) {
  const std::string t = Lower(Text);
  if (t == "a4") return {210.0, 297.0, true};
  if (t == "a3") return {297.0, 420.0, true};
  if (t == "letter") return {215.9, 279.4, true};
  const std::string bad = "Unknown page size: " + Text + " (use A4, A3, Letter or WxHmm)";
  if (t.size() < 5 || t.compare(t.size() - 2, 2, "mm") != 0) throw EDrawingError(bad);
  const std::string dims = t.substr(0, t.size() - 2);
  const auto x = dims.find('x');
  if (x == std::string::npos) throw EDrawingError(bad);
  const double w = Number(dims.substr(0, x)), h = Number(dims.substr(x + 1));
  if (!std::isfinite(w) || !std::isfinite(h)) throw EDrawingError(bad);
  if (w < 1.0 || h < 1.0 || w > kLargestPageMM || h > kLargestPageMM)
    throw EDrawingError("Page size out of range: " + Text + " (each side 1 to 10000 mm)");
  return {w, h, false};
}

void ValidateExportOptions(const TExportOptions& Options) {
  if (!Options.Plotter) return;
  const TPageSize& p = Options.Page;
  if (!(p.WidthMM >= 1.0 && p.HeightMM >= 1.0 && p.WidthMM <= kLargestPageMM && p.HeightMM <= kLargestPageMM))
    throw EDrawingError("Page size out of range (each side 1 to 10000 mm)");
  if (!(Options.MarginMM >= 0.0)) throw EDrawingError("The margin must be zero or more millimetres");
  if (2.0 * Options.MarginMM >= std::min(p.WidthMM, p.HeightMM))
    throw EDrawingError("The margin leaves no room on the page");
  if (!(Options.SimplifyMM >= 0.0) || !std::isfinite(Options.SimplifyMM))
    throw EDrawingError("The simplification tolerance must be zero or more millimetres");
  const double r = Options.ReinkAfterMM;
  if (!(r == 0.0 || (r >= kReinkMinMM && r <= kReinkMaxMM)))
    throw EDrawingError("The re-inking distance must be 0 (never) or 1 to 1000000 millimetres");
  const TPlotMotion& m = Options.Motion;
  for (const double v : {m.PenSpeed, m.TravelSpeed})
    if (!(v >= kSlowestMMPerS && v <= kFastestMMPerS))
      throw EDrawingError("Plotter speeds must be 0.1 to 10000 millimetres a second");
  for (const std::string* c : {&m.PenUp, &m.PenDown}) {
    const bool printable = std::all_of(c->begin(), c->end(), [](char ch) { return ch >= ' ' && ch <= '~'; });
    if (c->find_first_not_of(' ') == std::string::npos || !printable || c->size() > 80)
      throw EDrawingError("A pen command must be one line of G-code (such as M3 S0 or G0 Z5)");
  }
}

}  // namespace trochodraw
