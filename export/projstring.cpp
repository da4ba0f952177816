#include "export/projstring.h"

#include <charconv>
#include <numbers>
#include <system_error>

namespace orthavion {

namespace {

/// Appends " +<key>=<value>".
void AppendParameter(std::string& out, const char* key, double value) {
  out += " +";
  out += key;
  out += '=';
  out += RoundTripNumber(value);
}

}  // namespace

std::string RoundTripNumber(double value) {
  char buffer[32];
  const std::to_chars_result r = std::to_chars(buffer, buffer + sizeof buffer, value);
  return std::string(buffer, r.ptr);
}

std::string HelmertProjString(const HelmertParameters& p) {
  constexpr double pi = std::numbers::pi;
  std::string out = "+proj=helmert +convention=position_vector +exact";
  AppendParameter(out, "x", p.t[0]);
  AppendParameter(out, "y", p.t[1]);
  AppendParameter(out, "z", p.t[2]);
  // Arc seconds as the protocol computes them.
  AppendParameter(out, "rx", p.rotation[0] * 180 / pi * 3600);
  AppendParameter(out, "ry", p.rotation[1] * 180 / pi * 3600);
  AppendParameter(out, "rz", p.rotation[2] * 180 / pi * 3600);
  AppendParameter(out, "s", (p.scale - 1) * 1000000);
  return out;
}

std::string AffineProjString(const AffineParameters& p) {
  std::string out = "+proj=affine";
  AppendParameter(out, "xoff", p.offset[0]);
  AppendParameter(out, "yoff", p.offset[1]);
  AppendParameter(out, "zoff", p.offset[2]);
  static constexpr const char* kKeys[3][3] = {
      {"s11", "s12", "s13"}, {"s21", "s22", "s23"}, {"s31", "s32", "s33"}};
  for (int i = 0; i < 3; ++i)
    for (int j = 0; j < 3; ++j) AppendParameter(out, kKeys[i][j], p.A[i][j]);
  return out;
}

std::string InverseProjString(const std::string& forward) { return forward + " +inv"; }

}  // namespace orthavion
