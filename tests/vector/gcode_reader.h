#pragma once

#include <cmath>
#include <sstream>
#include <string>
#include <vector>

#include "vector/export_options.h"
#include "vector/vector_document.h"

namespace trochodraw::testing {

inline double Length(TDocPoint A, TDocPoint B) { return std::hypot(A.X - B.X, A.Y - B.Y); }

struct TGCodeMove {
  TDocPoint To;
  bool PenDown;
};

struct TGCodeRead {
  bool Millimetres = false, Absolute = false, Ended = false;
  std::vector<TGCodeMove> Moves;
  std::vector<std::string> PauseComments;
  std::vector<double> DrawnBetweenPauses{0.0};
  std::vector<std::string> Errors;
};

// A reader of the little G-code a pen plotter needs, written from the G-code rules and not from
// our writer: it knows the pen only by the commands it is told.
inline TGCodeRead ReadGCode(const std::string& Text, const TPlotMotion& Motion) {
  TGCodeRead r;
  std::istringstream in(Text);
  std::string line;
  bool down = false;
  TDocPoint at{0.0, 0.0};
  while (std::getline(in, line)) {
    const std::string code = line.substr(0, line.find('('));
    const std::string comment = line.size() > code.size() ? line.substr(code.size()) : "";
    const std::string trimmed = code.substr(0, code.find_last_not_of(' ') + 1);
    if (trimmed.empty()) continue;
    if (trimmed == Motion.PenUp) {
      down = false;
    } else if (trimmed == Motion.PenDown) {
      down = true;
    } else if (trimmed == "G21") {
      r.Millimetres = true;
    } else if (trimmed == "G90") {
      r.Absolute = true;
    } else if (trimmed == "M2") {
      r.Ended = true;
    } else if (trimmed == "M0") {
      if (down) r.Errors.push_back("pause with the pen down");
      r.PauseComments.push_back(comment);
      r.DrawnBetweenPauses.push_back(0.0);
    } else if (trimmed.rfind("G1 ", 0) == 0 || trimmed.rfind("G0 ", 0) == 0) {
      std::istringstream words(trimmed.substr(3));
      std::string w;
      TDocPoint to = at;
      while (words >> w) {
        if (w[0] == 'X')
          to.X = std::stod(w.substr(1));
        else if (w[0] == 'Y')
          to.Y = std::stod(w.substr(1));
        else if (w[0] != 'F')
          r.Errors.push_back("unknown word " + w);
      }
      if (down) r.DrawnBetweenPauses.back() += Length(at, to);
      r.Moves.push_back({to, down});
      at = to;
    } else {
      r.Errors.push_back("unknown line " + line);
    }
  }
  return r;
}

}  // namespace trochodraw::testing
