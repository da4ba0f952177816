#pragma once
#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

namespace orthavion {

/// One point of a run. A record that the table creates has every field zero.
struct TPunktTyp {
  std::string NR;        ///< point number, compared exactly (case-sensitive)
  std::int32_t NIV = 0;  ///< integer code, only carried and listed
  double XS = 0.0, YS = 0.0, ZS = 0.0;  ///< start-system coordinates
  double XZ = 0.0, YZ = 0.0, ZZ = 0.0;  ///< target-system coordinates
  bool Passpunkt = false;       ///< control point: in both files
  bool IstStartsystem = false;  ///< the number occurs in the start file
};

/// The point table `P`: entry 0 is the centroid record, entries 1 to n hold
/// one record per distinct point number in order of first appearance. An
/// index from point number to entry keeps `SuchPunkt` linear in the number
/// of points read.
class PointTable {
public:
  /// True before the first run: the table has no entry, not even entry 0.
  bool empty() const { return entries_.empty(); }
  /// The number of entries, n + 1 (0 when empty).
  std::int32_t size() const { return static_cast<std::int32_t>(entries_.size()); }
  /// The highest index n.
  std::int32_t High() const { return size() - 1; }

  TPunktTyp& operator[](std::int32_t i) { return entries_[static_cast<std::size_t>(i)]; }
  const TPunktTyp& operator[](std::int32_t i) const { return entries_[static_cast<std::size_t>(i)]; }

  /// Cuts the table back to entry 0, which keeps its contents, or is created
  /// with every field zero when the table is empty.
  void ResetToCentroid();

  /// The index of the entry (from 1) whose `NR` equals `nr`; when none does,
  /// appends a zeroed entry and returns its index. Entry 0 is never matched.
  /// The new entry's `NR` is left empty for the caller to set; the index
  /// remembers `nr` for it.
  std::int32_t SuchPunkt(const std::string& nr);

private:
  std::vector<TPunktTyp> entries_;
  std::unordered_map<std::string, std::int32_t> index_;
};

}  // namespace orthavion
