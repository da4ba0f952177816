// The fuzz targets judge a failed command by their own list of the system's
// error texts, written independently of the program's catalogue; the two
// must agree, or a fuzz run would pass a wrong text or flag a right one.

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string_view>

#include "base/texts.h"
#include "protocol/protocoltexts.h"
#include "fuzz/systemtexts.h"

namespace {

namespace texts = orthavion::texts;

TEST(SystemTextsTest, TheFuzzTargetsListTheCataloguesCommandErrors) {
  const std::set<std::string_view> catalogue = {
      texts::kInvalidOperation, texts::kDivisionByZero, texts::kOverflow,
      texts::kFileNotFound,     texts::kInvalidFileName, texts::kTooManyOpenFiles,
      texts::kAccessDenied,     texts::kProtocolFull,    texts::kStreamNotSaved,
  };
  const std::set<std::string_view> fuzz(std::begin(fuzzcheck::kFixedErrorTexts),
                                        std::end(fuzzcheck::kFixedErrorTexts));
  EXPECT_EQ(fuzz, catalogue);
}

TEST(SystemTextsTest, TheFuzzTargetsAcceptTheCataloguesBuiltMessages) {
  EXPECT_TRUE(fuzzcheck::IsSystemErrorText(std::string(texts::kIoErrorPrefix) + "28"));
  EXPECT_TRUE(fuzzcheck::IsSystemErrorText(
      texts::CannotCreateText("/tmp/a b/Trafoprotokoll.txt", texts::kReasonAccessDenied)));
  EXPECT_TRUE(fuzzcheck::IsSystemErrorText(
      texts::CannotOpenText("/tmp/modell.obj", texts::kReasonFileNotFound)));
  // A text of the catalogue that no run or OBJ command ends with.
  EXPECT_FALSE(fuzzcheck::IsSystemErrorText(texts::kAskShorten));
}

}  // namespace
