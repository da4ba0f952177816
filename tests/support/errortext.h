#pragma once
#include <string>

#include "base/error.h"

namespace testsupport {

/// The text of the `orthavion::Error` that `f` throws, or "" when it throws none.
template <typename F>
std::string ErrorText(F&& f) {
  try {
    f();
  } catch (const orthavion::Error& e) {
    return e.what();
  }
  return {};
}

}  // namespace testsupport
