#include <gtest/gtest.h>

#include <QImage>
#include <algorithm>
#include <cmath>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "machine/figure_period.h"
#include "support/run_command.h"
#include "vector/drawing_run.h"
#include "vector/export_drawing.h"
#include "vector/gcode_reader.h"
#include "vector/gcode_writer.h"
#include "vector/hpgl_writer.h"
#include "vector/plot_statistics.h"
#include "vector/plotter_layout.h"
#include "vector/svg_parse.h"
#include "vector/svg_writer.h"
#include "vector/vector_document.h"

using namespace trochodraw;
using namespace trochodraw::testing;

namespace {

bool HaveTool(const std::string& Name) { return RunCommand("command -v " + Name).Status == 0; }

// The machine run of the other vector tests, its colour changed three times while it ran: four
// pens, the first of them back at the end.
const TStrokeRecord& ColouredRun() {
  static const TStrokeRecord record = [] {
    TDrawingRun run;
    run.Colouring.Settings.PenWidth = 2;
    for (TColor c : {clBlack, clRed, TColor(0xC08000), TColor(0x008000), clBlack}) {
      run.Colouring.Settings.SingleColor = c;
      run.Run(160);
    }
    return run.Record;
  }();
  return record;
}

TExportOptions PlotterOptions(double ReinkMM = 0.0) {
  TExportOptions o;
  o.Plotter = true;
  o.MarginMM = 15.0;
  o.ReinkAfterMM = ReinkMM;
  return o;
}

// Pen-down length of each layer and the pen of each, in plotting order.
struct TLayerInk {
  int Pen;
  TLayerPause Pause;
  double MM;
};
std::vector<TLayerInk> InkPerLayer(const TVectorDocument& Doc) {
  std::vector<TLayerInk> out;
  for (const TDocLayer& l : Doc.Layers) {
    double mm = 0.0;
    for (const TDocPath& p : l.Paths)
      for (size_t k = 1; k < p.Count; ++k) mm += Length(Doc.Points[p.First + k - 1], Doc.Points[p.First + k]);
    out.push_back({l.Pen, l.Pause, mm});
  }
  return out;
}

// ---- G-code, read back ----

struct TGCodeCase {
  const char* Name;
  TPlotMotion Motion;
  double ReinkMM;
};

void PrintTo(const TGCodeCase& C, std::ostream* Out) { *Out << C.Name; }

class GCodeTest : public ::testing::TestWithParam<TGCodeCase> {};

// Every move stays inside the margin, the pen is down exactly for the drawing's segments and up
// for the travel to each path, and the drawn length is what the statistics say.
TEST_P(GCodeTest, MovesDrawTheDocumentAndNothingElse) {
  const TGCodeCase& c = GetParam();
  TExportOptions o = PlotterOptions(c.ReinkMM);
  o.Motion = c.Motion;
  const TVectorDocument doc = BuildVectorDocument(ColouredRun(), o);
  const TPlotStatistics stats = PlotStatistics(doc, o.Motion);
  const TGCodeRead g = ReadGCode(EncodeGCode(doc, o.Motion), o.Motion);
  EXPECT_TRUE(g.Errors.empty()) << g.Errors.front();
  EXPECT_TRUE(g.Millimetres && g.Absolute && g.Ended);

  const double m = o.MarginMM, tol = 0.001;
  std::vector<TDocPoint> drawn, starts;
  double drawnMM = 0.0;
  TDocPoint at{0.0, 0.0};
  for (const TGCodeMove& mv : g.Moves) {
    ASSERT_TRUE(mv.To.X >= m - tol && mv.To.X <= doc.Width - m + tol && mv.To.Y >= m - tol &&
                mv.To.Y <= doc.Height - m + tol)
        << mv.To.X << "," << mv.To.Y << " outside the margin";
    (mv.PenDown ? drawn : starts).push_back(mv.To);
    if (mv.PenDown) drawnMM += Length(at, mv.To);
    at = mv.To;
  }
  // The document's points, turned the right way up for the machine: a path's first point is
  // reached with the pen up (unless the path goes on from where the pen is), the rest drawn.
  std::vector<TDocPoint> expectDrawn;
  size_t starts_ = 0;
  for (const TDocLayer& l : doc.Layers)
    for (const TDocPath& p : l.Paths)
      for (size_t k = 0; k < p.Count; ++k) {
        const TDocPoint q{doc.Points[p.First + k].X, doc.Height - doc.Points[p.First + k].Y};
        if (k > 0)
          expectDrawn.push_back(q);
        else
          starts_ += std::any_of(starts.begin(), starts.end(), [&](TDocPoint s) { return Length(s, q) < tol; });
      }
  ASSERT_EQ(drawn.size(), expectDrawn.size());
  for (size_t i = 0; i < drawn.size(); ++i) ASSERT_LT(Length(drawn[i], expectDrawn[i]), tol) << i;
  EXPECT_EQ(starts.size(), stats.PenLifts) << "one travel per pen lift";
  EXPECT_EQ(starts_, starts.size()) << "every travel ends at a path's start";
  EXPECT_NEAR(drawnMM, stats.DrawnMM, stats.DrawnMM * 0.01);
  EXPECT_GT(stats.DrawnMM, 500.0) << "a drawing worth checking";

  const size_t pens = doc.Layers.empty() ? 0 : static_cast<size_t>(doc.Layers.back().Pen);
  EXPECT_GT(pens, 1u);
  size_t reinks = 0;
  for (const std::string& comment : g.PauseComments) reinks += comment.find("re-ink") != std::string::npos;
  EXPECT_EQ(g.PauseComments.size() - reinks, pens - 1) << "a pause at every pen change";
  EXPECT_EQ(g.PauseComments.size(), stats.Pauses);
  if (c.ReinkMM > 0.0) {
    EXPECT_GT(reinks, 0u);
    for (double mm : g.DrawnBetweenPauses) EXPECT_LE(mm, c.ReinkMM + 0.01);
  } else {
    EXPECT_EQ(reinks, 0u);
  }
}

INSTANTIATE_TEST_SUITE_P(Motions, GCodeTest,
                         ::testing::Values(TGCodeCase{"Servo", TPlotMotion(), 0.0},
                                           TGCodeCase{"ZHeights", {40.0, 120.0, "G0 Z5", "G1 Z0 F300"}, 0.0},
                                           TGCodeCase{"ServoReinkEvery200mm", TPlotMotion(), 200.0}),
                         [](const auto& Info) { return std::string(Info.param.Name); });

// ---- Re-inking ----

class ReinkTest : public ::testing::TestWithParam<double> {};

// No part of a pen draws further than the distance, nothing is lost, and the parts follow each
// other without a gap: each part goes on from where the previous one was cut.
TEST_P(ReinkTest, PartsNeverExceedTheirDistance) {
  const double d = GetParam();
  const TVectorDocument whole = BuildVectorDocument(ColouredRun(), PlotterOptions());
  const TVectorDocument split = BuildVectorDocument(ColouredRun(), PlotterOptions(d));
  double total = 0.0, totalSplit = 0.0;
  for (const TLayerInk& l : InkPerLayer(whole)) total += l.MM;
  const std::vector<TLayerInk> parts = InkPerLayer(split);
  size_t reinks = 0;
  for (size_t i = 0; i < parts.size(); ++i) {
    totalSplit += parts[i].MM;
    EXPECT_LE(parts[i].MM, d * (1 + 1e-9)) << "part " << i;
    if (parts[i].Pause == lpReink) {
      ++reinks;
      ASSERT_GT(i, 0u);
      EXPECT_EQ(parts[i].Pen, parts[i - 1].Pen);
      // The pen was used up: the part before drew the whole distance.
      EXPECT_NEAR(parts[i - 1].MM, d, d * 1e-9);
      const TDocPath& last = split.Layers[i - 1].Paths.back();
      const TDocPath& first = split.Layers[i].Paths.front();
      EXPECT_LT(Length(split.Points[last.First + last.Count - 1], split.Points[first.First]), 1e-9);
    } else {
      EXPECT_TRUE(i == 0 || parts[i].Pen == parts[i - 1].Pen + 1);
    }
  }
  EXPECT_NEAR(totalSplit, total, total * 1e-9);
  EXPECT_GE(reinks + whole.Layers.size(), static_cast<size_t>(total / d));
}

INSTANTIATE_TEST_SUITE_P(Distances, ReinkTest, ::testing::Values(1.0, 37.5, 250.0, 1e6));

TEST(PlotLayerNamesTest, PlottingOrderFirstAndPausesMarked) {
  TStrokeRecord r;
  r.SetFigureSize(200, 100);
  r.AddSegment({10, 10}, {190, 10}, {clBlack, 1}, true);
  r.LiftPen();
  r.AddSegment({10, 90}, {190, 90}, {clRed, 1}, true);
  TExportOptions o = PlotterOptions();
  o.Page = {200.0, 100.0, false};
  o.MarginMM = 10.0;
  // The drawing fills the page inside the margin: each line is 180 mm long.
  o.ReinkAfterMM = 100.0;
  const std::string svg = EncodeSVG(BuildVectorDocument(r, o));
  std::vector<std::string> labels, ids;
  for (const std::string& g : Tags(svg, "g")) {
    labels.push_back(Attribute(g, "inkscape:label"));
    ids.push_back(Attribute(g, "id"));
  }
  EXPECT_EQ(labels, (std::vector<std::string>{"1 #000000", "!1 #000000 re-ink", "!2 #FF0000", "!2 #FF0000 re-ink"}));
  EXPECT_EQ(ids, (std::vector<std::string>{"pen1", "pen1-2", "pen2", "pen2-2"}));
}

// ---- Statistics of a drawing made by hand ----

TEST(PlotStatisticsTest, HandMadeDrawing) {
  // A 100 x 100 mm page. Machine coordinates turn Y over: page (x, y) is machine (x, 100 - y).
  TVectorDocument d;
  d.Width = d.Height = 100.0;
  d.Millimetres = d.Layered = true;
  d.Points = {{10, 10}, {40, 10},            // path 0: 30 mm
              {40, 10}, {40, 50},            // path 1 goes on from path 0: no lift, 40 mm
              {50, 50}, {50, 80}, {80, 80},  // path 2: 60 mm, after 10 mm of travel
              {80, 80}, {80, 90}};           // path 3, the next pen: lifts although it touches
  d.Layers = {{clBlack, {{0, 2}, {2, 2}, {4, 3}}, 1, lpNone}, {clRed, {{7, 2}}, 2, lpPenChange}};
  TPlotMotion m;
  m.PenSpeed = 10.0;
  m.TravelSpeed = 50.0;
  const TPlotStatistics s = PlotStatistics(d, m);
  EXPECT_EQ(s.Paths, 4u);
  EXPECT_EQ(s.PenLifts, 3u);
  EXPECT_EQ(s.Pauses, 1u);
  EXPECT_DOUBLE_EQ(s.DrawnMM, 30.0 + 40.0 + 60.0 + 10.0);
  const double travel = std::hypot(10.0, 90.0) + 10.0 + 0.0;
  EXPECT_DOUBLE_EQ(s.TravelMM, travel);
  EXPECT_DOUBLE_EQ(s.Seconds, 140.0 / 10.0 + travel / 50.0);
  EXPECT_EQ(PlotStatisticsText(s),
            "paths: 4\npen-lifts: 3\npauses: 1\ndrawn-mm: 140.00\ntravel-mm: 100.55\nplot-seconds: 16.0\n");

  // HPGL: the same walk in plotter units, one SP per pen.
  EXPECT_EQ(EncodeHPGL(d),
            "IN;\nSP1;\nPU400,3600;\nPD1600,3600,1600,2000;\nPU2000,2000;\nPD2000,800,3200,800;\nSP2;\nPU3200,800;\n"
            "PD3200,400;\nPU;SP0;\n");
}

TEST(PlotStatisticsTest, DurationsForPeople) {
  const std::pair<double, const char*> cases[] = {
      {0.0, "0 s"}, {44.2, "45 s"}, {200.0, "3 min 20 s"}, {3720.0, "1 h 02 min"}, {-5.0, "0 s"}};
  for (const auto& [seconds, text] : cases) EXPECT_EQ(DurationText(seconds), text) << seconds;
}

// ---- HPGL, rendered by hp2xx, against the plotter SVG rendered by rsvg-convert ----

struct THPGLCase {
  const char* Name;
  double ReinkMM;
};

class HPGLInkTest : public ::testing::TestWithParam<THPGLCase> {};

// Fine enough that a line is many pixels wide and the renderers' different edges weigh little.
constexpr int kDpi = 400;

// Which pixels of a picture are inked (a channel well below white), and the middle of their box.
struct TInkMask {
  int W, H, MidX = 0, MidY = 0;
  size_t Count = 0;
  std::vector<uint8_t> Ink;
  explicit TInkMask(const QImage& Img) : W(Img.width()), H(Img.height()), Ink(size_t(W) * size_t(H)) {
    const QImage rgb = Img.convertToFormat(QImage::Format_RGB32);
    int x0 = W, y0 = H, x1 = -1, y1 = -1;
    for (int y = 0; y < H; ++y) {
      const QRgb* row = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
      for (int x = 0; x < W; ++x) {
        const QRgb p = row[x];
        if (qRed(p) >= 160 && qGreen(p) >= 160 && qBlue(p) >= 160) continue;
        Ink[size_t(y) * size_t(W) + size_t(x)] = 1;
        ++Count;
        x0 = std::min(x0, x), y0 = std::min(y0, y), x1 = std::max(x1, x), y1 = std::max(y1, y);
      }
    }
    MidX = (x0 + x1) / 2;
    MidY = (y0 + y1) / 2;
  }
  bool At(int X, int Y) const { return X >= 0 && Y >= 0 && X < W && Y < H && Ink[size_t(Y) * size_t(W) + size_t(X)]; }
};

TEST_P(HPGLInkTest, Hp2xxInksWhatTheSvgInks) {
  if (!HaveTool("hp2xx")) GTEST_SKIP() << "hp2xx is not installed";
  if (!HaveTool("rsvg-convert")) GTEST_SKIP() << "rsvg-convert is not installed";
  TTempDir dir;
  TExportOptions o = PlotterOptions(GetParam().ReinkMM);
  const TExportResult hp = ExportDrawing(ColouredRun(), o, dir.File("d.plt"));
  ExportDrawing(ColouredRun(), o, dir.File("d.svg"));
  const TVectorDocument doc = BuildVectorDocument(ColouredRun(), o);
  EXPECT_TRUE(hp.Plotted);

  std::ifstream in(dir.File("d.plt"));
  std::stringstream text;
  text << in.rdbuf();
  const std::string hpgl = text.str();
  EXPECT_EQ(hpgl.rfind("IN;\nSP1;\n", 0), 0u);
  EXPECT_EQ(hpgl.substr(hpgl.size() - 8), "PU;SP0;\n");
  size_t at = 0;
  for (const TDocLayer& l : doc.Layers) {
    if (l.Pause == lpReink) continue;
    at = hpgl.find("SP" + std::to_string(l.Pen) + ";", at);
    ASSERT_NE(at, std::string::npos) << "pen " << l.Pen << " selected in layer order";
  }

  // hp2xx maps the window given in plotter units onto the picture, a pixel in from its edges;
  // its eight pens (all black here) are as wide as the drawing's lines.
  const double w = doc.Width, h = doc.Height;
  const int tenths = std::clamp(static_cast<int>(std::lround(doc.Layers[0].Paths[0].Width * 10.0)), 1, 9);
  const std::string window = " -x 0 -X " + std::to_string(w * kHPGLUnitsPerMM) + " -y 0 -Y " +
                             std::to_string(h * kHPGLUnitsPerMM) + " -w " + std::to_string(w) + " -h " +
                             std::to_string(h);
  const auto a =
      RunCommand("hp2xx -q -m png -d " + std::to_string(kDpi) + " -c 11111111 -p " +
                 std::string(8, char('0' + tenths)) + " -f " + dir.File("h.png") + window + " " + dir.File("d.plt"));
  ASSERT_EQ(a.Status, 0) << a.Output;
  const auto b = RunCommand("rsvg-convert -d " + std::to_string(kDpi) + " -p " + std::to_string(kDpi) +
                            " -b white -o " + dir.File("s.png") + " " + dir.File("d.svg"));
  ASSERT_EQ(b.Status, 0) << b.Output;
  const QImage hpImg(QString::fromStdString(dir.File("h.png")));
  const QImage svgImg(QString::fromStdString(dir.File("s.png")));
  ASSERT_FALSE(hpImg.isNull());
  ASSERT_FALSE(svgImg.isNull());
  // hp2xx widens its picture by the pen's width, so its page sits a few pixels in: the two
  // are aligned by the middles of their inked boxes. The scale is the same in both.
  ASSERT_GE(hpImg.width(), svgImg.width());
  ASSERT_LE(hpImg.width(), svgImg.width() + 32);
  const TInkMask hpInk(hpImg), svgInk(svgImg);
  ASSERT_GT(svgInk.Count, 50000u) << "a drawing worth comparing";
  double best = 0.0;
  std::string counts;
  for (int dy = hpInk.MidY - svgInk.MidY - 1; dy <= hpInk.MidY - svgInk.MidY + 1; ++dy)
    for (int dx = hpInk.MidX - svgInk.MidX - 1; dx <= hpInk.MidX - svgInk.MidX + 1; ++dx) {
      size_t both = 0, either = 0;
      for (int y = 0; y < svgInk.H; ++y)
        for (int x = 0; x < svgInk.W; ++x) {
          const bool s = svgInk.At(x, y), p = hpInk.At(x + dx, y + dy);
          both += s && p;
          either += s || p;
        }
      if (double(both) / double(either) > best) {
        best = double(both) / double(either);
        counts = std::to_string(both) + " of " + std::to_string(either) + " inked pixels shared";
      }
    }
  EXPECT_GE(best, 0.9) << counts;
}

INSTANTIATE_TEST_SUITE_P(Drawings, HPGLInkTest,
                         ::testing::Values(THPGLCase{"Whole", 0.0}, THPGLCase{"ReinkedEvery300mm", 300.0}),
                         [](const auto& Info) { return std::string(Info.param.Name); });

// ---- A figure plotted once ----

// Run for a period and a half, the record cut to one period holds exactly what a run of one
// period drew: no line twice, none missing.
TEST(OnePeriodTest, KeepTicksCutsTheRecordToOnePeriod) {
  const auto machine = [](TSimulation& Sim) {
    Sim.Settings.Machine.Mode = pmTwoWheel;
    Sim.Settings.RPM1 = 30;
    Sim.Settings.RPM2 = 45;
  };
  TDrawingRun once(640, 480, machine), longer(640, 480, machine);
  const TFigurePeriod period = FigurePeriod(once.Sim.Settings);
  ASSERT_TRUE(period.Exact);
  ASSERT_EQ(period.Ticks, 400u);
  once.Run(400);
  longer.Run(600);
  EXPECT_EQ(longer.Record.TicksRecorded(), 600u);
  TExportOptions o;
  const TVectorDocument a = BuildVectorDocument(once.Record, o);
  o.KeepTicks = period.Ticks;
  const TVectorDocument b = BuildVectorDocument(longer.Record, o);
  ASSERT_EQ(a.Points.size(), b.Points.size());
  for (size_t i = 0; i < a.Points.size(); ++i) ASSERT_LT(Length(a.Points[i], b.Points[i]), 1e-9) << i;
  o.KeepTicks = 0;
  EXPECT_GT(BuildVectorDocument(longer.Record, o).Points.size(), b.Points.size() * 5 / 4);
  o.KeepTicks = 10000;
  EXPECT_EQ(BuildVectorDocument(longer.Record, o).Points.size(), BuildVectorDocument(longer.Record, {}).Points.size())
      << "more ticks than recorded keep the whole record";
}

// A copy of a record is a snapshot: what is drawn afterwards does not reach it.
TEST(OnePeriodTest, ACopyOfTheRecordStaysAsItWas) {
  TDrawingRun run;
  run.Run(50);
  const TStrokeRecord copy = run.Record;
  run.Run(50);
  EXPECT_LT(copy.PointCount(), run.Record.PointCount());
  for (size_t i = 0; i < copy.PointCount(); ++i) ASSERT_EQ(copy.Point(i), run.Record.Point(i));
  EXPECT_EQ(copy.TicksRecorded(), 50u);
}

}  // namespace
