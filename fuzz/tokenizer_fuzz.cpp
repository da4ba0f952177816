// libFuzzer target: the record tokenizer on arbitrary bytes taken as one
// record (see fuzzcheck::CheckRecord for the properties checked).

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "fuzz/fail.h"
#include "fuzz/tokenizercheck.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string violation =
      fuzzcheck::CheckRecord(std::string_view(reinterpret_cast<const char*>(data), size));
  if (!violation.empty()) fuzzcheck::Fail(violation);
  return 0;
}
