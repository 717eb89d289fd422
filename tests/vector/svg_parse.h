#pragma once

#include <cstdlib>
#include <string>
#include <vector>

#include "vector/vector_document.h"

namespace trochodraw::testing {

// The elements named Tag in an SVG text, each as its whole start tag.
inline std::vector<std::string> Tags(const std::string& Svg, const std::string& Tag) {
  std::vector<std::string> out;
  for (size_t at = Svg.find("<" + Tag + " "); at != std::string::npos; at = Svg.find("<" + Tag + " ", at + 1))
    out.push_back(Svg.substr(at, Svg.find('>', at) - at + 1));
  return out;
}

// The value of attribute Name in a start tag, or "" when it has none.
inline std::string Attribute(const std::string& Tag, const std::string& Name) {
  const std::string key = " " + Name + "=\"";
  const size_t at = Tag.find(key);
  if (at == std::string::npos) return "";
  const size_t from = at + key.size();
  return Tag.substr(from, Tag.find('"', from) - from);
}

// The points of path data made of moveto and lineto commands, absolute or relative.
inline std::vector<TDocPoint> PathPoints(const std::string& D) {
  std::vector<TDocPoint> pts;
  char cmd = 'M';
  const char* p = D.c_str();
  TDocPoint cur;
  while (*p) {
    if (*p == ' ' || *p == ',') {
      ++p;
      continue;
    }
    if (std::strchr("MmLl", *p)) {
      cmd = *p++;
      continue;
    }
    char* end;
    const double x = std::strtod(p, &end);
    p = end;
    while (*p == ' ' || *p == ',') ++p;
    const double y = std::strtod(p, &end);
    p = end;
    const bool relative = (cmd == 'l' || cmd == 'm') && !pts.empty();
    cur = relative ? TDocPoint{cur.X + x, cur.Y + y} : TDocPoint{x, y};
    pts.push_back(cur);
    if (cmd == 'M') cmd = 'L';
    if (cmd == 'm') cmd = 'l';
  }
  return pts;
}

}  // namespace trochodraw::testing
