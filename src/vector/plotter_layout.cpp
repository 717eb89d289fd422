#include "vector/plotter_layout.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <memory>
#include <unordered_map>
#include <utility>

namespace trochodraw {

namespace {

double Distance(TDocPoint A, TDocPoint B) { return std::hypot(A.X - B.X, A.Y - B.Y); }

double SegmentDistance(TDocPoint P, TDocPoint A, TDocPoint B) {
  const double dx = B.X - A.X, dy = B.Y - A.Y;
  const double len2 = dx * dx + dy * dy;
  if (len2 == 0.0) return Distance(P, A);
  const double t = std::clamp(((P.X - A.X) * dx + (P.Y - A.Y) * dy) / len2, 0.0, 1.0);
  return Distance(P, {A.X + t * dx, A.Y + t * dy});
}

struct TEndRef {
  uint32_t Path = 0;
  bool Far = false;  // the path's last point
};

// The ends of a layer's paths in square cells, for nearest-end queries that look only at the
// cells around the pen instead of at every path.
class TEndGrid {
 public:
  // The ends of the paths Which (indexes into Paths).
  TEndGrid(const std::vector<TDocPath>& Paths, const std::vector<TDocPoint>& Points, const std::vector<uint32_t>& Which)
      : FPaths(Paths), FPoints(Points), FLeft(Which.size()) {
    double x0 = std::numeric_limits<double>::infinity(), y0 = x0, x1 = -x0, y1 = -x0;
    for (uint32_t i : Which)
      for (bool far : {false, true}) {
        const TDocPoint p = End({i, far});
        x0 = std::min(x0, p.X), y0 = std::min(y0, p.Y), x1 = std::max(x1, p.X), y1 = std::max(y1, p.Y);
      }
    if (Which.empty()) x0 = y0 = x1 = y1 = 0.0;
    FX0 = x0;
    FY0 = y0;
    // About two ends per cell.
    const double side = std::max(x1 - x0, y1 - y0);
    const double perSide = std::clamp(std::ceil(std::sqrt(static_cast<double>(Which.size()))), 1.0, 2048.0);
    FCell = side > 0.0 ? side / perSide : 1.0;
    FW = std::max(1, static_cast<int>(std::floor((x1 - x0) / FCell)) + 1);
    FH = std::max(1, static_cast<int>(std::floor((y1 - y0) / FCell)) + 1);
    FCells.resize(static_cast<size_t>(FW) * static_cast<size_t>(FH));
    FCellOfEnd.resize(2 * Paths.size());
    for (uint32_t i : Which)
      for (bool far : {false, true}) {
        const TEndRef e{i, far};
        const auto [cx, cy] = CellOf(End(e));
        const size_t c = static_cast<size_t>(cy) * static_cast<size_t>(FW) + static_cast<size_t>(cx);
        FCells[c].push_back(e);
        FCellOfEnd[2 * i + far] = c;
      }
  }

  // The nearest end of a path not yet taken; false when none is left.
  bool Nearest(TDocPoint From, TEndRef& Best) const {
    if (FLeft == 0) return false;
    const auto [cx, cy] = CellOf(From);
    double best = std::numeric_limits<double>::infinity();
    const int rings = std::max(FW, FH);
    for (int r = 0; r <= rings; ++r) {
      for (int y = cy - r; y <= cy + r; ++y) {
        if (y < 0 || y >= FH) continue;
        const bool edgeRow = y == cy - r || y == cy + r;
        for (int x = cx - r; x <= cx + r; x += edgeRow ? 1 : 2 * r) {
          if (x >= 0 && x < FW) {
            for (const TEndRef& e : FCells[static_cast<size_t>(y) * static_cast<size_t>(FW) + static_cast<size_t>(x)]) {
              const double d = Distance(From, End(e));
              if (d < best || (d == best && std::pair(e.Path, e.Far) < std::pair(Best.Path, Best.Far))) {
                best = d;
                Best = e;
              }
            }
          }
          if (r == 0) break;
        }
      }
      // Every cell of the next ring lies at least r cells away.
      if (best <= r * FCell) break;
    }
    return std::isfinite(best);
  }

  void Take(uint32_t Path) {
    for (bool far : {false, true}) {
      auto& cell = FCells[FCellOfEnd[2 * size_t(Path) + far]];
      const auto it =
          std::find_if(cell.begin(), cell.end(), [&](const TEndRef& e) { return e.Path == Path && e.Far == far; });
      if (it != cell.end()) {
        *it = cell.back();
        cell.pop_back();
      }
    }
    --FLeft;
  }
  size_t Left() const { return FLeft; }

 private:
  TDocPoint End(TEndRef E) const {
    const TDocPath& p = FPaths[E.Path];
    return FPoints[E.Far ? p.First + p.Count - 1 : p.First];
  }
  std::pair<int, int> CellOf(TDocPoint P) const {
    const auto clampi = [](double v, int hi) { return static_cast<int>(std::clamp(v, 0.0, static_cast<double>(hi))); };
    return {clampi(std::floor((P.X - FX0) / FCell), FW - 1), clampi(std::floor((P.Y - FY0) / FCell), FH - 1)};
  }

  const std::vector<TDocPath>& FPaths;
  const std::vector<TDocPoint>& FPoints;
  size_t FLeft;
  double FX0 = 0.0, FY0 = 0.0, FCell = 1.0;
  int FW = 1, FH = 1;
  std::vector<std::vector<TEndRef>> FCells;
  std::vector<size_t> FCellOfEnd;
};

// The paths of one layer in plotting order, joined where they touch, into Out.
std::vector<TDocPath> OrderLayer(const TDocLayer& Layer, const std::vector<TDocPoint>& Points,
                                 std::vector<TDocPoint>& Out, TDocPoint& Pen, bool Reorder) {
  std::vector<uint32_t> left(Layer.Paths.size());
  for (size_t i = 0; i < left.size(); ++i) left[i] = static_cast<uint32_t>(i);
  std::vector<char> taken(Layer.Paths.size(), 0);
  auto grid = std::make_unique<TEndGrid>(Layer.Paths, Points, Reorder ? left : std::vector<uint32_t>{});
  size_t built = left.size();
  std::vector<TDocPath> result;
  for (size_t n = 0; n < Layer.Paths.size(); ++n) {
    TEndRef e{static_cast<uint32_t>(n), false};
    if (Reorder) {
      // As the ends thin out, searches reach over ever more empty cells: a coarser grid of
      // what is left keeps them short.
      if (built > 64 && grid->Left() < built / 4) {
        left.clear();
        for (size_t i = 0; i < taken.size(); ++i)
          if (!taken[i]) left.push_back(static_cast<uint32_t>(i));
        grid = std::make_unique<TEndGrid>(Layer.Paths, Points, left);
        built = left.size();
      }
      if (!grid->Nearest(Pen, e)) break;
      grid->Take(e.Path);
    }
    taken[e.Path] = 1;
    const TDocPath& p = Layer.Paths[e.Path];
    auto at = [&](size_t k) { return Points[e.Far ? p.First + p.Count - 1 - k : p.First + k]; };
    const bool join = !result.empty() && result.back().Width == p.Width && Distance(Pen, at(0)) <= kTouchMM;
    if (!join) {
      result.push_back({Out.size(), 0, p.Color, p.Width, p.Antialiased});
      Out.push_back(at(0));
    }
    for (size_t k = 1; k < p.Count; ++k) Out.push_back(at(k));
    result.back().Count = Out.size() - result.back().First;
    Pen = Out.back();
  }
  return result;
}

struct TFit {
  double PageW, PageH, Scale;
};

TFit FitOnPage(double BW, double BH, double PageW, double PageH, double Margin) {
  const double aw = PageW - 2.0 * Margin, ah = PageH - 2.0 * Margin;
  double s = std::numeric_limits<double>::infinity();
  if (BW > 0.0) s = std::min(s, aw / BW);
  if (BH > 0.0) s = std::min(s, ah / BH);
  if (!std::isfinite(s)) s = 25.4 / 96.0;  // nothing to scale: a pixel at 96 per inch
  return {PageW, PageH, s};
}

}  // namespace

std::vector<TDocPoint> SimplifyPolyline(const std::vector<TDocPoint>& Line, double Tolerance) {
  if (Line.size() < 3 || !(Tolerance > 0.0)) return Line;
  std::vector<char> keep(Line.size(), 0);
  keep.front() = keep.back() = 1;
  std::vector<std::pair<size_t, size_t>> todo{{0, Line.size() - 1}};
  while (!todo.empty()) {
    const auto [i, j] = todo.back();
    todo.pop_back();
    double worst = -1.0;
    size_t at = i;
    for (size_t k = i + 1; k < j; ++k) {
      const double d = SegmentDistance(Line[k], Line[i], Line[j]);
      if (d > worst) worst = d, at = k;
    }
    if (worst > Tolerance) {
      keep[at] = 1;
      todo.push_back({i, at});
      todo.push_back({at, j});
    }
  }
  std::vector<TDocPoint> out;
  for (size_t k = 0; k < Line.size(); ++k)
    if (keep[k]) out.push_back(Line[k]);
  return out;
}

void LayOutForPlotter(TVectorDocument& Doc, const TExportOptions& Options) {
  const double m = Options.MarginMM;
  Doc.Millimetres = true;
  Doc.HasBackground = false;
  Doc.Layered = true;

  double x0 = std::numeric_limits<double>::infinity(), y0 = x0, x1 = -x0, y1 = -x0;
  for (const TDocLayer& l : Doc.Layers)
    for (const TDocPath& p : l.Paths)
      for (size_t k = p.First; k < p.First + p.Count; ++k) {
        const TDocPoint q = Doc.Points[k];
        x0 = std::min(x0, q.X), y0 = std::min(y0, q.Y), x1 = std::max(x1, q.X), y1 = std::max(y1, q.Y);
      }
  const bool empty = !(x1 >= x0);
  const double bw = empty ? 0.0 : x1 - x0, bh = empty ? 0.0 : y1 - y0;
  const TPageSize& page = Options.Page;
  TFit fit = FitOnPage(bw, bh, page.WidthMM, page.HeightMM, m);
  if (page.Turnable && page.WidthMM != page.HeightMM) {
    const TFit turned = FitOnPage(bw, bh, page.HeightMM, page.WidthMM, m);
    if (!empty && turned.Scale > fit.Scale) fit = turned;
  }
  Doc.Width = fit.PageW;
  Doc.Height = fit.PageH;
  if (empty) {
    Doc.Points.clear();
    Doc.Layers.clear();
    return;
  }
  const double s = fit.Scale;
  const double ox = m + (fit.PageW - 2.0 * m - bw * s) / 2.0, oy = m + (fit.PageH - 2.0 * m - bh * s) / 2.0;
  for (TDocPoint& q : Doc.Points) q = {ox + (q.X - x0) * s, oy + (q.Y - y0) * s};

  // One layer per colour, in the order the colours first appear.
  std::vector<TDocLayer> layers;
  std::unordered_map<TColor, size_t> layerOf;
  for (const TDocLayer& l : Doc.Layers)
    for (TDocPath p : l.Paths) {
      p.Width *= s;
      const auto [it, fresh] = layerOf.try_emplace(p.Color, layers.size());
      if (fresh) layers.push_back({p.Color, {}});
      layers[it->second].Paths.push_back(p);
    }

  std::vector<TDocPoint> ordered;
  ordered.reserve(Doc.Points.size());
  TDocPoint pen{0.0, 0.0};
  for (TDocLayer& l : layers) l.Paths = OrderLayer(l, Doc.Points, ordered, pen, Options.Reorder);
  Doc.Points.clear();
  for (size_t i = 0; i < layers.size(); ++i) {
    layers[i].Pen = static_cast<int>(i + 1);
    layers[i].Pause = i == 0 ? lpNone : lpPenChange;
  }

  if (Options.SimplifyMM > 0.0) {
    std::vector<TDocPoint> simple, line;
    simple.reserve(ordered.size());
    for (TDocLayer& l : layers)
      for (TDocPath& p : l.Paths) {
        line.assign(ordered.begin() + static_cast<std::ptrdiff_t>(p.First),
                    ordered.begin() + static_cast<std::ptrdiff_t>(p.First + p.Count));
        const std::vector<TDocPoint> kept = SimplifyPolyline(line, Options.SimplifyMM);
        p.First = simple.size();
        p.Count = kept.size();
        simple.insert(simple.end(), kept.begin(), kept.end());
      }
    ordered = std::move(simple);
  }
  Doc.Points = std::move(ordered);
  Doc.Layers = std::move(layers);
}

void SplitForReinking(TVectorDocument& Doc, double AfterMM) {
  if (!(AfterMM > 0.0)) return;
  std::vector<TDocLayer> layers;
  std::vector<TDocPoint> points;
  points.reserve(Doc.Points.size());
  for (const TDocLayer& l : Doc.Layers) {
    TDocLayer part{l.Color, {}, l.Pen, l.Pause};
    // A new pen comes inked.
    double inked = 0.0;
    for (const TDocPath& p : l.Paths) {
      TDocPath piece = p;
      piece.First = points.size();
      auto close = [&] {
        piece.Count = points.size() - piece.First;
        if (piece.Count >= 2) part.Paths.push_back(piece);
      };
      points.push_back(Doc.Points[p.First]);
      for (size_t k = 1; k < p.Count; ++k) {
        TDocPoint a = points.back();
        const TDocPoint b = Doc.Points[p.First + k];
        double d = Distance(a, b);
        while (inked + d > AfterMM) {
          const double t = (AfterMM - inked) / d;
          const TDocPoint cut{a.X + (b.X - a.X) * t, a.Y + (b.Y - a.Y) * t};
          if (t > 0.0) points.push_back(cut);
          close();
          layers.push_back(std::move(part));
          part = TDocLayer{l.Color, {}, l.Pen, lpReink};
          inked = 0.0;
          piece.First = points.size();
          points.push_back(cut);
          a = cut;
          d = Distance(a, b);
        }
        points.push_back(b);
        inked += d;
      }
      close();
    }
    if (!part.Paths.empty()) layers.push_back(std::move(part));
  }
  Doc.Points = std::move(points);
  Doc.Layers = std::move(layers);
}

double PenUpTravel(const TVectorDocument& Doc) {
  TDocPoint pen{0.0, 0.0};
  double travel = 0.0;
  for (const TDocLayer& l : Doc.Layers)
    for (const TDocPath& p : l.Paths) {
      travel += Distance(pen, Doc.Points[p.First]);
      pen = Doc.Points[p.First + p.Count - 1];
    }
  return travel;
}

}  // namespace trochodraw
