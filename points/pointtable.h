#pragma once
#include <cstdint>
#include <string>
#include <string_view>
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
  /// A control point left out of the estimation (`Passpunkt` false): it is
  /// transformed and compared as a check point, and is no new point.
  bool Kontrollpunkt = false;
};

/// The point table `P`: entry 0 is the centroid record, entries 1 to n hold
/// one record per distinct point number in order of first appearance. A hash
/// index from point number to entry keeps `SuchPunkt` at constant cost, so
/// reading n points takes time linear in n.
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

  /// The index of the entry (from 1) whose `NR` equals `nr` exactly; when
  /// none does, appends an entry with `NR` = `nr` and every other field zero
  /// and returns its index. Entry 0 is never matched. The readers must not
  /// change the `NR` of an entry afterwards.
  std::int32_t SuchPunkt(std::string_view nr);

  /// The index of the entry (from 1) whose `NR` equals `nr` exactly, or 0
  /// when there is none; the table is not changed.
  std::int32_t Find(std::string_view nr) const;

private:
  void Grow();
  /// The slot that holds `nr` (of hash `hash`), or the empty slot where it
  /// would go.
  std::size_t Probe(std::string_view nr, std::uint64_t hash) const;

  std::vector<TPunktTyp> entries_;
  // Open addressing with linear probing, at most half full. A slot holds an
  // entry index in its low 32 bits (0: empty; entry 0 is never indexed) and
  // the high half of the NR's hash in its high bits, so most probes that do
  // not match are decided without touching the entry.
  std::vector<std::uint64_t> slots_;
};

}  // namespace orthavion
