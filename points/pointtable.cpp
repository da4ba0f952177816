#include "points/pointtable.h"

#include <functional>

namespace orthavion {

namespace {

std::uint64_t HashOf(std::string_view nr) { return std::hash<std::string_view>{}(nr); }
std::uint32_t IndexOf(std::uint64_t slot) { return static_cast<std::uint32_t>(slot); }
std::uint64_t TagOf(std::uint64_t hash) { return hash & 0xFFFF'FFFF'0000'0000u; }

}  // namespace

void PointTable::ResetToCentroid() {
  if (entries_.empty()) entries_.emplace_back();
  entries_.resize(1);
  slots_.assign(slots_.empty() ? 1024 : slots_.size(), 0);
}

void PointTable::Grow() {
  std::vector<std::uint64_t> slots(slots_.size() * 2, 0);
  const std::size_t mask = slots.size() - 1;
  for (std::uint64_t slot : slots_) {
    if (slot == 0) continue;
    const std::uint64_t hash = HashOf(entries_[IndexOf(slot)].NR);
    std::size_t s = hash & mask;
    while (slots[s] != 0) s = (s + 1) & mask;
    slots[s] = slot;
  }
  slots_.swap(slots);
}

std::size_t PointTable::Probe(std::string_view nr, std::uint64_t hash) const {
  const std::size_t mask = slots_.size() - 1;
  std::size_t s = hash & mask;
  for (; slots_[s] != 0; s = (s + 1) & mask) {
    const std::uint64_t slot = slots_[s];
    if (TagOf(slot) == TagOf(hash) && entries_[IndexOf(slot)].NR == nr) break;
  }
  return s;
}

std::int32_t PointTable::Find(std::string_view nr) const {
  if (slots_.empty()) return 0;
  return static_cast<std::int32_t>(IndexOf(slots_[Probe(nr, HashOf(nr))]));
}

std::int32_t PointTable::SuchPunkt(std::string_view nr) {
  if (2 * entries_.size() >= slots_.size()) Grow();
  const std::uint64_t hash = HashOf(nr);
  const std::size_t s = Probe(nr, hash);
  if (slots_[s] != 0) return static_cast<std::int32_t>(IndexOf(slots_[s]));
  const std::int32_t index = size();
  entries_.emplace_back().NR.assign(nr);
  slots_[s] = TagOf(hash) | static_cast<std::uint32_t>(index);
  return index;
}

}  // namespace orthavion
