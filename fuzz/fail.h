#pragma once
#include <cstdio>
#include <cstdlib>
#include <string>

namespace fuzzcheck {

/// Ends a fuzz target's run on a violated property: prints it and aborts, so
/// that libFuzzer reports the input as a finding and saves it.
[[noreturn]] inline void Fail(const std::string& violation) {
  std::fprintf(stderr, "\n*** property violated: %s\n", violation.c_str());
  std::fflush(stderr);
  std::abort();
}

}  // namespace fuzzcheck
