#pragma once
#include "carry/blockreader.h"
#include "carry/recordlayout.h"
#include "carry/recordrule.h"
#include "carry/recordtally.h"
#include "text/replacingfile.h"

namespace orthavion {

/// A file format carried record by record: a header read once before the
/// records, the records, each through the format's rule, and a last look at
/// the header once they are all written. `Begin` and `End` run on the
/// calling thread, the rule on the pipeline's workers.
class RecordFormat {
public:
  virtual ~RecordFormat() = default;

  /// Reads the header from the start of `in`, writes the carried file's
  /// header to `out` as far as it is known before the records, and returns
  /// how the records follow it. Throws `Error` for a header it cannot carry.
  virtual RecordLayout Begin(BlockReader& in, ReplacingFile& out) = 0;

  /// The rule of every record; asked for after `Begin`, which may build it
  /// from the header.
  virtual const RecordRule& Rule() const = 0;

  /// Called once every record and what follows them is written, with the
  /// tallies of all blocks merged in file order: may write the header again
  /// over its first form (`ReplacingFile::Overwrite`), with the number of
  /// records or their bounds.
  virtual void End(const RecordTally& total, ReplacingFile& out) = 0;
};

/// The format of a text file whose every line is a record (the OBJ model,
/// point files, ASCII point clouds): no header, each line through `rule`.
class LineFormat final : public RecordFormat {
public:
  explicit LineFormat(const RecordRule& rule) : rule_(rule) {}

  RecordLayout Begin(BlockReader&, ReplacingFile&) override { return {}; }
  const RecordRule& Rule() const override { return rule_; }
  void End(const RecordTally&, ReplacingFile&) override {}

private:
  const RecordRule& rule_;
};

}  // namespace orthavion
