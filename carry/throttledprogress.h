#pragma once
#include <algorithm>
#include <cstdint>
#include <functional>

namespace orthavion {

/// A progress indicator advanced once per line, passed on to a window at
/// most about `kReports` times: a window repaint per line would cost more
/// than transforming the line.
class ThrottledProgress {
public:
  using Report = std::function<void(std::int64_t position, std::int64_t maximum)>;
  static constexpr std::int64_t kReports = 256;

  /// Reports (0, `maximum`) at once: the indicator is shown at its start.
  /// An empty `report` makes every call a no-op.
  ThrottledProgress(const Report& report, std::int64_t maximum)
      : report_(report),
        maximum_(maximum),
        step_(std::max<std::int64_t>(1, (maximum + kReports - 1) / kReports)),
        next_(step_) {
    if (report_) report_(0, maximum_);
  }

  /// Advances by one step. Reports every `step_` steps while the position
  /// does not pass the maximum, so positions stay within 0 to `maximum`.
  void Advance() { Advance(1); }

  /// Advances by `steps` (>= 0) at once, with the reports that as many
  /// single steps would give, in the same order.
  void Advance(std::int64_t steps) {
    position_ += steps;
    while (next_ <= position_ && next_ <= maximum_) {
      if (report_) report_(next_, maximum_);
      next_ += step_;
    }
  }

private:
  Report report_;
  std::int64_t maximum_;
  std::int64_t step_;
  std::int64_t next_;
  std::int64_t position_ = 0;
};

}  // namespace orthavion
