// libFuzzer target: the OBJ command on an arbitrary model, with the
// transformation of one run on fixed point files made at start-up and
// "Koordinaten kürzen?" answered with Yes (see fuzzcheck::CheckObj for the
// properties checked), and the same model in blocks on worker threads
// against the line-by-line path (fuzzcheck::CheckObjShapes).

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "fuzz/fail.h"
#include "fuzz/folder.h"
#include "fuzz/objcheck.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const fuzzcheck::ScratchFolder folder("orthavion-fuzz-obj");
  static const orthavion::RunState state = fuzzcheck::FixedTransformation(folder.path());
  const fuzzcheck::Outcome outcome = fuzzcheck::CheckObj(
      folder.path(), state, std::string_view(reinterpret_cast<const char*>(data), size), true);
  if (!outcome.violation.empty()) fuzzcheck::Fail(outcome.violation);
  // Blocks of 1 to 64 bytes cut the model everywhere: every line end, long
  // lines and the pieces they are read in.
  const fuzzcheck::Outcome shapes = fuzzcheck::CheckObjShapes(
      folder.path(), state, std::string_view(reinterpret_cast<const char*>(data), size), true,
      1 + size % 64);
  if (!shapes.violation.empty()) fuzzcheck::Fail(shapes.violation);
  return 0;
}
