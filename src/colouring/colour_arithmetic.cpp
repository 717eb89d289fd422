#include "colouring/colour_arithmetic.h"

#include <algorithm>
#include <cmath>
#include <iterator>

namespace trochodraw {

TColorTriple ColorToTriple(TColor C) { return {BlueOf(C), GreenOf(C), RedOf(C)}; }

TColor TripleToColor(TColorTriple T) { return RGBColor(T.Red, T.Green, T.Blue); }

bool SameTriple(TColorTriple A, TColorTriple B) { return A == B; }

double TripleDistance(TColorTriple A, TColorTriple B) {
  const double dr = double(A.Red) - B.Red, dg = double(A.Green) - B.Green, db = double(A.Blue) - B.Blue;
  const double d = std::sqrt(dr * dr + dg * dg + db * db) / 441.67295593;
  return std::clamp(d, 0.0, 1.0);
}

double ColorDistance(TColor A, TColor B) { return TripleDistance(ColorToTriple(A), ColorToTriple(B)); }

void ColorToRGBBytes(TColor C, uint8_t& R, uint8_t& G, uint8_t& B) {
  // System colours (negative values) resolve to the desktop's usual light scheme.
  if (static_cast<int32_t>(C) < 0) {
    static constexpr TColor kSystem[] = {
        0xC8D0D4, 0xA56E3A, 0x6A240A, 0x808080, 0xC8D0D4, 0xFFFFFF, 0x000000, 0x000000,
        0x000000, 0x000000, 0xC8D0D4, 0xC8D0D4, 0x808080, 0x6A240A, 0xFFFFFF, 0xC8D0D4,
        0x808080, 0x808080, 0x000000, 0xC8D0D4, 0xFFFFFF, 0x404040, 0xC8D0D4, 0x000000,
        0xE1FFFF, 0xB5B5B5, 0x800000, 0xF0CAA6, 0xC0C0C0, 0xFF9933, 0xF0F0F0};
    const unsigned idx = C & 0xFF;
    C = idx < std::size(kSystem) ? kSystem[idx] : 0;
  }
  R = RedOf(C);
  G = GreenOf(C);
  B = BlueOf(C);
}

THSVColor RGBToHSV(TColorTriple T) {
  const long double r = T.Red / 255.0L, g = T.Green / 255.0L, b = T.Blue / 255.0L;
  const long double mx = std::max({r, g, b}), mn = std::min({r, g, b});
  THSVColor out{-1.0L, 0.0L, mx};
  const long double delta = mx - mn;
  if (mx == 0.0L) return {-1.0L, 0.0L, 0.0L};
  out.S = delta / mx;
  long double h;
  if (delta == 0.0L) {
    h = 0.0L;
  } else if (mx == r) {
    h = (g - b) / delta;
  } else if (mx == g) {
    h = 2.0L + (b - r) / delta;
  } else {
    h = 4.0L + (r - g) / delta;
  }
  h *= 60.0L;
  while (h < 0.0L) h += 360.0L;
  out.H = h;
  return out;
}

namespace {

// Out-of-range channels (extrapolated gradients) keep the low eight bits of the integer.
uint8_t ChannelByte(long double X) {
  const long double v = std::trunc(X * 255.0L);
  if (!(std::fabs(v) < 1e15L)) return 0;
  return static_cast<uint8_t>(static_cast<int64_t>(v));
}

}  // namespace

TColorTriple HSVToTriple(const THSVColor& C) {
  const long double V = C.V;
  if (C.S == 0.0L) {
    const uint8_t v = ChannelByte(V);
    return {v, v, v};
  }
  const double h = static_cast<double>(C.H / 60.0L);
  const long double fi = std::floor(static_cast<long double>(h));
  const int64_t i = std::fabs(static_cast<double>(fi)) < 1e15 ? static_cast<int64_t>(fi) : 5;
  const double f = static_cast<double>(h - fi);
  const double p = static_cast<double>(V * (1.0L - C.S));
  const double q = static_cast<double>(V * (1.0L - C.S * f));
  const double t = static_cast<double>(V * (1.0L - C.S * (1.0L - f)));
  long double r, g, b;
  switch (i) {
    case 0: r = V, g = t, b = p; break;
    case 1: r = q, g = V, b = p; break;
    case 2: r = p, g = V, b = t; break;
    case 3: r = p, g = q, b = V; break;
    case 4: r = t, g = p, b = V; break;
    default: r = V, g = p, b = q; break;
  }
  return {ChannelByte(b), ChannelByte(g), ChannelByte(r)};
}

TColor HSVToColor(const THSVColor& C) { return TripleToColor(HSVToTriple(C)); }

TColor GradientColor(TColor Start, TColor End, double T) {
  const THSVColor A = RGBToHSV(ColorToTriple(Start));
  const THSVColor B = RGBToHSV(ColorToTriple(End));
  const long double t = T;
  return HSVToColor({A.H + (B.H - A.H) * t, A.S + (B.S - A.S) * t, A.V + (B.V - A.V) * t});
}

TColorTriple BlendValue(TColorTriple Pixel, TColorTriple New) {
  const THSVColor P = RGBToHSV(Pixel), N = RGBToHSV(New);
  return HSVToTriple({N.H, N.S, P.V * N.V});
}

TVector3 ColorToUnitRGB(TColor C) {
  uint8_t r, g, b;
  ColorToRGBBytes(C, r, g, b);
  return {r / 255.0, g / 255.0, b / 255.0};
}

TColor UnitRGBToColor(TVector3 V) {
  auto ch = [](double x) { return static_cast<uint8_t>(std::trunc(std::clamp(x * 255.0, 0.0, 255.0))); };
  return RGBColor(ch(V.X), ch(V.Y), ch(V.Z));
}

}  // namespace trochodraw
