#include "points/pointtable.h"

namespace orthavion {

void PointTable::ResetToCentroid() {
  if (entries_.empty()) entries_.emplace_back();
  entries_.resize(1);
  index_.clear();
}

std::int32_t PointTable::SuchPunkt(const std::string& nr) {
  const auto [it, inserted] = index_.try_emplace(nr, size());
  if (inserted) entries_.emplace_back();
  return it->second;
}

}  // namespace orthavion
