#include "base/fpcheck.h"

#include <gtest/gtest.h>

#include <cfenv>
#include <cmath>
#include <string>

#include "base/error.h"
#include "support/errortext.h"

namespace orthavion {
namespace {

constexpr int kErrorFlags = FE_INVALID | FE_DIVBYZERO | FE_OVERFLOW;

using testsupport::ErrorText;

// Volatile operands keep the compiler from folding the operations away.
volatile double gZero = 0.0;
volatile double gOne = 1.0;
volatile double gMinusOne = -1.0;
volatile double gThree = 3.0;
volatile double gTen = 10.0;
volatile double gBig = 1e308;
volatile double gSmall = 1e-308;
volatile double gTiny = 1e-10;
volatile double gSink;

struct Row {
  const char* name;
  void (*operation)();
  std::string text;  // "" when the operation passes
};

const Row kRows[] = {
    {"0/0", [] { gSink = gZero / gZero; }, "Ungültige Gleitkommaoperation"},
    {"sqrt(-1)", [] { gSink = std::sqrt(gMinusOne); }, "Ungültige Gleitkommaoperation"},
    {"1/0", [] { gSink = gOne / gZero; }, "Gleitkommadivision durch Null"},
    {"-1/0", [] { gSink = gMinusOne / gZero; }, "Gleitkommadivision durch Null"},
    {"1e308*10", [] { gSink = gBig * gTen; }, "Gleitkommaüberlauf"},
    {"-1e308*10", [] { gSink = -gBig * gTen; }, "Gleitkommaüberlauf"},
    // The infinity of a division by zero then makes an invalid operation;
    // the division is the cause that is reported.
    {"(1/0)*0", [] { gSink = (gOne / gZero) * gZero; }, "Gleitkommadivision durch Null"},
    {"(1e308*10)-(1e308*10)", [] { gSink = gBig * gTen - gBig * gTen; }, "Gleitkommaüberlauf"},
    {"underflow 1e-308*1e-10", [] { gSink = gSmall * gTiny; }, ""},
    {"inexact 1/3", [] { gSink = gOne / gThree; }, ""},
    {"inexact 1e308+1", [] { gSink = gBig + gOne; }, ""},
};

TEST(FpCheckTest, ReportsEachFaultWithItsText) {
  for (const Row& row : kRows) {
    SCOPED_TRACE(row.name);
    ClearFpErrors();
    row.operation();
    EXPECT_EQ(ErrorText([] { CheckFp(); }), row.text);
    EXPECT_EQ(std::fetestexcept(kErrorFlags), 0);  // cleared by a report
    EXPECT_EQ(ErrorText([] { CheckFp(); }), "");   // reported once only
  }
}

TEST(FpCheckTest, FpReturnsTheValueOrReportsIt) {
  ClearFpErrors();
  EXPECT_EQ(Fp(gOne / gThree), 1.0 / 3.0);
  EXPECT_EQ(ErrorText([] { Fp(gOne / gZero); }), "Gleitkommadivision durch Null");
  EXPECT_EQ(ErrorText([] { Fp(std::sqrt(gMinusOne)); }), "Ungültige Gleitkommaoperation");
}

TEST(FpCheckTest, ClearForgetsEarlierFaults) {
  gSink = gZero / gZero;
  gSink = gOne / gZero;
  ClearFpErrors();
  EXPECT_EQ(std::fetestexcept(FE_ALL_EXCEPT), 0);
  EXPECT_EQ(ErrorText([] { CheckFp(); }), "");
}

TEST(FpCheckTest, RaiseFpOverflowReportsOverflowAndClears) {
  gSink = gZero / gZero;
  EXPECT_EQ(ErrorText([] { RaiseFpOverflow(); }), "Gleitkommaüberlauf");
  EXPECT_EQ(std::fetestexcept(kErrorFlags), 0);
}

TEST(FpCheckTest, FlagsKeptRestoresTheCommandsFlags) {
  struct KeptRow {
    const char* name;
    void (*before)();  // the command's arithmetic
    void (*inside)();  // code whose flags are not the command's
    int expected;      // the error flags afterwards
  };
  const KeptRow rows[] = {
      {"nothing before, fault inside", [] {}, [] { gSink = gZero / gZero; }, 0},
      {"fault before, other fault inside", [] { gSink = gOne / gZero; },
       [] { gSink = gBig * gTen; }, FE_DIVBYZERO},
      {"fault before, cleared inside", [] { gSink = gZero / gZero; }, [] { ClearFpErrors(); },
       FE_INVALID},
  };
  for (const KeptRow& row : rows) {
    SCOPED_TRACE(row.name);
    ClearFpErrors();
    row.before();
    {
      FpFlagsKept keep;
      row.inside();
    }
    EXPECT_EQ(std::fetestexcept(kErrorFlags), row.expected);
  }
  ClearFpErrors();
}

}  // namespace
}  // namespace orthavion
