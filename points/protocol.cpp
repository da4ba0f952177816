#include "points/protocol.h"

#include "points/codepage.h"
#include "points/error.h"
#include "points/fpcheck.h"

namespace orthavion {

void Protocol::Clear() {
  text_.clear();
  starts_.clear();
  highlighted_.clear();
  characters_ = 0;
}

std::string_view Protocol::Line(std::size_t i) const {
  const std::size_t end = i + 1 < starts_.size() ? starts_[i + 1] : text_.size();
  return std::string_view(text_).substr(starts_[i], end - starts_[i]);
}

void Protocol::Append(std::string_view line, bool highlighted) {
  CheckFp();
  const std::size_t count = Utf8Length(line) + 1;
  if (capacity_ && characters_ + count > *capacity_)
    throw Error("Fehler beim Einfügen einer Zeile in RichEdit");
  starts_.push_back(text_.size());
  text_.append(line);
  highlighted_.push_back(highlighted);
  characters_ += count;
  if (listener_) listener_(highlighted_.size() - 1);
}

}  // namespace orthavion
