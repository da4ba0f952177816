// The batch program's command line read by its option table: options
// anywhere, values whatever they look like, file words, the last value or
// every value, the answering options, the forms of a run and of --apply,
// and the usage errors with their messages; the usage text written from the
// same table, and the program printing it.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "batch/batchtexts.h"
#include "batch/parse.h"
#include "batch/usage.h"
#include "support/batchrun.h"
#include "support/casename.h"
#include "support/testdir.h"
#include "transformation/model.h"

namespace orthavion::batch {
namespace {

/// What `a` holds beyond an empty command line, in a fixed order.
std::string Described(const Arguments& a) {
  std::string d;
  const auto add = [&d](const std::string& item) { d += (d.empty() ? "" : " ") + item; };
  if (!a.start.empty() || !a.target.empty()) add("files=" + a.start + "|" + a.target);
  if (a.apply) add("apply=" + *a.apply);
  for (const auto& [name, pair] : {std::pair{"obj", &a.obj}, {"points", &a.points}, {"xyz", &a.xyz}})
    if (*pair) add(std::string(name) + "=" + (*pair)->in + "|" + (*pair)->out);
  if (a.shorten) add("shorten");
  if (a.help) add("help");
  if (a.version) add("version");
  if (a.adjusted) add("adjusted");
  if (a.options.model != Model::Similarity7) add("model=" + std::string(ModelName(a.options.model)));
  if (!a.options.exclude.empty()) {
    std::string ids;
    for (const std::string& id : a.options.exclude) ids += (ids.empty() ? "" : ",") + id;
    add("exclude=" + ids);
  }
  if (a.options.snooping) add("snooping");
  if (a.options.statistics) add("statistics");
  if (a.options.sigma0) add("sigma0=" + std::to_string(*a.options.sigma0));
  if (a.outputs.json) add("json=" + *a.outputs.json);
  if (a.outputs.report) add("report=" + *a.outputs.report);
  if (a.outputs.proj) add("proj=" + *a.outputs.proj);
  return d;
}

struct AcceptedCase {
  const char* name;
  std::vector<std::string_view> words;
  std::string described;
};

const AcceptedCase kAccepted[] = {
    {"a plain run", {"s", "t"}, "files=s|t"},
    {"options before between and after the files",
     {"--statistics", "s", "--model", "rigid6", "t", "--json", "r.json"},
     "files=s|t adjusted model=rigid6 statistics json=r.json"},
    {"a value that looks like an option", {"s", "t", "--json", "--statistics"},
     "files=s|t adjusted json=--statistics"},
    {"a value taken before the second file", {"s", "--report", "t", "u"},
     "files=s|u adjusted report=t"},
    {"dashes are file words", {"--", "-"}, "files=--|-"},
    {"a file that begins with dashes by its path", {"./--foo", "t"}, "files=./--foo|t"},
    {"the last model sigma0 and output count",
     {"s", "t", "--model", "rigid6", "--model", "horizontal5", "--sigma0", "1", "--sigma0", "0.5",
      "--export-proj", "a", "--export-proj", "b"},
     "files=s|t adjusted model=horizontal5 sigma0=0.500000 proj=b"},
    {"exclusions add up", {"s", "t", "--exclude", "101,102", "--exclude", "103"},
     "files=s|t adjusted exclude=101,102,103"},
    {"a point named twice is the run's to refuse", {"s", "t", "--exclude", "1", "--exclude", "1"},
     "files=s|t adjusted exclude=1,1"},
    {"flags given twice", {"s", "t", "--snooping", "--snooping"}, "files=s|t adjusted snooping"},
    {"shorten before its model", {"s", "t", "--shorten", "--obj", "m.obj", "o.obj"},
     "files=s|t obj=m.obj|o.obj shorten"},
    {"every carried file after a run",
     {"s", "t", "--xyz", "e", "f", "--obj", "a", "b", "--points", "c", "d"},
     "files=s|t obj=a|b points=c|d xyz=e|f"},
    {"apply carries one file", {"--xyz", "a", "b", "--apply", "r.json"}, "apply=r.json xyz=a|b"},
    {"apply carries a shortened model", {"--apply", "r.json", "--obj", "a", "b", "--shorten"},
     "apply=r.json obj=a|b shorten"},
    {"help answers whatever the files", {"s", "--help"}, "help"},
    {"version after three files", {"a", "b", "c", "--version"}, "version"},
    {"help with a form that does not fit", {"--help", "--apply", "r.json"}, "apply=r.json help"},
    {"help and version", {"--version", "--help"}, "help version"},
};

class AcceptedTest : public ::testing::TestWithParam<AcceptedCase> {};

TEST_P(AcceptedTest, ReadsTheCommandLine) {
  const AcceptedCase& c = GetParam();
  const std::variant<Arguments, UsageError> parsed = Parse(c.words);
  const UsageError* e = std::get_if<UsageError>(&parsed);
  ASSERT_EQ(e, nullptr) << e->message;
  EXPECT_EQ(Described(std::get<Arguments>(parsed)), c.described);
}

INSTANTIATE_TEST_SUITE_P(CommandLines, AcceptedTest, ::testing::ValuesIn(kAccepted),
                         testsupport::CaseName());

struct RejectedCase {
  const char* name;
  std::vector<std::string_view> words;
  std::string message;  ///< empty: the usage alone
};

const RejectedCase kRejected[] = {
    {"no words", {}, ""},
    {"an unknown option before the files", {"--bogus", "ziel.txt"},
     texts::UnknownOptionText("--bogus")},
    {"name=value is no option", {"s", "--model=rigid6"}, texts::UnknownOptionText("--model=rigid6")},
    {"names are case-sensitive", {"s", "t", "--MODEL"}, texts::UnknownOptionText("--MODEL")},
    {"one file", {"s"}, ""},
    {"three files", {"s", "t", "u"}, ""},
    {"an empty name in the list", {"s", "t", "--exclude", "101,,102"},
     texts::MissingValueText("--exclude")},
    {"a comma at the end", {"s", "t", "--exclude", "101,"}, texts::MissingValueText("--exclude")},
    {"an empty list", {"s", "t", "--exclude", ""}, texts::MissingValueText("--exclude")},
    {"a model by another spelling", {"s", "t", "--model", "Rigid6"},
     texts::UnknownModelText("Rigid6")},
    {"sigma0 with a decimal comma", {"s", "t", "--sigma0", "0,01"}, texts::BadSigma0Text("0,01")},
    {"sigma0 zero", {"s", "t", "--sigma0", "0"}, texts::BadSigma0Text("0")},
    {"an error before help", {"--model", "x", "--help"}, texts::UnknownModelText("x")},
    {"an error after help", {"--help", "--sigma0", "-1"}, texts::BadSigma0Text("-1")},
    {"the first error counts", {"s", "t", "--sigma0", "abc", "--model", "x"},
     texts::BadSigma0Text("abc")},
    {"a model given twice", {"s", "t", "--obj", "a", "b", "--obj", "c", "d"}, ""},
    {"a point cloud given twice", {"s", "t", "--xyz", "a", "b", "--xyz", "c", "d"}, ""},
    {"apply given twice", {"--apply", "r", "--apply", "r", "--obj", "a", "b"}, ""},
    {"shorten without a model", {"s", "t", "--shorten"}, ""},
    {"shorten with a point file", {"--apply", "r", "--points", "a", "b", "--shorten"}, ""},
    {"apply with nothing to carry", {"--apply", "r"}, ""},
    {"apply with two files to carry", {"--apply", "r", "--obj", "a", "b", "--xyz", "c", "d"}, ""},
    {"apply and a run", {"s", "t", "--apply", "r", "--obj", "a", "b"}, ""},
    {"apply and a file word", {"s", "--apply", "r", "--obj", "a", "b"}, ""},
    {"apply and statistics", {"--apply", "r", "--obj", "a", "b", "--statistics"}, ""},
    {"apply and an output", {"--apply", "r", "--obj", "a", "b", "--json", "x"}, ""},
};

class RejectedTest : public ::testing::TestWithParam<RejectedCase> {};

TEST_P(RejectedTest, IsAUsageErrorNamingTheProblem) {
  const RejectedCase& c = GetParam();
  const std::variant<Arguments, UsageError> parsed = Parse(c.words);
  const UsageError* e = std::get_if<UsageError>(&parsed);
  ASSERT_NE(e, nullptr) << Described(std::get<Arguments>(parsed));
  EXPECT_EQ(e->message, c.message);
}

INSTANTIATE_TEST_SUITE_P(CommandLines, RejectedTest, ::testing::ValuesIn(kRejected),
                         testsupport::CaseName());

TEST(MissingValueTest, AnOptionOfOneValueNamesItAPairOfFilesShowsTheUsage) {
  for (const Option& option : OptionTable()) {
    const std::size_t count = ValueCount(option);
    for (std::size_t given = 0; given < count; ++given) {
      SCOPED_TRACE(std::string(option.name) + " with " + std::to_string(given) + " values");
      std::vector<std::string_view> words = {"s", "t", option.name};
      words.resize(words.size() + given, "x");
      const std::variant<Arguments, UsageError> parsed = Parse(words);
      ASSERT_TRUE(std::holds_alternative<UsageError>(parsed));
      EXPECT_EQ(std::get<UsageError>(parsed).message,
                count == 1 ? texts::MissingValueText(option.name) : "");
    }
  }
}

// The usage text: every option in the synopsis and in the list, the
// descriptions in one column, the synopsis going on under the words after
// the program's name.
TEST(UsageTest, NamesEveryOptionInTheSynopsisAndDescribesItInTheList) {
  const std::string usage = UsageText();
  const std::size_t list = usage.find("\n  STARTSYSTEM, ZIELSYSTEM  ");
  ASSERT_NE(list, std::string::npos);
  const std::string synopsis = usage.substr(0, list + 1);
  for (const Option& option : OptionTable()) {
    SCOPED_TRACE(option.name);
    const std::string shown = std::string(option.name) +
                              (option.values.empty() ? "" : " " + std::string(option.values));
    EXPECT_NE(synopsis.find(shown), std::string::npos);
    if (!option.help.empty()) {
      const std::string label = option.label.empty() ? shown : std::string(option.label);
      EXPECT_NE(usage.find("\n  " + label + "  "), std::string::npos);
    }
  }
  EXPECT_NE(synopsis.find("\n       orthavion-batch --help | --version\n"), std::string::npos);
  EXPECT_TRUE(usage.starts_with("Aufruf: orthavion-batch STARTSYSTEM ZIELSYSTEM [--obj"));
  EXPECT_TRUE(usage.ends_with("\n" + std::string(texts::kUsageClosing) + "\n"));
}

TEST(UsageTest, DescriptionsStandInOneColumnAndTheSynopsisUnderTheWords) {
  const std::string usage = UsageText();
  const std::size_t list = usage.find("\n  STARTSYSTEM") + 1;
  const std::size_t column = std::string("  STARTSYSTEM, ZIELSYSTEM  ").size();
  std::size_t lines = 0;
  for (std::size_t at = list; at < usage.size(); at = usage.find('\n', at) + 1) {
    const std::string line = usage.substr(at, usage.find('\n', at) - at);
    if (line == texts::kUsageClosing) break;
    ++lines;
    SCOPED_TRACE(line);
    if (line.starts_with("   ")) {
      // A description's next line, in the column.
      EXPECT_EQ(line.find_first_not_of(' '), column);
    } else {
      // A label and two blanks, then the description in the column unless
      // the label is wider.
      const std::size_t gap = line.find("  ", 2);
      ASSERT_NE(gap, std::string::npos);
      EXPECT_EQ(line.find_first_not_of(' ', gap), std::max(gap + 2, column));
    }
  }
  EXPECT_GT(lines, OptionTable().size());
  const std::string goesOn(std::string("       orthavion-batch ").size(), ' ');
  for (std::size_t at = 0; at < list; at = usage.find('\n', at) + 1) {
    const std::string line = usage.substr(at, usage.find('\n', at) - at);
    SCOPED_TRACE(line);
    EXPECT_TRUE(line.starts_with("Aufruf: orthavion-batch ") ||
                line.starts_with("       orthavion-batch ") ||
                (line.starts_with(goesOn) && line[goesOn.size()] != ' '));
  }
}

TEST(UsageTest, TheProgramPrintsItForHelpAndAfterAUsageError) {
  testsupport::TestDir dir;
  const testsupport::BatchResult help = testsupport::RunBatch(dir, "--help");
  EXPECT_EQ(help.exitCode, 0);
  EXPECT_EQ(help.out, UsageText());
  EXPECT_EQ(help.err, "");
  const testsupport::BatchResult alone = testsupport::RunBatch(dir, "one");
  EXPECT_EQ(alone.exitCode, 2);
  EXPECT_EQ(alone.out, "");
  EXPECT_EQ(alone.err, UsageText());
  const testsupport::BatchResult named = testsupport::RunBatch(dir, "a b --sigma0 0,5");
  EXPECT_EQ(named.exitCode, 2);
  EXPECT_EQ(named.err, texts::BadSigma0Text("0,5") + "\n" + UsageText());
}

}  // namespace
}  // namespace orthavion::batch
