#pragma once
#include <cstdint>
#include <vector>

namespace orthavion {

/// A vector of doubles. Dimensioned with upper bound Ub it holds the indices
/// 0..Ub; the kernel's routines touch only the indices from the lower bound
/// the caller passes up to the upper bound.
using TVector = std::vector<double>;

/// A matrix of doubles as an array of rows: A[I][J] is row I, column J.
/// Dimensioned with upper bounds Ub1 and Ub2 it is a full rectangle of
/// Ub1+1 rows of Ub2+1 elements.
using TMatrix = std::vector<TVector>;

/// The largest upper bound an array can be declared with.
constexpr std::int32_t MaxSize = 2147483647;

/// Codes of the scalar functions.
constexpr std::int32_t FOk = 0;
constexpr std::int32_t FDomain = -1;
constexpr std::int32_t FSing = -2;
constexpr std::int32_t FOverflow = -3;
constexpr std::int32_t FUnderflow = -4;
constexpr std::int32_t FTLoss = -5;
constexpr std::int32_t FPLoss = -6;

/// Codes of the matrix routines. They overlap in value with the scalar codes;
/// a code is read in the light of the routine that set it.
constexpr std::int32_t MatOk = 0;
constexpr std::int32_t MatNonConv = -1;
constexpr std::int32_t MatSing = -2;
constexpr std::int32_t MatErrDim = -3;
constexpr std::int32_t MatNotPD = -4;

/// Stores ErrCode as the kernel's error code (initially 0). The code is held
/// per thread: a program of one thread sees one code, and decompositions
/// on several threads at once do not interfere.
void SetErrCode(std::int32_t ErrCode);

/// Returns the kernel's error code without changing it.
std::int32_t MathErr();

/// Sizes V to the indices 0..Ub: new elements are 0.0, kept ones keep their
/// values. A negative Ub empties V and releases its storage. Never touches
/// the error code.
void DimVector(TVector& V, std::int32_t Ub);

/// Sizes A to rows 0..Ub1 of columns 0..Ub2, with the rule of DimVector for
/// new and kept elements. A negative bound empties A and releases its
/// storage. Never touches the error code.
void DimMatrix(TMatrix& A, std::int32_t Ub1, std::int32_t Ub2);

}  // namespace orthavion
