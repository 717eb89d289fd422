#include "vector/hpgl_writer.h"

#include <cmath>

#include "vector/plot_walk.h"

namespace trochodraw {

namespace {

class THPGLSink : public TPlotSink {
 public:
  explicit THPGLSink(std::string& Out) : FOut(Out) {}

  void BeginLayer(const TDocLayer& Layer) override {
    if (Layer.Pen == FPen) return;
    FPen = Layer.Pen;
    FOut += "SP" + std::to_string(FPen) + ";\n";
  }
  void PenUp() override { EndDrawing(); }
  void PenDown() override {}
  void Travel(TDocPoint To) override {
    EndDrawing();
    FAt = Units(To);
    FOut += "PU" + Pair(FAt) + ";\n";
  }
  void Draw(TDocPoint To) override {
    const auto at = Units(To);
    // A step shorter than a plotter unit draws nothing.
    if (FDrawn > 0 && at == FAt) return;
    FOut += FDrawn == 0 ? "PD" : ",";
    FOut += Pair(at);
    FAt = at;
    // Short commands suit plotters with small input buffers.
    if (++FDrawn == 16) EndDrawing();
  }
  void EndDrawing() {
    if (FDrawn == 0) return;
    FOut += ";\n";
    FDrawn = 0;
  }

 private:
  using TUnits = std::pair<long long, long long>;
  static TUnits Units(TDocPoint P) {
    return {std::llround(P.X * kHPGLUnitsPerMM), std::llround(P.Y * kHPGLUnitsPerMM)};
  }
  static std::string Pair(TUnits U) { return std::to_string(U.first) + "," + std::to_string(U.second); }

  std::string& FOut;
  int FPen = 0;
  int FDrawn = 0;
  TUnits FAt{0, 0};
};

}  // namespace

std::string EncodeHPGL(const TVectorDocument& Doc) {
  std::string out = "IN;\n";
  THPGLSink sink(out);
  WalkPlot(Doc, sink);
  sink.EndDrawing();
  out += "PU;SP0;\n";
  return out;
}

}  // namespace trochodraw
