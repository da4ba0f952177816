// libFuzzer target: a saved result read back from arbitrary bytes (see
// fuzzcheck::CheckResult for the property checked).

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "fuzz/fail.h"
#include "fuzz/resultcheck.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const fuzzcheck::Outcome outcome =
      fuzzcheck::CheckResult(std::string_view(reinterpret_cast<const char*>(data), size));
  if (!outcome.violation.empty()) fuzzcheck::Fail(outcome.violation);
  return 0;
}
