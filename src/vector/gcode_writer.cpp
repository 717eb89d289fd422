#include "vector/gcode_writer.h"

#include <cmath>
#include <cstdio>

#include "vector/plot_walk.h"

namespace trochodraw {

namespace {

// Millimetres to three decimals, without trailing zeros or a negative zero.
std::string Number(double V) {
  long long thousandths = std::llround(V * 1000.0);
  std::string s = thousandths < 0 ? "-" : "";
  thousandths = std::llabs(thousandths);
  s += std::to_string(thousandths / 1000);
  if (const long long frac = thousandths % 1000) {
    char digits[8];
    std::snprintf(digits, sizeof digits, ".%03lld", frac);
    std::string f = digits;
    f.erase(f.find_last_not_of('0') + 1);
    s += f;
  }
  return s;
}

class TGCodeSink : public TPlotSink {
 public:
  TGCodeSink(std::string& Out, const TPlotMotion& Motion) : FOut(Out), FMotion(Motion) {}

  void BeginLayer(const TDocLayer& Layer) override {
    const std::string pen = "pen " + std::to_string(Layer.Pen) + " " + PenColorName(Layer.Color);
    if (Layer.Pause == lpPenChange)
      FOut += "M0 (change to " + pen + ")\n";
    else if (Layer.Pause == lpReink)
      FOut += "M0 (re-ink " + pen + ")\n";
    else
      FOut += "(" + pen + ")\n";
  }
  void PenUp() override { FOut += FMotion.PenUp + "\n"; }
  void PenDown() override { FOut += FMotion.PenDown + "\n"; }
  void Travel(TDocPoint To) override { Move(To, FMotion.TravelSpeed); }
  void Draw(TDocPoint To) override { Move(To, FMotion.PenSpeed); }

 private:
  void Move(TDocPoint To, double MMPerS) {
    FOut += "G1 X" + Number(To.X) + " Y" + Number(To.Y);
    const double feed = MMPerS * 60.0;
    if (feed != FFeed) {
      FOut += " F" + Number(feed);
      FFeed = feed;
    }
    FOut += "\n";
  }

  std::string& FOut;
  const TPlotMotion& FMotion;
  double FFeed = -1.0;
};

}  // namespace

std::string EncodeGCode(const TVectorDocument& Doc, const TPlotMotion& Motion) {
  std::string out = "(Trochodraw drawing on a " + Number(Doc.Width) + " x " + Number(Doc.Height) +
                    " mm page, origin at its lower left corner)\nG21 (millimetres)\nG90 (absolute)\n" + Motion.PenUp +
                    "\n";
  TGCodeSink sink(out, Motion);
  WalkPlot(Doc, sink);
  out += "M2\n";
  return out;
}

}  // namespace trochodraw
