#pragma once
// PROJ's cct program (Debian's proj-bin) as the reference of the PROJ
// strings: points through an operation, in a test folder of their own.
#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

#include "support/command.h"
#include "support/testdir.h"

namespace testsupport {

using CctPoint = std::array<double, 3>;

/// True when cct is installed.
inline bool HaveCct() { return std::system("command -v cct >/dev/null 2>&1") == 0; }

/// `points` carried through PROJ's cct with the operation `operation`.
inline std::vector<CctPoint> Cct(const std::string& operation, const std::vector<CctPoint>& points) {
  testsupport::TestDir dir;
  std::ostringstream in;
  in.precision(17);
  for (const CctPoint& p : points) in << p[0] << ' ' << p[1] << ' ' << p[2] << " 0\n";
  const std::string file = dir.write("in.txt", in.str());
  const auto [status, out] = RunCaptured("cct -d 10 " + operation + " '" + file + "' 2>&1");
  EXPECT_EQ(status, 0) << out;
  std::istringstream lines(out);
  std::vector<CctPoint> result;
  for (CctPoint p; lines >> p[0] >> p[1] >> p[2];) {
    result.push_back(p);
    std::string rest;
    std::getline(lines, rest);  // the time coordinate
  }
  EXPECT_EQ(result.size(), points.size()) << out;
  return result;
}

/// `forward` carries `start` within 1 µm of `expected`, and `inverse`
/// carries `expected` back to `start` within 1 µm.
inline void ExpectCctCarries(const std::string& forward, const std::string& inverse,
                             const std::vector<CctPoint>& start,
                             const std::vector<CctPoint>& expected) {
  const std::vector<CctPoint> there = Cct(forward, start);
  const std::vector<CctPoint> back = Cct(inverse, expected);
  ASSERT_EQ(there.size(), start.size());
  ASSERT_EQ(back.size(), start.size());
  for (std::size_t i = 0; i < start.size(); ++i)
    for (int c = 0; c < 3; ++c) {
      EXPECT_NEAR(there[i][c], expected[i][c], 1e-6) << "forward, point " << i << " axis " << c;
      EXPECT_NEAR(back[i][c], start[i][c], 1e-6) << "inverse, point " << i << " axis " << c;
    }
}

}  // namespace testsupport
