#include "platform/trig.h"

#include <cmath>

namespace {

constexpr double kPi = 3.14159265358979323846;

// Taylor series about 0 for |r| <= pi/4: the terms fall below 1e-19 by the 19th power.
double SinSeries(double r) {
  const double r2 = r * r;
  double term = r, sum = r;
  for (int n = 3; n <= 21; n += 2) {
    term *= -r2 / double((n - 1) * n);
    sum += term;
  }
  return sum;
}

double CosSeries(double r) {
  const double r2 = r * r;
  double term = 1.0, sum = 1.0;
  for (int n = 2; n <= 20; n += 2) {
    term *= -r2 / double((n - 1) * n);
    sum += term;
  }
  return sum;
}

// The sine of an angle in degrees, reduced to an octant so the series stays short.
double Sine(double degrees) {
  double d = std::fmod(degrees, 360.0);  // fmod is exact
  if (d < 0) d += 360.0;
  const int quadrant = int(d / 90.0);
  double r = (d - 90.0 * quadrant) * (kPi / 180.0);
  // Past 45 degrees the cosine of the rest is the shorter series.
  const bool upper = r > kPi / 4;
  if (upper) r = kPi / 2 - r;
  const double s = upper ? CosSeries(r) : SinSeries(r), c = upper ? SinSeries(r) : CosSeries(r);
  switch (quadrant & 3) {
    case 0: return s;
    case 1: return c;
    case 2: return -s;
    default: return -c;
  }
}

// The arc tangent for any t: halving the angle twice brings |t| under 0.2,
// where the series converges in a dozen terms.
double ArcTangent(double t) {
  const bool inverted = std::fabs(t) > 1.0;
  if (inverted) t = 1.0 / t;
  for (int i = 0; i < 2; ++i) t = t / (1.0 + std::sqrt(1.0 + t * t));
  const double t2 = t * t;
  double power = t, sum = t;
  for (int n = 3; n <= 25; n += 2) {
    power *= -t2;
    sum += power / n;
  }
  sum *= 4.0;
  if (inverted) sum = (t > 0 ? kPi / 2 : -kPi / 2) - sum;
  return sum;
}

}  // namespace

float SinDeg(float degrees) { return float(Sine(degrees)); }
float CosDeg(float degrees) { return float(Sine(double(degrees) + 90.0)); }

float ATan2Deg(float y, float x) {
  if (x == 0 && y == 0) return 0;
  double angle;
  if (x == 0)
    angle = y > 0 ? kPi / 2 : -kPi / 2;
  else {
    angle = ArcTangent(double(y) / double(x));
    if (x < 0) angle += y >= 0 ? kPi : -kPi;
  }
  return float(angle * (180.0 / kPi));
}
