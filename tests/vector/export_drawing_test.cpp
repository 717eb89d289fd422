#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "imagefiles/file_io.h"
#include "render/bitmap.h"
#include "support/run_command.h"
#include "vector/export_drawing.h"

using namespace trochodraw;
using namespace trochodraw::testing;

namespace {

TStrokeRecord Small() {
  TStrokeRecord r;
  r.SetFigureSize(100, 80);
  r.AddSegment({10, 10}, {90, 70}, {clBlack, 2}, true);
  r.AddSegment({90, 70}, {10, 70}, {clBlack, 2}, true);
  return r;
}

std::string Slurp(const std::string& File) {
  std::ifstream in(File, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

TEST(ExportDrawingTest, FormatFollowsTheExtension) {
  EXPECT_EQ(DrawingFormatOf("a.svg"), dfSVG);
  EXPECT_EQ(DrawingFormatOf("/tmp/x.y/B.SVG"), dfSVG);
  EXPECT_EQ(DrawingFormatOf("c.Pdf"), dfPDF);
  for (const char* bad : {"a.png", "noext", "dir.svg/file", ""}) {
    try {
      DrawingFormatOf(bad);
      ADD_FAILURE() << bad;
    } catch (const EDrawingError& e) {
      EXPECT_NE(std::string(e.what()).find("Unknown drawing format"), std::string::npos);
    }
  }
}

TEST(ExportDrawingTest, WritesBothFormatsAndTellsWhatItWrote) {
  TTempDir dir;
  for (const char* name : {"d.svg", "d.pdf"}) {
    const TExportResult r = ExportDrawing(Small(), TExportOptions(), dir.File(name));
    EXPECT_EQ(r.Paths, 1u);
    EXPECT_EQ(r.Segments, 2u);
    EXPECT_EQ(r.Bytes, Slurp(dir.File(name)).size());
    EXPECT_TRUE(r.Notes.empty());
  }
  EXPECT_EQ(Slurp(dir.File("d.svg")).rfind("<?xml", 0), 0u);
  EXPECT_EQ(Slurp(dir.File("d.pdf")).rfind("%PDF-", 0), 0u);
  // Vector paths, no picture: pdfimages lists no image, and the page is the figure at 96 dpi.
  const auto images = RunCommand("pdfimages -list " + dir.File("d.pdf"));
  ASSERT_EQ(images.Status, 0) << images.Output;
  EXPECT_EQ(std::count(images.Output.begin(), images.Output.end(), '\n'), 2) << images.Output;
  const auto info = RunCommand("pdfinfo " + dir.File("d.pdf"));
  EXPECT_NE(info.Output.find("75 x 60 pts"), std::string::npos) << info.Output;
}

TEST(ExportDrawingTest, FailureLeavesTheOldFileInPlace) {
  TTempDir dir;
  const std::string file = dir.File("keep.svg");
  std::ofstream(file) << "good";
  TExportOptions o;
  o.Plotter = true;
  o.MarginMM = 200;
  EXPECT_THROW(ExportDrawing(Small(), o, file), EDrawingError);
  EXPECT_EQ(Slurp(file), "good");
  try {
    ExportDrawing(Small(), TExportOptions(), "/nonexistent-dir/d.svg");
    ADD_FAILURE() << "wrote into a missing folder";
  } catch (const EImageError& e) {
    EXPECT_NE(std::string(e.what()).find("Cannot create file /nonexistent-dir/d.svg"), std::string::npos) << e.what();
  }
}

TEST(ExportDrawingTest, NotesForWhatTheDrawingLacks) {
  TTempDir dir;
  TStrokeRecord r = Small();
  r.MarkMosaic();
  EXPECT_EQ(ExportDrawing(r, TExportOptions(), dir.File("m.svg")).Notes, std::vector<std::string>{kMosaicNote});
  TStrokeRecord empty;
  EXPECT_EQ(ExportDrawing(empty, TExportOptions(), dir.File("e.pdf")).Notes, std::vector<std::string>{kNoStrokesNote});
  TStrokeRecord shades;
  for (int i = 0; i < 20; ++i) shades.AddSegment({i * 5.0, 10}, {i * 5.0 + 5, 10}, {TColor(i * 10), 1}, true);
  TExportOptions plotter;
  plotter.Plotter = true;
  const auto notes = ExportDrawing(shades, plotter, dir.File("s.svg")).Notes;
  ASSERT_EQ(notes.size(), 1u);
  EXPECT_NE(notes[0].find("20 pen colours"), std::string::npos) << notes[0];
}

}  // namespace
