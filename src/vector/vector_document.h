#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "render/color.h"
#include "vector/export_options.h"
#include "vector/stroke_record.h"

namespace trochodraw {

struct TDocPoint {
  double X = 0.0, Y = 0.0;
};

// One stroked path: points First .. First + Count - 1 of the document.
struct TDocPath {
  size_t First = 0;
  size_t Count = 0;
  TColor Color = clBlack;
  double Width = 1.0;
  bool Antialiased = true;
};

// Why a plotter stops before a layer.
enum TLayerPause : int { lpNone = 0, lpPenChange = 1, lpReink = 2 };

// A group of paths; in plotter mode one per pen colour, or a part of one where the pen is
// re-inked.
struct TDocLayer {
  TColor Color = clBlack;
  std::vector<TDocPath> Paths;
  int Pen = 0;  // plotter mode: the pen's place in the plotting order, from 1
  TLayerPause Pause = lpNone;
};

// What both writers put on the page, in page units: figure pixels (96 per inch, the page's
// top-left corner at the figure's top-left pixel edge) or, in plotter mode, millimetres.
struct TVectorDocument {
  double Width = 0.0;
  double Height = 0.0;
  bool Millimetres = false;
  bool HasBackground = true;
  TColor Background = clWhite;
  // One labelled layer per pen colour, to be plotted one after another.
  bool Layered = false;
  std::vector<TDocPoint> Points;
  std::vector<TDocLayer> Layers;

  size_t PathCount() const;
};

// A pen's colour as plotter layers name it: "#FF00FF".
std::string PenColorName(TColor Color);

// The record as a page (its first Options.KeepTicks ticks, or all of it when 0): figure mode keeps the drawing order
// and clips away what lies well outside the figure; plotter mode lays the drawing out on the page (see
// plotter_layout.h).
TVectorDocument BuildVectorDocument(const TStrokeRecord& Record, const TExportOptions& Options);

// Cuts a polyline to the rectangle [X0, X1] x [Y0, Y1], appending each piece that stays inside
// to Doc as a path of Style (pieces whose points all coincide are dropped).
void AppendClipped(TVectorDocument& Doc, TDocLayer& Layer, const std::vector<TDocPoint>& Line, const TDocPath& Style,
                   double X0, double Y0, double X1, double Y1);

}  // namespace trochodraw
