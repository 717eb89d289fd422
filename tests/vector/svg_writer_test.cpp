#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <fstream>
#include <set>

#include "support/run_command.h"
#include "vector/drawing_run.h"
#include "vector/svg_parse.h"
#include "vector/svg_writer.h"

using namespace trochodraw;
using namespace trochodraw::testing;

namespace {

TEST(SvgNumberTest, TwoDecimalsAtMost) {
  const std::pair<double, const char*> cases[] = {
      {0, "0"},           {12.5, "12.5"},     {-0.07, "-0.07"},  {3.004, "3"},     {2.996, "3"},
      {-0.004, "0"},      {0.1, "0.1"},       {640, "640"},      {-12.345, "-12.35"}, {1234567.891, "1234567.89"},
      {NAN, "0"},         {1e300, "10000000000000"}};
  for (const auto& [v, text] : cases) EXPECT_EQ(FormatSVGNumber(v), text) << v;
}

std::string Lint(const std::string& Svg) {
  TTempDir dir;
  const std::string file = dir.File("d.svg");
  std::ofstream(file) << Svg;
  const auto r = RunCommand("xmllint --noout " + file);
  return r.Status == 0 ? "" : r.Output.empty() ? "xmllint failed" : r.Output;
}

// A run with a colour change, a lifted pen and a thicker, unsmoothed stretch.
class SvgFigureTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    auto* run = new TDrawingRun(640, 480);
    run->Sim.Settings.Scale = 1.0;  // all inside the figure: no path is cut at its edge
    run->Sim.BackColor = clTeal;
    run->Sim.ClearFigure(false);
    run->Run(150);
    run->Colouring.Settings.SingleColor = clRed;
    run->Run(150);
    run->Sim.LiftPen();
    run->Colouring.Settings.PenWidth = 4;
    run->Sim.Settings.Antialias = false;
    run->Run(100);
    Run = run;
  }
  static void TearDownTestSuite() { delete Run; }
  static TDrawingRun* Run;
};
TDrawingRun* SvgFigureTest::Run = nullptr;

TEST_F(SvgFigureTest, WellFormedPageOfTheFiguresSize) {
  const TVectorDocument doc = BuildVectorDocument(Run->Record, TExportOptions());
  const std::string svg = EncodeSVG(doc);
  EXPECT_EQ(Lint(svg), "");
  const auto root = Tags(svg, "svg");
  ASSERT_EQ(root.size(), 1u);
  EXPECT_EQ(Attribute(root[0], "version"), "1.1");
  EXPECT_EQ(Attribute(root[0], "viewBox"), "0 0 640 480");
  EXPECT_EQ(Attribute(root[0], "width"), "640");
  const auto rect = Tags(svg, "rect");
  ASSERT_EQ(rect.size(), 1u);
  EXPECT_EQ(Attribute(rect[0], "fill"), "#008080") << "the colour the figure was cleared with";
  const auto groups = Tags(svg, "g");
  ASSERT_EQ(groups.size(), 1u);
  EXPECT_EQ(Attribute(groups[0], "fill"), "none");
  EXPECT_EQ(Attribute(groups[0], "stroke-linecap"), "butt");
  EXPECT_EQ(Attribute(groups[0], "stroke-width"), "1");
  EXPECT_EQ(svg.find("inkscape"), std::string::npos) << "layers are for plotter mode";

  const auto paths = Tags(svg, "path");
  ASSERT_EQ(paths.size(), 3u) << "black, red, then the thick line after the lift";
  EXPECT_EQ(Attribute(paths[0], "stroke"), "#000000");
  EXPECT_EQ(Attribute(paths[1], "stroke"), "#ff0000");
  EXPECT_EQ(Attribute(paths[2], "stroke-width"), "4");
  EXPECT_EQ(Attribute(paths[2], "shape-rendering"), "crispEdges");
  EXPECT_EQ(Attribute(paths[0], "shape-rendering"), "");
}

// Relative coordinates come from the rounded points: no error adds up along a long path.
TEST_F(SvgFigureTest, PathDataHoldsThePointsToAHundredth) {
  const TVectorDocument doc = BuildVectorDocument(Run->Record, TExportOptions());
  const std::string svg = EncodeSVG(doc);
  const auto paths = Tags(svg, "path");
  ASSERT_EQ(paths.size(), doc.Layers[0].Paths.size());
  for (size_t i = 0; i < paths.size(); ++i) {
    const TDocPath& p = doc.Layers[0].Paths[i];
    const auto pts = PathPoints(Attribute(paths[i], "d"));
    ASSERT_EQ(pts.size(), p.Count);
    for (size_t k = 0; k < p.Count; ++k) {
      ASSERT_NEAR(pts[k].X, doc.Points[p.First + k].X, 0.005 + 1e-6) << i << ":" << k;
      ASSERT_NEAR(pts[k].Y, doc.Points[p.First + k].Y, 0.005 + 1e-6) << i << ":" << k;
    }
  }
}

TEST_F(SvgFigureTest, PlotterPageHasOneInkscapeLayerPerPen) {
  TExportOptions o;
  o.Plotter = true;
  o.Page = ParsePageSize("A3");
  const std::string svg = EncodeSVG(BuildVectorDocument(Run->Record, o));
  EXPECT_EQ(Lint(svg), "");
  const auto root = Tags(svg, "svg");
  EXPECT_EQ(Attribute(root[0], "xmlns:inkscape"), "http://www.inkscape.org/namespaces/inkscape");
  EXPECT_EQ(Attribute(root[0], "width"), "420mm") << "turned to landscape for a wide drawing";
  EXPECT_EQ(Attribute(root[0], "viewBox"), "0 0 420 297");
  EXPECT_TRUE(Tags(svg, "rect").empty()) << "no background on a plotter page";
  const auto groups = Tags(svg, "g");
  ASSERT_EQ(groups.size(), 2u);
  std::vector<std::string> labels;
  for (const std::string& g : groups) {
    EXPECT_EQ(Attribute(g, "inkscape:groupmode"), "layer");
    labels.push_back(Attribute(g, "inkscape:label"));
  }
  // Plotting order first; the second pen stops the plotter for the pen change.
  EXPECT_EQ(labels, (std::vector<std::string>{"1 #000000", "!2 #FF0000"}));
  EXPECT_EQ(Attribute(groups[1], "stroke"), "#ff0000");
}

}  // namespace
