#include <gtest/gtest.h>

#include <QImage>
#include <algorithm>
#include <map>
#include <memory>

#include "support/run_command.h"
#include "vector/drawing_run.h"
#include "vector/export_drawing.h"

using namespace trochodraw;
using namespace trochodraw::testing;

namespace {

// A pixel is inked when one of its channels is darker than the background's by a quarter of
// the range or more: well clear of the faint fringe of an antialiased edge, and low enough to
// count the bright gradient colours on white.
constexpr int kInkStep = 64;

struct TInkCase {
  const char* Name;
  int PenWidth;
  TLineColorMode Mode;
};

void PrintTo(const TInkCase& C, std::ostream* Out) { *Out << C.Name; }

struct TRecordedFigure {
  TStrokeRecord Record;
  TBitmap Figure;
};

// One machine run per case, shared by both formats.
const TRecordedFigure& FigureOf(const TInkCase& C) {
  static std::map<std::string, std::unique_ptr<TRecordedFigure>> runs;
  auto& slot = runs[C.Name];
  if (!slot) {
    TDrawingRun run;
    run.Colouring.Settings.PenWidth = C.PenWidth;
    run.Colouring.Settings.Mode = C.Mode;
    run.Colouring.Settings.PixelRange = 40;
    run.Colouring.Settings.StepSpin = 30;
    run.Run(800);
    slot = std::make_unique<TRecordedFigure>(TRecordedFigure{std::move(run.Record), run.Sim.FigureImage});
  }
  return *slot;
}

bool Inked(int R, int G, int B, TColor Back) {
  return RedOf(Back) - R >= kInkStep || GreenOf(Back) - G >= kInkStep || BlueOf(Back) - B >= kInkStep;
}

class InkTest : public ::testing::TestWithParam<std::tuple<TInkCase, TDrawingFormat>> {};

// Rendered by an independent renderer at the figure's size, the drawing inks the pixels the
// figure inked.
TEST_P(InkTest, IndependentRenderingMatchesTheFigure) {
  const auto [c, format] = GetParam();
  const TRecordedFigure& f = FigureOf(c);
  TTempDir dir;
  const std::string png = dir.File("d.png");
  std::string command;
  if (format == dfSVG) {
    ExportDrawing(f.Record, TExportOptions(), dir.File("d.svg"));
    command = "rsvg-convert -w 640 -h 480 -o " + png + " " + dir.File("d.svg");
  } else {
    ExportDrawing(f.Record, TExportOptions(), dir.File("d.pdf"));
    command = "pdftoppm -r 96 -png -singlefile " + dir.File("d.pdf") + " " + dir.File("d");
  }
  const auto r = RunCommand(command);
  ASSERT_EQ(r.Status, 0) << command << ": " << r.Output;
  const QImage img = QImage(QString::fromStdString(png)).convertToFormat(QImage::Format_RGB32);
  ASSERT_EQ(img.width(), 640);
  ASSERT_EQ(img.height(), 480);
  size_t both = 0, either = 0, figure = 0;
  for (int y = 0; y < 480; ++y)
    for (int x = 0; x < 640; ++x) {
      const TColor p = f.Figure.GetPixel(x, y);
      const QRgb q = img.pixel(x, y);
      const bool a = Inked(RedOf(p), GreenOf(p), BlueOf(p), clWhite);
      const bool b = Inked(qRed(q), qGreen(q), qBlue(q), clWhite);
      both += a && b;
      either += a || b;
      figure += a;
    }
  ASSERT_GT(figure, 5000u) << "a figure worth comparing";
  const double overlap = double(both) / double(either);
  EXPECT_GE(overlap, 0.9) << both << " of " << either << " inked pixels shared";
}

INSTANTIATE_TEST_SUITE_P(
    Figures, InkTest,
    ::testing::Combine(::testing::Values(TInkCase{"Width1", 1, lcSingle}, TInkCase{"Width3", 3, lcSingle},
                                         TInkCase{"Width1Distance", 1, lcDistance},
                                         TInkCase{"Width3Step", 3, lcStep}),
                       ::testing::Values(dfSVG, dfPDF)),
    [](const auto& info) {
      return std::string(std::get<0>(info.param).Name) + (std::get<1>(info.param) == dfSVG ? "Svg" : "Pdf");
    });

}  // namespace
