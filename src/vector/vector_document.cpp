#include "vector/vector_document.h"

#include <algorithm>
#include <cstdio>

#include "vector/plotter_layout.h"

namespace trochodraw {

size_t TVectorDocument::PathCount() const {
  size_t n = 0;
  for (const TDocLayer& l : Layers) n += l.Paths.size();
  return n;
}

std::string PenColorName(TColor Color) {
  char name[8];
  std::snprintf(name, sizeof name, "#%02X%02X%02X", RedOf(Color), GreenOf(Color), BlueOf(Color));
  return name;
}

namespace {

// Liang-Barsky: narrows [T0, T1] to the part of A + t (B - A) inside the rectangle.
bool ClipSegment(TDocPoint A, TDocPoint B, double X0, double Y0, double X1, double Y1, double& T0, double& T1) {
  const double dx = B.X - A.X, dy = B.Y - A.Y;
  const double p[4] = {-dx, dx, -dy, dy};
  const double q[4] = {A.X - X0, X1 - A.X, A.Y - Y0, Y1 - A.Y};
  T0 = 0.0;
  T1 = 1.0;
  for (int i = 0; i < 4; ++i) {
    if (p[i] == 0.0) {
      if (q[i] < 0.0) return false;
      continue;
    }
    const double t = q[i] / p[i];
    if (p[i] < 0.0) {
      if (t > T1) return false;
      T0 = std::max(T0, t);
    } else {
      if (t < T0) return false;
      T1 = std::min(T1, t);
    }
  }
  return true;
}

TDocPoint Lerp(TDocPoint A, TDocPoint B, double T) {
  if (T == 0.0) return A;
  if (T == 1.0) return B;
  return {A.X + (B.X - A.X) * T, A.Y + (B.Y - A.Y) * T};
}

}  // namespace

void AppendClipped(TVectorDocument& Doc, TDocLayer& Layer, const std::vector<TDocPoint>& Line, const TDocPath& Style,
                   double X0, double Y0, double X1, double Y1) {
  bool open = false;
  TDocPath path = Style;
  auto close = [&] {
    if (!open) return;
    open = false;
    path.Count = Doc.Points.size() - path.First;
    const TDocPoint first = Doc.Points[path.First];
    const bool drawn = std::any_of(Doc.Points.begin() + static_cast<std::ptrdiff_t>(path.First), Doc.Points.end(),
                                   [&](const TDocPoint& p) { return p.X != first.X || p.Y != first.Y; });
    if (drawn) {
      Layer.Paths.push_back(path);
    } else {
      Doc.Points.resize(path.First);
    }
  };
  for (size_t i = 1; i < Line.size(); ++i) {
    double t0, t1;
    if (!ClipSegment(Line[i - 1], Line[i], X0, Y0, X1, Y1, t0, t1)) {
      close();
      continue;
    }
    if (!open || t0 > 0.0) {
      close();
      open = true;
      path.First = Doc.Points.size();
      Doc.Points.push_back(Lerp(Line[i - 1], Line[i], t0));
    }
    Doc.Points.push_back(Lerp(Line[i - 1], Line[i], t1));
    if (t1 < 1.0) close();
  }
  close();
}

TVectorDocument BuildVectorDocument(const TStrokeRecord& Record, const TExportOptions& Options) {
  ValidateExportOptions(Options);
  TVectorDocument doc;
  doc.Width = Record.FigureWidth();
  doc.Height = Record.FigureHeight();
  doc.Background = Record.Background();
  doc.Layers.emplace_back();
  TDocLayer& layer = doc.Layers.back();
  std::vector<TDocPoint> line;
  const TStrokeRecord::TPrefix kept = Options.KeepTicks ? Record.PrefixOfTicks(Options.KeepTicks) : Record.Whole();
  for (size_t i = 0; i < kept.Polylines; ++i) {
    const TPolyline& pl = Record.Polyline(i);
    const uint32_t count = static_cast<uint32_t>(std::min<size_t>(pl.Count, kept.Points - pl.First));
    line.clear();
    // Figure pixel centres lie half a pixel inside the page's pixel edges.
    for (uint32_t k = 0; k < count; ++k) {
      const TStrokePoint p = Record.Point(pl.First + k);
      line.push_back({p.X + 0.5, p.Y + 0.5});
    }
    const TDocPath style{0, 0, pl.Color, static_cast<double>(pl.Width), pl.Antialiased};
    // In figure mode the page itself clips exactly; only what cannot show is left out. A
    // plotter has no such clip, so there the cut is at the figure's edge.
    const double m = Options.Plotter ? 0.0 : pl.Width / 2.0 + 1.0;
    AppendClipped(doc, layer, line, style, -m, -m, doc.Width + m, doc.Height + m);
  }
  if (Options.Plotter) {
    LayOutForPlotter(doc, Options);
    if (Options.ReinkAfterMM > 0.0) SplitForReinking(doc, Options.ReinkAfterMM);
  }
  return doc;
}

}  // namespace trochodraw
