#include "base/error.h"

#include <gtest/gtest.h>

#include <functional>
#include <new>
#include <stdexcept>
#include <string>

namespace {

/// The text a command's caller shows for what `f` throws.
std::string Shown(const std::function<void()>& f) {
  try {
    f();
  } catch (const std::exception& e) {
    return orthavion::CommandErrorText(e);
  }
  return "(nothing thrown)";
}

TEST(CommandErrorTextTest, EveryExceptionBecomesAGermanText) {
  EXPECT_EQ(Shown([] { throw orthavion::Error("Gleitkommaüberlauf"); }), "Gleitkommaüberlauf");
  EXPECT_EQ(Shown([] { throw std::bad_alloc(); }), "Zu wenig Arbeitsspeicher");
  // A programming error, such as a format that does not match its
  // arguments, is shown instead of ending the program.
  EXPECT_EQ(Shown([] { throw std::logic_error("AppendFormat: %d without an integer"); }),
            "Interner Programmfehler: AppendFormat: %d without an integer");
}

}  // namespace
