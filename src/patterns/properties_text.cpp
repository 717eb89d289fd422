#include "patterns/properties_text.h"

namespace trochodraw {

std::string F2(double X, const TFormatSettings& FS) { return FormatFixed(X, 2, FS); }

std::string F4(double X, const TFormatSettings& FS) { return FormatFixed(X, 4, FS); }

std::string OffsetText(double X, double Y, const TFormatSettings& FS) {
  return "(X: " + F4(X, FS) + "; Y: " + F4(Y, FS) + ")";
}

std::string PatternText(const TPattern& P, const std::string& Sep, const TFormatSettings& FS) {
  const std::string end = ";" + Sep;
  std::string t;
  t += "Name: '" + P.Name + "'" + end;
  t += "ArmMode: " + ArmModeName(P.ArmMode) + end;
  t += "Radius1: " + F2(P.Radius1, FS) + end;
  t += "Radius2: " + F2(P.Radius2, FS) + end;
  t += "RPM1: " + F2(P.RPM1, FS) + end;
  t += "RPM2: " + F2(P.RPM2, FS) + end;
  t += "PlanetMode: " + PlanetModeName(P.PlanetMode) + end;
  t += "Scale: " + F2(P.Scale, FS) + end;
  t += "Offset: " + OffsetText(P.OffsetX, P.OffsetY, FS) + end;
  t += "Angle1: " + F2(P.Angle1, FS) + end;
  t += "Angle2: " + F2(P.Angle2, FS) + end;
  t += "Angle1A: " + F2(P.Angle1A, FS) + end;
  t += "Angle2A: " + F2(P.Angle2A, FS) + end;
  return t;
}

void AppendMemoText(std::string& Memo, const std::string& Text, const std::string& LineBreak) {
  const bool endsWithBreak =
      Memo.size() >= LineBreak.size() && Memo.compare(Memo.size() - LineBreak.size(), LineBreak.size(), LineBreak) == 0;
  if (!Memo.empty() && !endsWithBreak) Memo += LineBreak;
  Memo += Text + LineBreak;
}

void AppendPatternProperties(std::string& Memo, const TPattern& P, const TFormatSettings& FS,
                             const std::string& LineBreak) {
  AppendMemoText(Memo, PatternText(P, LineBreak, FS), LineBreak);
}

void AppendAllPatternProperties(std::string& Memo, const TPatternArray& List, const TFormatSettings& FS,
                                const std::string& LineBreak) {
  for (const TPattern& p : List) AppendMemoText(Memo, PatternText(p, " ", FS), LineBreak);
}

}  // namespace trochodraw
