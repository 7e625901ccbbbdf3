#include "scene/core/Easing.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

constexpr double kPi = std::numbers::pi;
constexpr double kBackOvershoot = 1.70158;

// The progress p = time / duration of one run, in [0, 1], with the absolute values the
// exponential and elastic curves test against.
struct Run {
  double p;
  double time;
  double duration;
  bool AtStart() const { return time == 0; }
  bool AtEnd() const { return time == duration; }
};

double Bounce(double x) {
  constexpr double k = 7.5625;
  constexpr double d = 2.75;
  if (x < 1 / d) return k * x * x;
  if (x < 2 / d) {
    x -= 1.5 / d;
    return k * x * x + 0.75;
  }
  if (x < 2.5 / d) {
    x -= 2.25 / d;
    return k * x * x + 0.9375;
  }
  x -= 2.625 / d;
  return k * x * x + 0.984375;
}

double Power(TvxAnimationType type, double p, int n) {
  switch (type) {
    case vxAnimationIn:
      return std::pow(p, n);
    case vxAnimationOut:
      return n % 2 ? std::pow(p - 1, n) + 1 : 1 - std::pow(p - 1, n);  // p(2 - p) for n = 2
    case vxAnimationInOut:
      break;
  }
  const double h = 2 * p;
  if (h < 1) return std::pow(h, n) / 2;
  return n % 2 ? (std::pow(h - 2, n) + 2) / 2 : -(std::pow(h - 2, n) - 2) / 2;
}

double Sinusoidal(TvxAnimationType type, double p) {
  switch (type) {
    case vxAnimationIn:
      return 1 - std::cos(p * kPi / 2);
    case vxAnimationOut:
      return std::sin(p * kPi / 2);
    case vxAnimationInOut:
      break;
  }
  return (1 - std::cos(p * kPi)) / 2;
}

double Exponential(TvxAnimationType type, const Run& run) {
  const double p = run.p;
  switch (type) {
    case vxAnimationIn:
      return run.AtStart() ? 0 : std::exp2(10 * (p - 1));
    case vxAnimationOut:
      return run.AtEnd() ? 1 : 1 - std::exp2(-10 * p);
    case vxAnimationInOut:
      break;
  }
  if (run.AtStart()) return 0;
  if (run.AtEnd()) return 1;
  const double h = 2 * p;
  if (h < 1) return std::exp2(10 * (h - 1)) / 2;
  return (2 - std::exp2(-10 * (h - 1))) / 2;
}

double Circular(TvxAnimationType type, double p) {
  switch (type) {
    case vxAnimationIn:
      return 1 - std::sqrt(1 - p * p);
    case vxAnimationOut:
      return std::sqrt(1 - (p - 1) * (p - 1));
    case vxAnimationInOut:
      break;
  }
  const double h = 2 * p;
  if (h < 1) return (1 - std::sqrt(1 - h * h)) / 2;
  const double q = h - 2;
  return (std::sqrt(1 - q * q) + 1) / 2;
}

// Amplitude 1, period 0.3 × duration (0.45 × duration in and out).
double Elastic(TvxAnimationType type, const Run& run) {
  const double d = run.duration;
  const double period = (type == vxAnimationInOut ? 0.45 : 0.3) * d;
  const auto wave = [&](double x) { return std::sin((d * x - period / 4) * 2 * kPi / period); };
  if (run.AtStart()) return 0;
  switch (type) {
    case vxAnimationIn: {
      if (run.p == 1) return 1;
      const double q = run.p - 1;
      return -std::exp2(10 * q) * wave(q);
    }
    case vxAnimationOut:
      if (run.p == 1) return 1;
      return 1 + std::exp2(-10 * run.p) * wave(run.p);
    case vxAnimationInOut:
      break;
  }
  const double h = 2 * run.p;
  if (h == 2) return 1;
  const double q = h - 1;
  if (h < 1) return -std::exp2(10 * q) * wave(q) / 2;
  return 1 + std::exp2(-10 * q) * wave(q) / 2;
}

double Back(TvxAnimationType type, double p) {
  const double s = kBackOvershoot;
  switch (type) {
    case vxAnimationIn:
      return p * p * ((s + 1) * p - s);
    case vxAnimationOut: {
      const double q = p - 1;
      return q * q * ((s + 1) * q + s) + 1;
    }
    case vxAnimationInOut:
      break;
  }
  const double s2 = s * 1.525;
  const double h = 2 * p;
  if (h < 1) return h * h * ((s2 + 1) * h - s2) / 2;
  const double q = h - 2;
  return (q * q * ((s2 + 1) * q + s2) + 2) / 2;
}

double BounceCurve(TvxAnimationType type, double p) {
  switch (type) {
    case vxAnimationIn:
      return 1 - Bounce(1 - p);
    case vxAnimationOut:
      return Bounce(p);
    case vxAnimationInOut:
      break;
  }
  if (p < 0.5) return (1 - Bounce(1 - 2 * p)) / 2;
  return Bounce(2 * p - 1) / 2 + 0.5;
}

double Ease(TvxInterpolationType interpolation, TvxAnimationType type, const Run& run) {
  switch (interpolation) {
    case vxInterpolationLinear:
      return run.p;
    case vxInterpolationQuadratic:
      return Power(type, run.p, 2);
    case vxInterpolationCubic:
      return Power(type, run.p, 3);
    case vxInterpolationQuartic:
      return Power(type, run.p, 4);
    case vxInterpolationQuintic:
      return Power(type, run.p, 5);
    case vxInterpolationSinusoidal:
      return Sinusoidal(type, run.p);
    case vxInterpolationExponential:
      return Exponential(type, run);
    case vxInterpolationCircular:
      return Circular(type, run.p);
    case vxInterpolationElastic:
      return Elastic(type, run);
    case vxInterpolationBack:
      return Back(type, run.p);
    case vxInterpolationBounce:
      return BounceCurve(type, run.p);
  }
  return run.p;
}

}  // namespace

float EaseProgress(TvxInterpolationType interpolation, TvxAnimationType type, float time,
                   float duration) {
  if (!(duration > 0) || !std::isfinite(duration)) return 0;
  const double d = duration;
  const double t = std::clamp(double(time), 0.0, d);
  return float(Ease(interpolation, type, Run{t / d, t, d}));
}
