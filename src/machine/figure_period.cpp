#include "machine/figure_period.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <vector>

namespace trochodraw {

namespace {

__extension__ typedef unsigned __int128 TUInt128;

// Raised when an exact value no longer fits; the rates are bounded (|RPM| <= 100), so only
// a denominator beyond 1e18 gets here, and with it a period beyond 1e18 ticks.
struct TTooLarge {};

TInt128 Abs(TInt128 X) { return X < 0 ? -X : X; }

TInt128 Gcd(TInt128 A, TInt128 B) {
  A = Abs(A);
  B = Abs(B);
  while (B != 0) {
    const TInt128 r = A % B;
    A = B;
    B = r;
  }
  return A;
}

TInt128 Mul(TInt128 A, TInt128 B) {
  TInt128 r;
  if (__builtin_mul_overflow(A, B, &r)) throw TTooLarge{};
  return r;
}

// A fraction in lowest terms with a positive denominator.
struct TRational {
  TInt128 N = 0, D = 1;

  static TRational Make(TInt128 N, TInt128 D) {
    if (D < 0) {
      N = -N;
      D = -D;
    }
    const TInt128 g = Gcd(N, D);
    return g > 1 ? TRational{N / g, D / g} : TRational{N, D};
  }
  TRational operator*(const TRational& O) const {
    // Cross-reduced first, so nothing grows that the result does not need.
    const TInt128 g1 = std::max<TInt128>(Gcd(N, O.D), 1), g2 = std::max<TInt128>(Gcd(O.N, D), 1);
    return Make(Mul(N / g1, O.N / g2), Mul(D / g2, O.D / g1));
  }
  TRational operator-() const { return {-N, D}; }
};

// The shortest decimal that reads back as X, taken exactly: 77.63 is 7763/100, whatever the
// binary double holds.
TRational ExactDecimal(double X) {
  if (!std::isfinite(X)) throw TTooLarge{};
  char buf[64];
  const auto res = std::to_chars(buf, buf + sizeof buf, X);
  const std::string_view text(buf, static_cast<size_t>(res.ptr - buf));
  TInt128 digits = 0;
  int exponent = 0;
  bool negative = false, fraction = false;
  size_t i = 0;
  if (i < text.size() && text[i] == '-') {
    negative = true;
    ++i;
  }
  for (; i < text.size(); ++i) {
    const char c = text[i];
    if (c == '.') {
      fraction = true;
    } else if (c == 'e') {
      int e = 0;
      std::from_chars(text.data() + i + 1 + (text[i + 1] == '+'), text.data() + text.size(), e);
      exponent += e;
      break;
    } else {
      digits = digits * 10 + (c - '0');
      if (fraction) --exponent;
    }
  }
  TInt128 num = negative ? -digits : digits, den = 1;
  for (; exponent > 0; --exponent) num = Mul(num, 10);
  for (; exponent < 0; ++exponent) den = Mul(den, 10);
  return TRational::Make(num, den);
}

// Degrees per tick of the two wheels and the two planets (planets only in the planetary
// modes, zero rates left out by the callers).
struct TRates {
  TRational Wheel[2], Planet[2];
  bool Planets = false;
};

TRational PlanetRatioExact(const TRational& Percent, TPlanetMode Mode) {
  // Wheel radius = min(60, Percent/100*60); planet radius = min(60, 60 - wheel radius),
  // raised to 1 for the ratio; ratio = 60 / planet radius, negative in the inner mode.
  const TRational wheel = TRational::Make(Mul(Percent.N, 3), Mul(Percent.D, 5));
  TRational planet;
  if (wheel.N >= Mul(60, wheel.D))
    planet = {0, 1};
  else
    planet = TRational::Make(Mul(60, wheel.D) - wheel.N, wheel.D);
  if (planet.N > Mul(60, planet.D)) planet = {60, 1};
  if (planet.N < planet.D) planet = {1, 1};
  const TRational ratio = TRational::Make(Mul(60, planet.D), planet.N);
  return Mode == pmInnerPlanet ? -ratio : ratio;
}

TRates Rates(const TTickSettings& S) {
  TRates r;
  const TRational perRPM = TRational::Make(TInt128(S.Accelerate ? 10 : 1) * S.TimerInterval * 3, 500);
  r.Wheel[0] = ExactDecimal(S.RPM1) * perRPM;
  r.Wheel[1] = ExactDecimal(S.RPM2) * perRPM;
  r.Planets = S.Machine.Mode != pmTwoWheel;
  const double pct[2] = {S.Machine.Radius1Percent, S.Machine.Radius2Percent};
  for (int k = 0; k < 2; ++k) r.Planet[k] = -(PlanetRatioExact(ExactDecimal(pct[k]), S.Machine.Mode) * r.Wheel[k]);
  return r;
}

// The angles that matter: every moving wheel, and in the planetary modes every moving planet.
std::vector<TRational> MovingAngles(const TRates& R) {
  std::vector<TRational> out;
  for (const TRational& w : R.Wheel)
    if (w.N != 0) out.push_back(w);
  if (R.Planets)
    for (const TRational& p : R.Planet)
      if (p.N != 0) out.push_back(p);
  return out;
}

// Ticks until an angle turning A/D degrees a tick is back at its start: the smallest T
// with T*A a multiple of 360*D.
TInt128 AnglePeriod(const TRational& Rate) {
  const TInt128 full = Mul(360, Rate.D);
  return full / Gcd(Rate.N, full);
}

TInt128 TurnsIn(TInt128 Ticks, const TRational& Rate) {
  if (Rate.N == 0) return 0;
  const TInt128 full = Mul(360, Rate.D);
  const TInt128 g = Gcd(Rate.N, full);
  return Mul(Ticks / (full / g), Rate.N / g);
}

uint64_t MulMod(uint64_t A, uint64_t B, uint64_t M) {
  if ((A | B) < (uint64_t(1) << 32)) return A * B % M;
  return static_cast<uint64_t>(static_cast<TUInt128>(A) * B % M);
}

}  // namespace

TFigurePeriod FigurePeriod(const TTickSettings& Settings) {
  TFigurePeriod p;
  p.Moves = Settings.RPM1 != 0.0 || Settings.RPM2 != 0.0;
  p.PlanetsMatter = Settings.Machine.Mode != pmTwoWheel;
  if (!p.Moves) return p;
  try {
    const TRates rates = Rates(Settings);
    TInt128 period = 1;
    for (const TRational& rate : MovingAngles(rates)) {
      const TInt128 t = AnglePeriod(rate);
      period = Mul(period / Gcd(period, t), t);
      if (period > TInt128(kPeriodLimit)) throw TTooLarge{};
    }
    for (int k = 0; k < 2; ++k) {
      p.WheelTurns[k] = TurnsIn(period, rates.Wheel[k]);
      if (p.PlanetsMatter) p.PlanetTurns[k] = TurnsIn(period, rates.Planet[k]);
    }
    p.Ticks = static_cast<uint64_t>(period);
    p.Exact = true;
  } catch (const TTooLarge&) {
    p.Exact = false;
  }
  return p;
}

namespace {

// One angle of the near closure search, in units of 1/D degree: a turn is M units, and a tick
// moves it by the residue of its rate nearest 0 (Forward tells the sign, Speed the size).
template <typename TFloat>
struct TNearAngle {
  uint64_t M, Step, Pos;
  bool Forward;
  TFloat Window, Speed;
};

template <typename TFloat>
TNearClosure SearchNear(std::vector<TNearAngle<TFloat>> Angles, uint64_t First, uint64_t SearchLimit,
                        uint64_t MaxSteps) {
  TNearClosure out;
  for (auto& a : Angles) a.Pos = MulMod(First % a.M, a.Step, a.M);
  uint64_t t = First;
  for (uint64_t step = 0; t <= SearchLimit && step < MaxSteps; ++step) {
    // The fewest ticks before every angle can be inside its window: each moves steadily in
    // one direction, so none can arrive sooner than its distance over its speed.
    uint64_t skip = 0;
    for (const auto& a : Angles) {
      const TFloat pos = static_cast<TFloat>(a.Pos);
      const TFloat back = static_cast<TFloat>(a.M) - pos;
      if (pos <= a.Window || back <= a.Window) continue;
      const TFloat dist = a.Forward ? back - a.Window : pos - a.Window;
      const TFloat need = std::ceil(dist / a.Speed - TFloat(1e-6));
      skip = std::max<uint64_t>(skip, need < 1 ? 1 : static_cast<uint64_t>(need));
    }
    if (skip == 0) {
      out.Found = true;
      out.Ticks = t;
      return out;
    }
    if (skip > SearchLimit - t) break;
    t += skip;
    for (auto& a : Angles) a.Pos = (a.Pos + MulMod(skip % a.M, a.Step, a.M)) % a.M;
  }
  return out;
}

// Sets up the search's angles; false when a turn has too many units for it.
template <typename TFloat>
bool NearAngles(const std::vector<TRational>& Rates, double Tolerance, std::vector<TNearAngle<TFloat>>& Out,
                uint64_t& First) {
  First = 1;
  for (const TRational& r : Rates) {
    const TInt128 m = Mul(360, r.D);
    if (m >= (TInt128(1) << 62)) return false;
    TNearAngle<TFloat> a;
    a.M = static_cast<uint64_t>(m);
    const TInt128 step = ((r.N % m) + m) % m;
    a.Step = static_cast<uint64_t>(step);
    a.Forward = step <= m / 2;
    a.Speed = static_cast<TFloat>(a.Forward ? step : m - step);
    a.Window = static_cast<TFloat>(Tolerance) * static_cast<TFloat>(r.D);
    // It has to go round once before a return counts.
    const long double once = (static_cast<long double>(m) - static_cast<long double>(a.Window)) /
                             static_cast<long double>(Abs(r.N));
    First = std::max<uint64_t>(First, static_cast<uint64_t>(std::max(1.0L, std::ceil(once - 1e-9L))));
    Out.push_back(a);
  }
  return true;
}

}  // namespace

TNearClosure NearClosure(const TTickSettings& Settings, double Tolerance, uint64_t SearchLimit,
                         uint64_t MaxSteps) {
  TNearClosure out;
  const TFigurePeriod period = FigurePeriod(Settings);
  if (period.Moves) {
    if (period.Exact) SearchLimit = std::min(SearchLimit, period.Ticks);
    try {
      const std::vector<TRational> rates = MovingAngles(Rates(Settings));
      uint64_t first = 1;
      // Doubles count units exactly while a turn has fewer than 2^50 of them, as it has
      // for every setting the spins allow; wider turns take the slower long double.
      std::vector<TNearAngle<double>> fast;
      std::vector<TNearAngle<long double>> wide;
      if (NearAngles(rates, Tolerance, fast, first) &&
          std::all_of(fast.begin(), fast.end(), [](const auto& a) { return a.M < (uint64_t(1) << 50); }))
        out = SearchNear(std::move(fast), first, SearchLimit, MaxSteps);
      else if (NearAngles(rates, Tolerance, wide, first))
        out = SearchNear(std::move(wide), first, SearchLimit, MaxSteps);
    } catch (const TTooLarge&) {
    }
  }
  out.Tolerance = Tolerance;
  return out;
}

std::string IntegerText(TInt128 Value) {
  const bool negative = Value < 0;
  TUInt128 v = negative ? TUInt128(-(Value + 1)) + 1 : TUInt128(Value);
  std::string s;
  do {
    s.push_back(char('0' + int(v % 10)));
    v /= 10;
  } while (v != 0);
  if (negative) s.push_back('-');
  return {s.rbegin(), s.rend()};
}

std::string GroupedIntegerText(uint64_t Value) {
  const std::string digits = IntegerText(Value);
  std::string s;
  for (size_t i = 0; i < digits.size(); ++i) {
    if (i > 0 && (digits.size() - i) % 3 == 0) s.push_back(',');
    s.push_back(digits[i]);
  }
  return s;
}

std::string TickSecondsText(uint64_t Ticks, int TimerInterval) {
  // Tenths of a second, rounded half up, in whole numbers so that 3.45 s shows as 3.5.
  const TUInt128 milli = TUInt128(Ticks) * static_cast<unsigned>(TimerInterval);
  const TUInt128 tenths = (milli + 50) / 100;
  return IntegerText(TInt128(tenths / 10)) + "." + char('0' + int(tenths % 10));
}

}  // namespace trochodraw
