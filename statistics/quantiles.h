#pragma once
#include <cstdint>

namespace orthavion {

/// Quantiles of the test distributions (Boost.Math). `upper` is the
/// probability of the upper tail: the result x has P(X > x) = upper.
/// Degrees of freedom are at least 1. The library's own floating-point
/// flags do not reach the command.
double NormalUpperQuantile(double upper);
double StudentUpperQuantile(double upper, std::int32_t degreesOfFreedom);
double ChiSquareUpperQuantile(double upper, std::int32_t degreesOfFreedom);

/// Critical value of Baarda's w-test at level `alpha` (two-sided): the
/// normal quantile 1 − α/2.
double WTestCriticalValue(double alpha);

/// Critical value of Pope's τ-test at level `alpha` with f degrees of
/// freedom (f ≥ 2): τ = t·√f / √(f − 1 + t²), t the Student quantile
/// 1 − α/2 with f − 1 degrees of freedom.
double TauTestCriticalValue(double alpha, std::int32_t f);

}  // namespace orthavion
