#include "protocol/protocol.h"

#include <algorithm>

#include "base/error.h"
#include "base/fpcheck.h"
#include "protocol/protocoltexts.h"
#include "text/codepage.h"

namespace orthavion {

namespace {
constexpr std::size_t kBlockSize = 1 << 20;
}

void Protocol::Clear() {
  blocks_.clear();
  lines_.clear();
  highlighted_.clear();
  characters_ = 0;
}

void Protocol::Append(std::string_view line, bool highlighted) {
  CheckFp();
  const std::size_t count = Utf8Length(line) + 1;
  if (capacity_ && characters_ + count > *capacity_)
    throw Error(texts::kProtocolFull);
  if (blocks_.empty() || blocks_.back().capacity() - blocks_.back().size() < line.size()) {
    blocks_.emplace_back();
    blocks_.back().reserve(std::max(kBlockSize, line.size()));
  }
  std::string& block = blocks_.back();
  const std::size_t offset = block.size();
  block.append(line);  // within the reserved capacity: earlier lines stay put
  lines_.push_back({block.data() + offset, line.size()});
  highlighted_.push_back(highlighted);
  characters_ += count;
  if (listener_) {
    FpFlagsKept keep;  // the window's text layout is not the command's arithmetic
    listener_(lines_.size() - 1);
  }
}

}  // namespace orthavion
