#pragma once
#include <gtest/gtest.h>

#include <cctype>
#include <string>

namespace testsupport {

/// `text` with every character that GoogleTest does not allow in a name
/// replaced by '_'.
inline std::string AsTestName(std::string text) {
  for (char& ch : text)
    if (!std::isalnum(static_cast<unsigned char>(ch))) ch = '_';
  return text;
}

/// Names the cases of a parameterised test after their `name` field.
struct CaseName {
  template <typename Info>
  std::string operator()(const Info& info) const {
    return AsTestName(info.param.name);
  }
};

/// Names the cases of a parameterised test after what their PrintTo prints.
struct PrintedName {
  template <typename Info>
  std::string operator()(const Info& info) const {
    return AsTestName(::testing::PrintToString(info.param));
  }
};

}  // namespace testsupport
