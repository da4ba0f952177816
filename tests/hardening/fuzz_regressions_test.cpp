// The fuzz targets' seed inputs and the inputs with which they found faults,
// run through the same property checks as in the fuzz targets (fuzz/*check.h),
// each with the outcome it must have. Every file of fuzz/corpus/ is listed
// here, so that an input added there gets its outcome stated as well.

#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <span>
#include <string>
#include <string_view>

#include "base/decimalseparator.h"
#include "fuzz/objcheck.h"
#include "fuzz/resultcheck.h"
#include "fuzz/runcheck.h"
#include "fuzz/tokenizercheck.h"
#include "support/errortext.h"
#include "support/testdir.h"
#include "text/numformat.h"

namespace {

namespace fs = std::filesystem;
using testsupport::ReadBytes;
using testsupport::TestDir;

const fs::path kCorpus = ORTHAVION_SOURCE_DIR "/fuzz/corpus";

/// A seed input and the text of the error it ends its command with ("" for
/// none).
struct Seed {
  const char* file;  ///< under fuzz/corpus/
  const char* error;
};

// The tokenizer's commands are those that read the record.
const Seed kTokenizerSeeds[] = {
    {"tokenizer/point-record", ""}, {"tokenizer/integers", ""},
    {"tokenizer/reals", ""},        {"tokenizer/range", "Gleitkommaüberlauf"},  // '1e400'
    {"tokenizer/bytes", ""},
};

const Seed kRunSeeds[] = {
    {"run/examples", ""},
    {"run/comma-crlf", ""},  // decimal commas, CR LF, text after 0x1A
    // Found by fuzz_run: an eigenvalue of about 1e-11 written with %12.6f
    // formed a pointer before the formatter's digit buffer.
    {"run/new-points", ""},
    {"run/overflow", "Gleitkommaüberlauf"},
    {"run/two-points", "Ungültige Gleitkommaoperation"},
    {"run/same-file", "Ungültige Gleitkommaoperation"},  // an exact fit: 0/0
};

const Seed kObjSeeds[] = {
    {"obj/cube.obj", ""},  {"obj/crlf-comma.obj", ""},  {"obj/overflow.obj", "Gleitkommaüberlauf"},
    {"obj/empty.obj", ""}, {"obj/no-final-lf.obj", ""},
};

const Seed kResultSeeds[] = {
    {"result/similarity.json", ""},
    {"result/horizontal.json", ""},
    {"result/rigid.json", ""},
    {"result/overflow.json",
     "Ergebnisdatei ungültig: Schlüssel \"target_centroid_m\" enthält keine endliche Zahl"},
    {"result/truncated.json", "Ergebnisdatei ungültig: kein JSON (Byte 151)"},
};

std::string Input(const Seed& seed) { return ReadBytes(kCorpus / seed.file); }

TEST(FuzzRegressionTest, EveryCorpusFileHasAStatedOutcome) {
  std::set<std::string> listed, found;
  for (const std::span<const Seed> seeds :
       {std::span<const Seed>(kTokenizerSeeds), std::span<const Seed>(kRunSeeds),
        std::span<const Seed>(kObjSeeds), std::span<const Seed>(kResultSeeds)})
    for (const Seed& s : seeds) listed.insert(s.file);
  for (const auto& entry : fs::recursive_directory_iterator(kCorpus))
    if (entry.is_regular_file()) found.insert(entry.path().lexically_relative(kCorpus).string());
  EXPECT_EQ(found, listed);
}

TEST(FuzzRegressionTest, TokenizerSeedsKeepTheProperties) {
  for (const Seed& seed : kTokenizerSeeds) {
    SCOPED_TRACE(seed.file);
    const std::string record = Input(seed);
    EXPECT_EQ(fuzzcheck::CheckRecord(record), "");
    // Read field by field as real numbers, the record ends with the
    // overflow error or with none.
    std::string_view rest = record;
    const std::string error = testsupport::ErrorText([&] {
      while (!rest.empty()) orthavion::GetFloat(rest);
    });
    EXPECT_EQ(error, seed.error);
  }
}

TEST(FuzzRegressionTest, RunSeedsKeepThePropertiesWithTheirOutcome) {
  TestDir dir;
  for (const Seed& seed : kRunSeeds) {
    SCOPED_TRACE(seed.file);
    const fuzzcheck::Outcome outcome = fuzzcheck::CheckRun(dir.path(), Input(seed));
    EXPECT_EQ(outcome.violation, "");
    EXPECT_EQ(outcome.error, seed.error);
  }
}

TEST(FuzzRegressionTest, ObjSeedsKeepThePropertiesWithTheirOutcome) {
  TestDir dir;
  const orthavion::RunState state = fuzzcheck::FixedTransformation(dir.path());
  for (const Seed& seed : kObjSeeds) {
    for (const bool shorten : {false, true}) {
      SCOPED_TRACE(std::string(seed.file) + (shorten ? ", shortened" : ""));
      const fuzzcheck::Outcome outcome =
          fuzzcheck::CheckObj(dir.path(), state, Input(seed), shorten);
      EXPECT_EQ(outcome.violation, "");
      EXPECT_EQ(outcome.error, seed.error);
    }
  }
}

TEST(FuzzRegressionTest, ResultSeedsKeepThePropertyWithTheirOutcome) {
  for (const Seed& seed : kResultSeeds) {
    SCOPED_TRACE(seed.file);
    const fuzzcheck::Outcome outcome = fuzzcheck::CheckResult(Input(seed));
    EXPECT_EQ(outcome.violation, "");
    EXPECT_EQ(outcome.error, seed.error);
  }
}

// The fault behind run/new-points, on the formatter itself: values whose
// every digit lies beyond the decimals written (found under clang's
// -fsanitize=array-bounds).
TEST(FuzzRegressionTest, FixedNotationOfValuesBelowItsLastDecimal) {
  struct Row {
    const char* format;
    double value;
    const char* text;
  };
  const Row rows[] = {
      {"%12.6f", 1e-11, "    0.000000"},
      {"%12.6f", -1e-17, "    0.000000"},
      {"%10.3f", 4e-4, "     0.000"},
      {"%10.3f", -6e-4, "    -0.001"},  // rounds up into the last decimal
      {"%1.0f", 0.4, "0"},
  };
  orthavion::SetDecimalSeparator('.');
  for (const Row& r : rows) EXPECT_EQ(orthavion::Format(r.format, {r.value}), r.text) << r.value;
}

}  // namespace
