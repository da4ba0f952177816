#pragma once
#include <string>

namespace fuzzcheck {

/// What one fuzz input did to a command.
struct Outcome {
  std::string violation;  ///< "" when every property holds, else the first that fails
  std::string error;      ///< the text of the `Error` that ended the command; "" on success
};

}  // namespace fuzzcheck
