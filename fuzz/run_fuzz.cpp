// libFuzzer target: a whole transformation run on two arbitrary point files,
// the input's bytes before its first 0xFF byte and those after it (see
// fuzzcheck::CheckRun for the properties checked).

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "fuzz/fail.h"
#include "fuzz/folder.h"
#include "fuzz/runcheck.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const fuzzcheck::ScratchFolder folder("orthavion-fuzz-run");
  const fuzzcheck::Outcome outcome = fuzzcheck::CheckRun(
      folder.path(), std::string_view(reinterpret_cast<const char*>(data), size));
  if (!outcome.violation.empty()) fuzzcheck::Fail(outcome.violation);
  return 0;
}
