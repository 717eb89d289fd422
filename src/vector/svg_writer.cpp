#include "vector/svg_writer.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <map>

namespace trochodraw {

namespace {

// Coordinates beyond this many hundredths are far off any page; clamping keeps the integer
// arithmetic defined.
constexpr double kLargest = 1e15;

int64_t Hundredths(double V) {
  if (!std::isfinite(V)) return 0;
  return std::llround(std::clamp(V * 100.0, -kLargest, kLargest));
}

void AppendHundredths(std::string& Out, int64_t N) {
  if (N < 0) {
    Out.push_back('-');
    N = -N;
  }
  char buf[24];
  char* end = buf + sizeof buf;
  char* p = end;
  int64_t whole = N / 100;
  const int frac = static_cast<int>(N % 100);
  do {
    *--p = static_cast<char>('0' + whole % 10);
    whole /= 10;
  } while (whole);
  Out.append(p, end);
  if (frac) {
    Out.push_back('.');
    Out.push_back(static_cast<char>('0' + frac / 10));
    if (frac % 10) Out.push_back(static_cast<char>('0' + frac % 10));
  }
}

void AppendNumber(std::string& Out, double V) { AppendHundredths(Out, Hundredths(V)); }

// Stroke widths never round away to nothing.
void AppendWidth(std::string& Out, double W) { AppendHundredths(Out, std::max<int64_t>(Hundredths(W), 1)); }

void AppendColor(std::string& Out, TColor C) {
  static const char hex[] = "0123456789abcdef";
  const uint8_t rgb[3] = {RedOf(C), GreenOf(C), BlueOf(C)};
  Out.push_back('#');
  for (uint8_t v : rgb) {
    Out.push_back(hex[v >> 4]);
    Out.push_back(hex[v & 15]);
  }
}

// A number after another: a minus sign separates by itself.
void AppendNext(std::string& Out, int64_t N) {
  if (N >= 0) Out.push_back(' ');
  AppendHundredths(Out, N);
}

void AppendPathData(std::string& Out, const TVectorDocument& Doc, const TDocPath& P) {
  Out += " d=\"M";
  int64_t x = Hundredths(Doc.Points[P.First].X), y = Hundredths(Doc.Points[P.First].Y);
  AppendHundredths(Out, x);
  AppendNext(Out, y);
  Out.push_back('l');
  for (size_t k = 1; k < P.Count; ++k) {
    const int64_t nx = Hundredths(Doc.Points[P.First + k].X), ny = Hundredths(Doc.Points[P.First + k].Y);
    if (k == 1) {
      AppendHundredths(Out, nx - x);
    } else {
      AppendNext(Out, nx - x);
    }
    AppendNext(Out, ny - y);
    x = nx;
    y = ny;
  }
  Out.push_back('"');
}

// The width most paths of a layer have, set once on its group.
double CommonWidth(const TDocLayer& L) {
  std::map<int64_t, size_t> count;
  for (const TDocPath& p : L.Paths) ++count[Hundredths(p.Width)];
  int64_t best = 100;
  size_t most = 0;
  for (const auto& [w, n] : count)
    if (n > most) most = n, best = w;
  return static_cast<double>(best) / 100.0;
}

}  // namespace

std::string FormatSVGNumber(double V) {
  std::string s;
  AppendNumber(s, V);
  return s;
}

std::string EncodeSVG(const TVectorDocument& Doc) {
  std::string out;
  size_t points = Doc.Points.size();
  out.reserve(512 + points * 12 + Doc.PathCount() * 48);
  const char* unit = Doc.Millimetres ? "mm" : "";
  out += "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"no\"?>\n<svg xmlns=\"http://www.w3.org/2000/svg\"";
  if (Doc.Layered) out += " xmlns:inkscape=\"http://www.inkscape.org/namespaces/inkscape\"";
  out += " version=\"1.1\" width=\"";
  AppendNumber(out, Doc.Width);
  out += unit;
  out += "\" height=\"";
  AppendNumber(out, Doc.Height);
  out += unit;
  out += "\" viewBox=\"0 0 ";
  AppendNumber(out, Doc.Width);
  out.push_back(' ');
  AppendNumber(out, Doc.Height);
  out += "\">\n<title>Trochodraw drawing</title>\n";
  if (Doc.HasBackground) {
    out += "<rect width=\"";
    AppendNumber(out, Doc.Width);
    out += "\" height=\"";
    AppendNumber(out, Doc.Height);
    out += "\" fill=\"";
    AppendColor(out, Doc.Background);
    out += "\"/>\n";
  }
  // Drawn segment by segment, a turn leaves a notch on its outer side; a bevel join fills no
  // more than that notch. A plotter's round pen draws round joins.
  const char* join = Doc.Millimetres ? "round" : "bevel";
  int part = 0;
  for (size_t i = 0; i < Doc.Layers.size(); ++i) {
    const TDocLayer& layer = Doc.Layers[i];
    if (layer.Paths.empty()) continue;
    const double width = CommonWidth(layer);
    out += "<g";
    if (Doc.Layered) {
      // Named the way AxiDraw-style plotting tools read layers: the plotting order first, a
      // leading "!" to stop before the layer (a pen change, or a re-inking).
      part = i > 0 && Doc.Layers[i - 1].Pen == layer.Pen ? part + 1 : 1;
      const std::string pen = std::to_string(layer.Pen);
      out += " inkscape:groupmode=\"layer\" id=\"pen" + pen + (part > 1 ? "-" + std::to_string(part) : "") +
             "\" inkscape:label=\"" + (layer.Pause != lpNone ? "!" : "") + pen + " " + PenColorName(layer.Color) +
             (layer.Pause == lpReink ? " re-ink" : "") + "\" stroke=\"";
      AppendColor(out, layer.Color);
      out.push_back('"');
    }
    out += " fill=\"none\" stroke-linecap=\"butt\" stroke-linejoin=\"";
    out += join;
    out += "\" stroke-width=\"";
    AppendWidth(out, width);
    out += "\">\n";
    for (const TDocPath& p : layer.Paths) {
      out += "<path";
      if (!Doc.Layered) {
        out += " stroke=\"";
        AppendColor(out, p.Color);
        out.push_back('"');
      }
      if (Hundredths(p.Width) != Hundredths(width)) {
        out += " stroke-width=\"";
        AppendWidth(out, p.Width);
        out.push_back('"');
      }
      if (!p.Antialiased && !Doc.Layered) out += " shape-rendering=\"crispEdges\"";
      AppendPathData(out, Doc, p);
      out += "/>\n";
    }
    out += "</g>\n";
  }
  out += "</svg>\n";
  return out;
}

}  // namespace trochodraw
