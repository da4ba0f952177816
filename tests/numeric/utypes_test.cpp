#include "numeric/utypes.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <ostream>
#include "support/casename.h"

namespace orthavion {
namespace {

struct DimVectorCase {
  const char* name;
  TVector Before;
  std::int32_t Ub;
  TVector After;
};

void PrintTo(const DimVectorCase& Case, std::ostream* Out) { *Out << Case.name; }

class DimVectorTest : public testing::TestWithParam<DimVectorCase> {};

TEST_P(DimVectorTest, SizesAndKeepsElements) {
  const DimVectorCase& Case = GetParam();
  SetErrCode(-3);
  TVector V = Case.Before;
  DimVector(V, Case.Ub);
  EXPECT_EQ(V, Case.After);
  EXPECT_EQ(MathErr(), -3) << "dimensioning never touches the error code";
}

INSTANTIATE_TEST_SUITE_P(
    Bounds, DimVectorTest,
    testing::Values(DimVectorCase{"ZeroBoundGivesOneElement", {}, 0, {0.0}},
                    DimVectorCase{"FourGivesFiveZeros", {}, 4, {0.0, 0.0, 0.0, 0.0, 0.0}},
                    DimVectorCase{"NegativeEmpties", {1.0, 2.0}, -1, {}},
                    DimVectorCase{"GrowingKeepsOldValues", {1.0, 2.0, 3.0}, 4, {1.0, 2.0, 3.0, 0.0, 0.0}},
                    DimVectorCase{"ShrinkingDropsTail", {1.0, 2.0, 3.0}, 1, {1.0, 2.0}}),
    testsupport::CaseName());

TEST(DimVector, NegativeBoundReleasesStorage) {
  TVector V(100, 1.0);
  DimVector(V, -1);
  EXPECT_TRUE(V.empty());
  EXPECT_EQ(V.capacity(), 0u);
}

struct DimMatrixCase {
  const char* name;
  TMatrix Before;
  std::int32_t Ub1;
  std::int32_t Ub2;
  TMatrix After;
};

void PrintTo(const DimMatrixCase& Case, std::ostream* Out) { *Out << Case.name; }

class DimMatrixTest : public testing::TestWithParam<DimMatrixCase> {};

TEST_P(DimMatrixTest, SizesAFullRectangle) {
  const DimMatrixCase& Case = GetParam();
  SetErrCode(-1);
  TMatrix A = Case.Before;
  DimMatrix(A, Case.Ub1, Case.Ub2);
  EXPECT_EQ(A, Case.After);
  EXPECT_EQ(MathErr(), -1);
}

const TVector Zeros5(5, 0.0);

INSTANTIATE_TEST_SUITE_P(
    Bounds, DimMatrixTest,
    testing::Values(DimMatrixCase{"FourByFour", {}, 4, 4, TMatrix(5, Zeros5)},
                    DimMatrixCase{"RectangularRowsByColumns", {}, 1, 2, {{0.0, 0.0, 0.0}, {0.0, 0.0, 0.0}}},
                    DimMatrixCase{"NegativeColumnsEmpty", {{1.0}}, 3, -1, {}},
                    DimMatrixCase{"NegativeRowsEmpty", {{1.0}}, -1, 3, {}},
                    DimMatrixCase{"ResizingKeepsOverlap",
                                  {{1.0, 2.0, 3.0}, {4.0, 5.0, 6.0}},
                                  2,
                                  1,
                                  {{1.0, 2.0}, {4.0, 5.0}, {0.0, 0.0}}}),
    testsupport::CaseName());

TEST(ErrorState, MathErrReadsWithoutClearing) {
  SetErrCode(MatErrDim);
  EXPECT_EQ(MathErr(), -3);
  EXPECT_EQ(MathErr(), -3);
  SetErrCode(MatOk);
  EXPECT_EQ(MathErr(), 0);
}

}  // namespace
}  // namespace orthavion
