#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "render/canvas.h"
#include "render/color.h"

namespace trochodraw {

// The five built-in palettes, in the order of the "Color Count" items.
enum TColorCount { dc12, dc20, dc24, dc30, dc32 };

struct TColorBand {
  TColor Color = clBlack;
  int32_t Bottom = 0;  // lower edge of the band, 0..100000 of the bar's height
  double Depth = 0.0;  // the depth at Bottom
};

// What the bar paints for one band, in pixels of a bar of the given size.
struct TBandPaint {
  int Index = 0;   // entry index; Count for the strip below the last boundary
  int Top = 0;     // first row of the band
  int Bottom = 0;  // row below the band
  TRect Outline;   // the toolkit rectangle (0, Top - 1, Width, Bottom)
  TColor Brush = clBlack;
  TColor Pen = clBlack;   // black on light bands, grey 128 on dark ones
  bool Labelled = false;  // draw Label when the text height + 1 < Bottom - Top
  std::string Label;
  TColor LabelColor = clBlack;
  TRect LabelRect;  // the band shrunk by one pixel on every side
};

// The band palette behind the "Mosaic" tab's colour bar: an ordered list of colour bands
// stacked top to bottom that maps a depth (a distance from the figure's centre) to a colour.
// The widget only paints what PaintBands returns and forwards the mouse to Press, Move,
// Release and Drop; every rule lives here.
class TColorBandPalette {
 public:
  static constexpr int kMaxEntries = 48;
  static constexpr int32_t kFullScale = 100000;

  TColorBandPalette();

  // Properties of the bar.
  TColorCount ColorCount() const { return FColorCount; }
  void SetColorCount(TColorCount Value);
  int Count() const { return FCount; }
  const TColorBand& Entry(int Index) const { return FEntries.at(static_cast<size_t>(Index)); }
  TColor EntryColor(int Index) const { return Entry(Index).Color; }
  // Colours of entries 0..Count - 1 may be changed; others are refused.
  void SetEntryColor(int Index, TColor Color);
  int Selected() const { return FSelected; }
  // Ignored (false) for the current value, a negative one or one of Count and more.
  bool SetSelected(int Value);
  double TopValue() const { return FTopValue; }
  double BottomValue() const { return FBottomValue; }

  double ScaleFactor = 1.0;
  int Decimals = 0;
  bool LabelBars = false;
  bool Adjustable = true;
  bool AdjustEnds = true;
  bool Enabled = true;

  // Notifications: a repaint is due, the selection changed, a boundary drag ended, and a
  // boundary drag moved (boundary index, would-be position, depth there).
  std::function<void()> OnRepaint;
  std::function<void()> OnChangeSelect;
  std::function<void()> OnChangeSpread;
  std::function<void(int Index, int32_t Bottom, double Depth)> OnChangingBar;

  void SetRange(double Top, double Bottom);
  void LoadPalette();
  void ResetSpacing();
  void SpreadBoundaries(int First, int Last);
  int BandAt(double Depth) const;
  // Black for a depth no band holds (beyond the scale, or above/below the end boundaries).
  TColor ColorAt(double Depth) const;
  void HueGradient(int First, int Last);
  void RGBGradient(int First, int Last);
  void Invert();
  double DepthAt(int64_t Position) const;

  // Moves boundary Index to Position, pushing its neighbours two pixels' worth apart, and
  // with Spread spaces the boundaries on both sides evenly. Height is the bar's height.
  void MoveBoundary(int Index, int64_t Position, int Height, bool Spread);

  // Mouse geometry for a bar Height pixels high (-1 when nothing is hit).
  int BoundaryRow(int Index, int Height) const;
  int BoundaryHit(int Y, int Height) const;
  int BandHit(int Y, int Height) const;
  // Position of row Y on the bar (100000 × Y div Height).
  static int32_t RowPosition(int Y, int Height);

  // The mouse. Press returns true when it grabbed a boundary (the widget draws the
  // rubber-band line at DragRow); otherwise it selected the band under Y and the widget may
  // begin a drag-and-drop of the band's colour.
  bool Press(int Y, int Height);
  void Move(int Y, int Height);
  void Release(int Y, int Height, bool Ctrl);
  bool Dragging() const { return FDragging; }
  int DragIndex() const { return FDragIndex; }
  int DragRow() const { return FDragRow; }
  // The split cursor is shown over a boundary that can be grabbed (when not dragging).
  bool SplitCursorAt(int Y, int Height) const { return !FDragging && BoundaryHit(Y, Height) >= 0; }
  // A dropped band colour: the band under Y takes the selected band's colour.
  bool Drop(int Y, int Height);

  // What to paint: band 0, bands 1..Count - 1, the strip below the last boundary.
  std::vector<TBandPaint> PaintBands(int Width, int Height, char DecimalSeparator = '.') const;
  // The dotted selection mark, drawn inverted over the selected band, if any.
  std::optional<TRect> SelectionMark(int Width, int Height) const;
  static TColor OutlineColor(TColor Band);
  static TColor ContrastColor(TColor Band);
  std::string LabelText(int Index, char DecimalSeparator = '.') const;

  // The dialog's palette commands.
  // "Color Count": loads the palette (for "20" and "30" with RGB(240, 240, 240) in entry 1)
  // and saves it as the hue base.
  void ChooseColorCount(TColorCount Value);
  // The hue base: the colours the hue offset turns. Saving it resets the offset to 0, which
  // re-applies offset 0 to the new base when the offset was not 0 already.
  void SaveHueBase();
  const std::vector<TColor>& HueBase() const { return FHueBase; }
  int HueOffset() const { return FHueOffset; }
  // Every entry becomes its base colour with the hue turned by Offset degrees.
  void SetHueOffset(int Offset);
  // "Change Color" of "Adjust Band": the selected entry takes the chosen colour, if one was
  // chosen; the hue base is saved either way.
  void ChangeSelectedColor(std::optional<TColor> Chosen);
  // "Band": selects that band (ignored when it is not below Count).
  void SetBandSpin(int Value) { SetSelected(Value); }

 private:
  void RecomputeDepths();
  void Repaint() const;

  TColorCount FColorCount = dc12;
  int FCount = 0;
  std::array<TColorBand, kMaxEntries> FEntries{};
  int FSelected = 1;
  double FTopValue = 0.0;
  double FBottomValue = 0.0;
  double FSpan = 0.0;
  bool FDragging = false;
  int FDragIndex = -1;
  int FDragRow = 0;
  std::vector<TColor> FHueBase;
  int FHueOffset = 0;
};

// The colours of a built-in palette, entry 0 first.
std::vector<TColor> BuiltInPalette(TColorCount Count);

}  // namespace trochodraw
