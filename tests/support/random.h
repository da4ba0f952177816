#pragma once
// Seeded random inputs that are the same with every standard library. The
// output sequences of std::mt19937 and std::mt19937_64 are fixed by the C++
// standard; those of its distributions (uniform_real_distribution,
// normal_distribution, ...) are not. So tests, benchmarks and fuzz helpers
// draw the engine's words and map them here, by hand.
#include <cmath>
#include <cstdint>
#include <numbers>
#include <random>
#include <type_traits>

namespace testsupport {

template <typename Engine>
concept MersenneTwister =
    std::is_same_v<Engine, std::mt19937> || std::is_same_v<Engine, std::mt19937_64>;

/// Uniform in [0, 1): one word, scaled; 32 significant bits from mt19937,
/// 53 (a double's whole mantissa) from mt19937_64.
template <MersenneTwister Engine>
double UnitInterval(Engine& engine) {
  if constexpr (Engine::word_size == 64)
    return static_cast<double>(engine() >> 11) * 0x1p-53;
  else
    return static_cast<double>(engine()) * 0x1p-32;
}

/// Uniform from `lo` to `hi` (`hi` itself only by rounding).
template <MersenneTwister Engine>
double Uniform(Engine& engine, double lo, double hi) {
  return lo + (hi - lo) * UnitInterval(engine);
}

/// Uniform integer in [lo, hi]: one word modulo the count of values (a bias
/// below count / 2^32, far under what a test can see).
template <MersenneTwister Engine>
int Integer(Engine& engine, int lo, int hi) {
  const auto count = static_cast<std::uint64_t>(static_cast<std::int64_t>(hi) - lo + 1);
  return static_cast<int>(lo + static_cast<std::int64_t>(engine() % count));
}

/// True with probability `p`.
template <MersenneTwister Engine>
bool Chance(Engine& engine, double p) {
  return UnitInterval(engine) < p;
}

/// Normal with `mean` and standard deviation `sigma`: Box–Muller (the cosine
/// branch) from two uniforms, the first taken in (0, 1] so that its
/// logarithm is finite.
template <MersenneTwister Engine>
double Normal(Engine& engine, double mean, double sigma) {
  const double u1 = 1.0 - UnitInterval(engine);
  const double u2 = UnitInterval(engine);
  return mean + sigma * std::sqrt(-2.0 * std::log(u1)) * std::cos(2.0 * std::numbers::pi * u2);
}

}  // namespace testsupport
