#pragma once
// The process's resident memory, for tests that a command's memory stays
// bounded by the size of one line.
#include <cstddef>
#include <fstream>
#include <string>
#include <string_view>

namespace hardening {

/// A size of /proc/self/status ("VmRSS:", "VmHWM:") in bytes; 0 when it
/// cannot be read.
inline std::size_t StatusBytes(std::string_view key) {
  std::ifstream status("/proc/self/status");
  std::string word;
  while (status >> word) {
    if (word == key) {
      std::size_t kib = 0;
      status >> kib;
      return kib * 1024;
    }
    status.ignore(1 << 16, '\n');
  }
  return 0;
}

/// Measures how far the resident memory rises above its level at
/// construction while the object lives.
class PeakGrowth {
public:
  /// Resets the peak to the present resident size; `valid()` is false when
  /// the system does not allow that (the peak would then include earlier
  /// work of the process).
  PeakGrowth() : start_(StatusBytes("VmRSS:")) {
    std::ofstream clear("/proc/self/clear_refs");
    clear << "5";
    clear.flush();
    valid_ = static_cast<bool>(clear) && start_ > 0;
  }

  bool valid() const { return valid_; }

  /// The peak resident size since construction less the size at construction.
  std::size_t bytes() const {
    const std::size_t peak = StatusBytes("VmHWM:");
    return peak > start_ ? peak - start_ : 0;
  }

private:
  std::size_t start_;
  bool valid_ = false;
};

}  // namespace hardening
