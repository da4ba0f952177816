#include "statistics/quantiles.h"

#include <boost/math/distributions/chi_squared.hpp>
#include <boost/math/distributions/normal.hpp>
#include <boost/math/distributions/students_t.hpp>
#include <cmath>

#include "base/fpcheck.h"

namespace orthavion {

double NormalUpperQuantile(double upper) {
  FpFlagsKept keep;
  return boost::math::quantile(boost::math::complement(boost::math::normal(), upper));
}

double StudentUpperQuantile(double upper, std::int32_t degreesOfFreedom) {
  FpFlagsKept keep;
  return boost::math::quantile(
      boost::math::complement(boost::math::students_t(degreesOfFreedom), upper));
}

double ChiSquareUpperQuantile(double upper, std::int32_t degreesOfFreedom) {
  FpFlagsKept keep;
  return boost::math::quantile(
      boost::math::complement(boost::math::chi_squared(degreesOfFreedom), upper));
}

double WTestCriticalValue(double alpha) { return NormalUpperQuantile(alpha / 2); }

double TauTestCriticalValue(double alpha, std::int32_t f) {
  const double t = StudentUpperQuantile(alpha / 2, f - 1);
  return Fp(t * std::sqrt(static_cast<double>(f)) / std::sqrt((f - 1) + t * t));
}

}  // namespace orthavion
