#pragma once
#include <cctype>
#include <string>

namespace testsupport {

/// Names the cases of a parameterised test after their `name` field, with
/// every character that GoogleTest does not allow in a name replaced by '_'.
struct CaseName {
  template <typename Info>
  std::string operator()(const Info& info) const {
    std::string n = info.param.name;
    for (char& ch : n)
      if (!std::isalnum(static_cast<unsigned char>(ch))) ch = '_';
    return n;
  }
};

}  // namespace testsupport
